#pragma once

#include <optional>

namespace lumenscroll {

// Whether a paging carousel turns its pages by itself, and how often.
class PagingCarouselAutoScroll {
public:
    static PagingCarouselAutoScroll inactive() { return PagingCarouselAutoScroll(false, 0.0); }
    // Every `seconds`; zero or a negative value means the usual 5 seconds.
    static PagingCarouselAutoScroll active(double seconds) { return PagingCarouselAutoScroll(true, seconds); }

    bool isActive() const { return active_; }

    // Seconds between automatic turns over `itemCount` items; none when inactive, and none
    // with fewer than two items, where there is nothing to turn to.
    std::optional<double> interval(int itemCount) const {
        if (!active_ || itemCount < 2) {
            return std::nullopt;
        }
        return seconds_ > 0.0 ? seconds_ : defaultSeconds;
    }

    static constexpr double defaultSeconds = 5.0;

private:
    PagingCarouselAutoScroll(bool active, double seconds)
        : active_(active)
        , seconds_(seconds) {}

    bool active_;
    double seconds_;
};

} // namespace lumenscroll
