#pragma once

#include "app/platform/Binding.h"

#include <utility>

namespace lumenscroll {

class Animations;
class PanelFade;

// The page's search button: it shows and hides the page's search pane, bound to the page's
// own searchBtnPressed, inside the default animation: the pane fades in and out with it.
class SearchButton {
public:
    SearchButton(Binding<bool> searchBtnPressed, PanelFade& searchPage, const Animations& animations)
        : searchBtnPressed(std::move(searchBtnPressed))
        , searchPage_(searchPage)
        , animations_(animations) {}

    Binding<bool> searchBtnPressed;

    void press() const;

private:
    PanelFade& searchPage_;
    const Animations& animations_;
};

} // namespace lumenscroll
