#include "app/shell/WindowFit.h"

#include <algorithm>
#include <cmath>

namespace lumenscroll {

WindowFit::WindowFit(QSize room)
    : scale_(1.0) {
    // A room of no size is no screen yet: the content stays as it is.
    if (room.isEmpty()) {
        return;
    }
    scale_ = std::min({1.0, static_cast<double>(room.width()) / contentSize.width(),
                       static_cast<double>(room.height()) / contentSize.height()});
}

QSize WindowFit::windowSize() const {
    // Rounded down: a window one pixel over the room would push its frame off the screen.
    return {static_cast<int>(std::floor(contentSize.width() * scale_ + 1e-9)),
            static_cast<int>(std::floor(contentSize.height() * scale_ + 1e-9))};
}

} // namespace lumenscroll
