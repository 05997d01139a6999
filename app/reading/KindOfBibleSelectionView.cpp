#include "app/reading/KindOfBibleSelectionView.h"

#include "app/model/BibleBook.h"
#include "app/reading/ListIndex.h"
#include "app/reading/TranslationChoice.h"
#include "app/reading/UserSettings.h"

#include <optional>
#include <span>
#include <utility>

namespace lumenscroll {

namespace {

// The number of verses of the chapter a record names; 0 when it names no chapter.
std::int64_t chapterVerseCount(const BibleStructure& record) {
    const std::optional<BibleBook> book = bibleBookFromRaw(record.sectionIndex);
    if (!book) {
        return 0;
    }
    const std::span<const std::int64_t> chapters = versesPerChapter(*book);
    return isIndexOf(record.versesIndex, chapters.size()) ? chapters[at(record.versesIndex)] : 0;
}

} // namespace

KindOfBibleSelectionView::KindOfBibleSelectionView(Binding<bool> showBibleTranslateSelectionWindow,
                                                   Binding<BibleStructure> selectedPraiseObject,
                                                   std::int64_t selectedBibleSection, std::int64_t selectedKindOfBible,
                                                   std::int64_t selectedVerse, Binding<std::int64_t> selectedPraise,
                                                   Binding<bool> userSelectedBiblePraise,
                                                   Binding<BibleKind> kindOfBible, UserSettings& userSettings)
    : showBibleTranslateSelectionWindow(std::move(showBibleTranslateSelectionWindow))
    , selectedPraiseObject(std::move(selectedPraiseObject))
    , selectedBibleSection(selectedBibleSection)
    , selectedKindOfBible(selectedKindOfBible)
    , selectedVerse(selectedVerse)
    , selectedPraise(std::move(selectedPraise))
    , userSelectedBiblePraise(std::move(userSelectedBiblePraise))
    , kindOfBible(std::move(kindOfBible))
    , userSettings(userSettings) {}

std::int64_t KindOfBibleSelectionView::rowCount() const {
    return translationChoiceRowCount(userSettings.currentlyProvidedBibleNumber());
}

std::string KindOfBibleSelectionView::rowLabel(std::int64_t row) {
    return std::string(translationDisplayName(row));
}

void KindOfBibleSelectionView::close() const {
    // A confirmation left up by an earlier choice must not pass for one made here.
    userSelectedBiblePraise.set(false);
    translationChoiceClose(showBibleTranslateSelectionWindow);
}

void KindOfBibleSelectionView::choose(std::int64_t row) {
    const std::optional<BibleKind> kind = bibleKindFromRaw(row);
    if (!kind || row >= rowCount()) {
        return;
    }
    // The translation the page already shows too: the page reads its chapter again, and the
    // marks and notes come back from the mark book with it.
    BibleStructure record = selectedPraiseObject.get();
    record.praises.clear();
    selectedPraiseObject.set(record);
    const std::int64_t verses = chapterVerseCount(record);
    for (std::int64_t verse = 0; verse < verses; ++verse) {
        // A fresh note for each: blank verses share nothing.
        record.praises.emplace_back();
        selectedPraiseObject.set(record);
    }
    userSelectedBiblePraise.set(true);
    selectedKindOfBible = row;
    kindOfBible.set(*kind);
    translationChoiceClose(showBibleTranslateSelectionWindow);
}

} // namespace lumenscroll
