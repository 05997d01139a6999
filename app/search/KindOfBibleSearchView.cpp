#include "app/search/KindOfBibleSearchView.h"

#include "app/reading/TranslationChoice.h"
#include "app/reading/UserSettings.h"

#include <optional>
#include <utility>

namespace lumenscroll {

KindOfBibleSearchView::KindOfBibleSearchView(Binding<bool> showBibleTranslateSelectionWindow2,
                                             Binding<BibleStructure> selectedPraiseObject2,
                                             std::int64_t selectedBibleSection2,
                                             std::int64_t selectedKindOfBible2, std::int64_t selectedVerse2,
                                             Binding<std::int64_t> selectedPraise2,
                                             Binding<bool> userSelectedBiblePraise2,
                                             Binding<BibleKind> kindOfBible2, UserSettings& userSettings)
    : showBibleTranslateSelectionWindow2(std::move(showBibleTranslateSelectionWindow2))
    , selectedPraiseObject2(std::move(selectedPraiseObject2))
    , selectedBibleSection2(selectedBibleSection2)
    , selectedKindOfBible2(selectedKindOfBible2)
    , selectedVerse2(selectedVerse2)
    , selectedPraise2(std::move(selectedPraise2))
    , userSelectedBiblePraise2(std::move(userSelectedBiblePraise2))
    , kindOfBible2(std::move(kindOfBible2))
    , userSettings(userSettings) {}

std::int64_t KindOfBibleSearchView::rowCount() const {
    return translationChoiceRowCount(userSettings.currentlyProvidedBibleNumber());
}

std::string KindOfBibleSearchView::rowLabel(std::int64_t row) {
    return std::string(translationDisplayName(row));
}

void KindOfBibleSearchView::close() const {
    translationChoiceClose(showBibleTranslateSelectionWindow2);
}

void KindOfBibleSearchView::choose(std::int64_t row) const {
    const std::optional<BibleKind> kind = bibleKindFromRaw(row);
    if (!kind || row >= rowCount()) {
        return;
    }
    kindOfBible2.set(*kind);
    translationChoiceClose(showBibleTranslateSelectionWindow2);
    BibleStructure record = selectedPraiseObject2.get();
    record.order = selectedBibleSection2;
    selectedPraiseObject2.set(record);
}

} // namespace lumenscroll
