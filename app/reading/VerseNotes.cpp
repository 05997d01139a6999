#include "app/reading/VerseNotes.h"

#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"

#include <string>

namespace lumenscroll {

bool isVerseNoteShown(const PageHandle& page, std::int64_t row) {
    const BibleView* view = page.view();
    if (!view || !page.record()) {
        return false;
    }
    const auto& noteMode = view->QTOnOffForEachRow;
    if (isIndexOf(row, noteMode.size()) && noteMode[at(row)] && page.verseCount() > 0) {
        return true;
    }
    const BiblePraise* verse = page.verse(row);
    return verse && verse->hasMemo && !view->qtContentForThisPage.empty();
}

void copyVerseNote(const PageHandle& page, std::int64_t row) {
    trace("onReceive BibleView, pageIndex " + std::to_string(page.index()));
    const BiblePraise* verse = page.verse(row);
    const BibleView* view = page.view();
    if (!verse || !verse->hasMemo || !view) {
        return;
    }
    const std::string note = verse->memo ? verse->memo->memoContent : std::string();
    const auto& texts = view->qtContentForThisPage;
    trace("qtContentForThisPage[i] " + (isIndexOf(row, texts.size()) ? texts[at(row)] : std::string()));
    trace("QTViewForAPraise: userSettings.selectedBibleArray[pageIndex].praises[i].memo.memoContent " + note);
    if (!isIndexOf(row, texts.size())) {
        return;
    }
    page.modifyView([&](BibleView& shown) { shown.qtContentForThisPage[at(row)] = note; });
    trace("qtContentForThisPage[" + std::to_string(row) + "] " + note);
}

} // namespace lumenscroll
