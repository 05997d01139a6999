#pragma once

#include "app/platform/Binding.h"

#include <utility>

namespace lumenscroll {

// The page's search button: it shows and hides the page's search pane, bound to the page's
// own searchBtnPressed.
class SearchButton {
public:
    explicit SearchButton(Binding<bool> searchBtnPressed)
        : searchBtnPressed(std::move(searchBtnPressed)) {}

    Binding<bool> searchBtnPressed;

    void press() const;
};

} // namespace lumenscroll
