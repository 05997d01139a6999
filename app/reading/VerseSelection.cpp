#include "app/reading/VerseSelection.h"

#include "app/platform/AppContext.h"
#include "app/platform/Clipboard.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageNotices.h"
#include "app/reading/VerseCopy.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace lumenscroll {

std::int64_t selectedVerseCount(const PageHandle& page) {
    const BibleView* view = page.view();
    if (!view) {
        return 0;
    }
    return std::count(view->isSelectedArray2.begin(), view->isSelectedArray2.end(), true);
}

void tapVerse(const PageHandle& page, std::int64_t row) {
    const std::size_t verses = page.verseCount();
    page.modifyView([&](BibleView& shown) {
        if (shown.isSelectedArray2.size() != verses) {
            shown.isSelectedArray2.assign(verses, false);
        }
        shown.lastSelectedIndex = row;
        if (isIndexOf(row, shown.isSelectedArray2.size())) {
            shown.isSelectedArray2[at(row)] = !shown.isSelectedArray2[at(row)];
        }
        // Raised on every tap; the bar itself asks for exactly one selected row.
        shown.showSelectionPopUpMenu = true;
    });
}

bool isSelectionBarShown(const PageHandle& page, std::int64_t row) {
    const BibleView* view = page.view();
    if (!view || !isIndexOf(row, view->isSelectedArray2.size())) {
        return false;
    }
    const auto& selected = view->isSelectedArray2;
    return view->showSelectionPopUpMenu && selected[at(row)] &&
           std::count(selected.begin(), selected.end(), true) == 1 && view->lastSelectedIndex == row;
}

void deselectVerses(const PageHandle& page) {
    page.modifyView([](BibleView& shown) {
        std::fill(shown.isSelectedArray2.begin(), shown.isSelectedArray2.end(), false);
        shown.showSelectionPopUpMenu = false;
    });
}

void resetVerseFlags(const PageHandle& page) {
    page.modifyView([](BibleView& shown) { shown.isSelectedArray2.clear(); });
    if (!page.record()) {
        return;
    }
    const std::size_t verses = page.verseCount();
    page.modifyView([verses](BibleView& shown) {
        shown.isSelectedArray2.assign(verses, false);
        shown.QTOnOffForEachRow.assign(verses, shown.QTOnOff);
    });
    UserSettings& settings = page.userSettings();
    OpenPages(settings).resetChapterNotes();
    // One per page: nothing reads more.
    settings.memoLoaded.set(std::vector<bool>(settings.selectedBibleArray->size(), false));
}

void copySelectedVerses(const PageHandle& page, const AppContext& context) {
    const BibleView* view = page.view();
    const BibleStructure* record = page.record();
    if (!view || !record) {
        return;
    }
    const VerseCopy copy = VerseCopy::of(*record, view->isSelectedArray2);
    if (!copy.notice.empty()) {
        showNotice(page, context.scheduler(), copy.notice);
        return;
    }
    if (!copy.text.empty()) {
        context.clipboard().setText(QString::fromStdString(copy.text));
    }
}

} // namespace lumenscroll
