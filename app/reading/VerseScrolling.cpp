#include "app/reading/VerseScrolling.h"

#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"

#include <string>
#include <utility>

namespace lumenscroll {

namespace {

void traceChosenVerse(const PageHandle& page, std::int64_t chosen) {
    trace("praiseIndex " + std::to_string(chosen));
    if (const BiblePraise* first = page.verse(0)) {
        trace("userSettings.selectedBibleArray[pageIndex].praises[0].index " + std::to_string(first->index));
        trace("userSettings.selectedBibleArray[pageIndex].praises.count " +
              std::to_string(page.verseCount()));
    }
}

// The page's praiseIndex, or the page value's own for a page without one in roles.
std::int64_t chosenVerse(const PageHandle& page, std::int64_t ownChoice) {
    const BibleView* view = page.view();
    return view ? view->praiseIndex : ownChoice;
}

} // namespace

void keepScrollReader(const PageHandle& page, std::shared_ptr<ScrollViewProxy> reader) {
    page.modifyView([&](BibleView& shown) { shown.scrollViewVariable = std::move(reader); });
}

std::shared_ptr<ScrollViewProxy> scrollReader(const PageHandle& page) {
    const BibleView* view = page.view();
    return view ? view->scrollViewVariable : nullptr;
}

void scrollToFirstVerse(const PageHandle& page) {
    const std::shared_ptr<ScrollViewProxy> reader = scrollReader(page);
    const BiblePraise* first = page.verse(0);
    if (reader && first) {
        reader->scrollTo(first->index, ScrollAnchor::top, true);
    }
}

void scrollToLastVerse(const PageHandle& page) {
    const std::shared_ptr<ScrollViewProxy> reader = scrollReader(page);
    const std::size_t verses = page.verseCount();
    if (reader && verses > 0) {
        reader->scrollTo(static_cast<std::int64_t>(verses) - 1, ScrollAnchor::center, true);
    }
}

std::int64_t chosenVerseRow(const PageHandle& page, std::int64_t ownChoice) {
    const std::int64_t chosen = chosenVerse(page, ownChoice);
    return isIndexOf(chosen, page.verseCount()) ? chosen : 0;
}

std::int64_t userSelectBibleSectionChanged(const PageHandle& page, std::int64_t ownChoice) {
    const std::int64_t chosen = chosenVerse(page, ownChoice);
    // The up button scrolls to the first verse's index: a verse the chapter has.
    const std::int64_t row = chosenVerseRow(page, ownChoice);
    page.modifyVerse(0, [row](BiblePraise& first) { first.index = row; });
    traceChosenVerse(page, chosen);
    return row;
}

} // namespace lumenscroll
