#pragma once

#include <QImage>
#include <QSizeF>

#include <optional>

namespace lumenscroll {

// The frames of an animated image: how many there are, how long each stays on screen, and
// what each looks like at a size.
class FrameProvider {
public:
    virtual ~FrameProvider() = default;

    virtual int frameCount() const = 0;
    // Seconds frame `index` stays on screen; an index outside the frames throws
    // std::out_of_range.
    virtual double frameDelay(int index) const = 0;
    // Frame `index` for a target of `size` points, its proportions kept; none for an index
    // outside the frames or a frame that cannot be decoded.
    virtual std::optional<QImage> frameImage(int index, QSizeF size) const = 0;
};

} // namespace lumenscroll
