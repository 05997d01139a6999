#include "app/reading/NewPages.h"

#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/UserSettings.h"
#include "app/reading/Utils.h"
#include "app/reading/VerseScrolling.h"
#include "app/reading/VerseSelection.h"

#include <memory>
#include <string>

namespace lumenscroll {

namespace {

void tracePageAdded(std::int64_t page, std::int64_t previousPage, std::int64_t openPages) {
    trace("pageindex " + std::to_string(page) + " prevPageindex " + std::to_string(previousPage) +
          " Utils.currentIndex " + std::to_string(Utils::currentIndex) +
          " userSettings.selectedBibleArray.count " + std::to_string(openPages));
}

void traceFixedIndex(std::int64_t fixedIndex) {
    trace("");
    trace("bibleViewFixedIndex " + std::to_string(fixedIndex));
}

// The newest page shows the verse the search chose, scrolled to the top and selected.
void showSearchedVerse(const PageHandle& page, std::int64_t chosen) {
    if (!isIndexOf(chosen, page.verseCount())) {
        return;
    }
    if (const std::shared_ptr<ScrollViewProxy> reader = scrollReader(page)) {
        reader->scrollTo(chosen, ScrollAnchor::top, false);
    }
    page.modifyView([chosen](BibleView& shown) {
        if (isIndexOf(chosen, shown.isSelectedArray2.size())) {
            shown.isSelectedArray2[at(chosen)] = true;
        }
    });
}

} // namespace

void plusBible2Changed(const PageHandle& page, const AppContext& context, std::int64_t previousPageIndex,
                       bool added) {
    UserSettings& settings = page.userSettings();
    const auto open = static_cast<std::int64_t>(settings.selectedBibleArray().size());
    tracePageAdded(page.index(), previousPageIndex, open);
    // Of all pages only the newest one takes the new page in.
    if (!added || page.index() != open - 1) {
        return;
    }
    settings.plusBible.set(false);
    settings.plusBible2.set(false);
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    const BibleKind kind = record->kindOfBible;
    page.modifyView([kind](BibleView& shown) { shown.kindOfBible = kind; });
    labelNewestPage(page, kind);
    refreshPageTitle(page);
    resetVerseFlags(page);
    settings.savePageState(context);
}

void searchBtnPressedChanged(UserSettings& settings, const AppContext& context, bool pressed) {
    if (pressed || settings.foundSectionVerseAndPraiseArray->empty()) {
        return;
    }
    appendDefaultPage(settings);
    settings.savePageState(context);
}

void appendDefaultPage(UserSettings& settings) {
    OpenPages(settings).appendSearchHitSlot();
}

bool receiveNewBibleViewPageCreating(const PageHandle& page, bool creating) {
    if (!creating || page.userSettings().executedOnce()) {
        return false;
    }
    resetVerseSelection(page);
    return true;
}

void resetVerseSelection(const PageHandle& page) {
    trace("pageIndex " + std::to_string(page.index()));
    if (page.userSettings().executedOnce() || !page.view()) {
        return;
    }
    const std::size_t verses = page.verseCount();
    page.modifyView([verses](BibleView& shown) {
        shown.isSelectedArray2.assign(verses, false);
        shown.praiseIndexChanged = !shown.praiseIndexChanged;
    });
    trace("isSelectedArray.count " + std::to_string(verses));
}

void praiseIndexChangedTo(const PageHandle& page, std::int64_t fixedIndex, bool changed) {
    if (!changed) {
        return;
    }
    UserSettings& settings = page.userSettings();
    traceFixedIndex(fixedIndex);
    const bool newest = fixedIndex == static_cast<std::int64_t>(settings.roles->size()) - 1;
    if (newest) {
        const std::int64_t chosen = settings.praiseSelected();
        trace(" == userSettings.praiseSelected " + std::to_string(chosen));
        showSearchedVerse(page, chosen);
    }
    page.modifyView([](BibleView& shown) { shown.praiseIndexChanged = false; });
    // Only the page that showed the verse says so: the new page may come on screen after the
    // pages before it have handled the announcement, and must still take it.
    if (newest) {
        settings.executedOnce.set(true);
    }
}

} // namespace lumenscroll
