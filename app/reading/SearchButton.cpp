#include "app/reading/SearchButton.h"

#include "app/platform/Animations.h"
#include "app/reading/PanelFade.h"

namespace lumenscroll {

void SearchButton::press() const {
    const bool pressed = !searchBtnPressed.get();
    searchPage_.animateTurn(pressed, animations_.standard());
    searchBtnPressed.set(pressed);
}

} // namespace lumenscroll
