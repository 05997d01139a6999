#include "app/reading/BibleSelectionView.h"

#include "app/model/BibleBook.h"
#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/UserSettings.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

namespace lumenscroll {

namespace {

// The verse counts of the chapters of book `book`; none for an index that names no book.
std::span<const std::int64_t> chaptersOf(std::int64_t book) {
    const std::optional<BibleBook> found = bibleBookFromRaw(book);
    return found ? versesPerChapter(*found) : std::span<const std::int64_t>();
}

} // namespace

BibleSelectionView::BibleSelectionView(Binding<bool> showBibleSectionSelectionWindow,
                                       Binding<BibleStructure> selectedBibleObject,
                                       std::int64_t selectedBibleSection, std::int64_t selectedVerse,
                                       Binding<std::int64_t> selectedPraise, Binding<bool> userSelectedBiblePraise,
                                       UserSettings& userSettings, std::function<void()> dismiss,
                                       ColorScheme scheme, bool wholeBibleSelected, Binding<std::int64_t> pageIndex)
    : showBibleSectionSelectionWindow(std::move(showBibleSectionSelectionWindow))
    , selectedBibleObject(std::move(selectedBibleObject))
    , selectedBibleSection(selectedBibleSection)
    , selectedVerse(selectedVerse)
    , selectedPraise(std::move(selectedPraise))
    , userSelectedBiblePraise(std::move(userSelectedBiblePraise))
    , userSettings(userSettings)
    , dismiss(std::move(dismiss))
    , scheme(scheme)
    , wholeBibleSelected(wholeBibleSelected)
    , pageIndex(std::move(pageIndex)) {}

void BibleSelectionView::appear() const {
    const auto& pages = userSettings.selectedBibleArray();
    const std::int64_t page = pageIndex.get();
    if (!isIndexOf(page, pages.size())) {
        return;
    }
    BibleStructure record = selectedBibleObject.get();
    record.kindOfBible = pages[at(page)].kindOfBible;
    selectedBibleObject.set(record);
}

BibleKind BibleSelectionView::chosenKind() const {
    if (const std::optional<BibleKind> kind = userSettings.kindOfBible()) {
        return *kind;
    }
    const auto& pages = userSettings.selectedBibleArray();
    const std::int64_t page = pageIndex.get();
    return isIndexOf(page, pages.size()) ? pages[at(page)].kindOfBible : selectedBibleObject.get().kindOfBible;
}

std::int64_t BibleSelectionView::bookCount() const {
    return std::clamp<std::int64_t>(userSettings.bibleSectionCount(), 0, bibleBookCount);
}

std::int64_t BibleSelectionView::chapterCount() const {
    return static_cast<std::int64_t>(chaptersOf(selectedBibleSection).size());
}

std::int64_t BibleSelectionView::verseCount() const {
    const std::span<const std::int64_t> chapters = chaptersOf(selectedBibleSection);
    return isIndexOf(selectedVerse, chapters.size()) ? chapters[at(selectedVerse)] : 0;
}

std::string BibleSelectionView::bookLabel(std::int64_t book) const {
    const std::optional<BibleBook> found = bibleBookFromRaw(book);
    return found ? std::string(bookName(languageCode(chosenKind()), *found)) : std::string();
}

std::string BibleSelectionView::chapterLabel(std::int64_t chapter) {
    return std::to_string(chapter + 1) + "장";
}

std::string BibleSelectionView::verseLabel(std::int64_t verse) {
    return std::to_string(verse + 1) + "절";
}

BibleSelectionView::RowColors BibleSelectionView::rowColors(bool marked) const {
    const bool dark = scheme == ColorScheme::dark;
    const NamedColor text = dark ? NamedColor::white : NamedColor::black;
    return dark ? RowColors{marked ? NamedColor::green : text, NamedColor::black, 0.95}
                : RowColors{marked ? NamedColor::green : text, NamedColor::white, 1.0};
}

void BibleSelectionView::tapBook(std::int64_t book) {
    if (!isIndexOf(book, static_cast<std::size_t>(bookCount()))) {
        return;
    }
    wholeBibleSelected = false;
    selectedBibleSection = book;
    selectedVerse = 0;
}

void BibleSelectionView::tapChapter(std::int64_t chapter) {
    if (!isIndexOf(chapter, static_cast<std::size_t>(chapterCount()))) {
        return;
    }
    wholeBibleSelected = false;
    selectedVerse = chapter;
}

void BibleSelectionView::tapVerse(std::int64_t verse) {
    if (!isIndexOf(verse, static_cast<std::size_t>(verseCount()))) {
        return;
    }
    wholeBibleSelected = false;
    selectedPraise.set(verse);
}

void BibleSelectionView::confirm() const {
    const auto write = [this](auto change) {
        BibleStructure record = selectedBibleObject.get();
        change(record);
        selectedBibleObject.set(record);
    };
    write([this](BibleStructure& record) { record.order = selectedBibleSection; });
    write([this](BibleStructure& record) { record.sectionIndex = selectedBibleSection; });
    write([this](BibleStructure& record) { record.versesIndex = selectedVerse; });
    const BibleKind kind = chosenKind();
    write([kind](BibleStructure& record) { record.kindOfBible = kind; });
    userSelectedBiblePraise.set(true);
    showBibleSectionSelectionWindow.set(false);
    write([this](BibleStructure& record) { record.order = selectedBibleSection; });
}

void BibleSelectionView::close() const {
    trace("selectedBibleObject.kindOfBible " + std::string(caseName(selectedBibleObject.get().kindOfBible)));
    userSelectedBiblePraise.set(false);
    // Cleared, not flipped: a second close before the sheet goes leaves it closed.
    showBibleSectionSelectionWindow.set(false);
}

} // namespace lumenscroll
