#pragma once

#include "app/model/BibleKind.h"
#include "app/platform/Binding.h"

#include <string>

namespace lumenscroll {

class UserSettings;

// The input row at the top of the search page: which translation is searched, the query, the
// search and clear buttons. It does not search: starting a search only raises the page's flags
// and copies the query, and the page reacts to them. It keeps the shared current translation
// (UserSettings.kindOfBible) in step with the kind it shows. Drawn by SearchBarWidget.
class SearchBar {
public:
    SearchBar(Binding<std::string> text, Binding<bool> findBtn, Binding<bool> searchBtnClicked,
              Binding<std::string> textSearched, Binding<BibleKind> kindOfBible,
              Binding<bool> showBibleTranslateSelectionWindow2, UserSettings& userSettings);

    // The query as typed.
    Binding<std::string> text;
    Binding<bool> findBtn;
    Binding<bool> searchBtnClicked;
    Binding<std::string> textSearched;
    // Whether the query field has the keyboard focus.
    bool isFocused = false;
    // The translation searched.
    Binding<BibleKind> kindOfBible;
    // The translation chooser's open flag.
    Binding<bool> showBibleTranslateSelectionWindow2;
    UserSettings& userSettings;

    // Return in the query field and the magnifying-glass button alike; an empty query starts a
    // search too.
    void startSearch() const;
    // The clear button.
    void clear() const;
    // A tap on the translation label.
    void openChooser() const;
    // The bar came on screen: it takes the focus and the shared translation (kr01 when there
    // is none).
    void appear();
    // kindOfBible changed, by whatever writer: the shared translation follows it.
    void kindOfBibleChanged() const;

    // The translation label: the searched kind's display name.
    std::string label() const;
    bool isClearButtonShown() const { return !text.get().empty(); }
};

} // namespace lumenscroll
