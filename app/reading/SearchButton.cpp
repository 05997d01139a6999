#include "app/reading/SearchButton.h"

namespace lumenscroll {

void SearchButton::press() const {
    searchBtnPressed.set(!searchBtnPressed.get());
}

} // namespace lumenscroll
