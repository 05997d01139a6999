#include "app/search/SearchBar.h"

#include "app/reading/UserSettings.h"

#include <utility>

namespace lumenscroll {

SearchBar::SearchBar(Binding<std::string> text, Binding<bool> findBtn, Binding<bool> searchBtnClicked,
                     Binding<std::string> textSearched, Binding<BibleKind> kindOfBible,
                     Binding<bool> showBibleTranslateSelectionWindow2, UserSettings& userSettings)
    : text(std::move(text))
    , findBtn(std::move(findBtn))
    , searchBtnClicked(std::move(searchBtnClicked))
    , textSearched(std::move(textSearched))
    , kindOfBible(std::move(kindOfBible))
    , showBibleTranslateSelectionWindow2(std::move(showBibleTranslateSelectionWindow2))
    , userSettings(userSettings) {}

void SearchBar::startSearch() const {
    findBtn.set(true);
    searchBtnClicked.set(true);
    textSearched.set(text.get());
}

void SearchBar::clear() const {
    text.set(std::string());
}

void SearchBar::openChooser() const {
    showBibleTranslateSelectionWindow2.set(true);
}

void SearchBar::appear() {
    isFocused = true;
    kindOfBible.set(userSettings.kindOfBible().value_or(BibleKind::kr01));
}

void SearchBar::kindOfBibleChanged() const {
    userSettings.kindOfBible.set(kindOfBible.get());
}

std::string SearchBar::label() const {
    return std::string(translationDisplayName(kindOfBible.get()));
}

} // namespace lumenscroll
