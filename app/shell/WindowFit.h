#pragma once

#include <QSize>

namespace lumenscroll {

// How the window's content, laid out at 1200 by 800 points, fits the room a screen leaves it
// (the screen's available area less the window's frame): whole, scaled down by one factor on
// both axes when the room is smaller, never scaled up. The layout inside stays the one of
// 1200 by 800; only its drawing and the input that reaches it are scaled.
class WindowFit {
public:
    static constexpr QSize contentSize{1200, 800};

    explicit WindowFit(QSize room);

    // 1 when the content fits as it is; below 1 when it is drawn smaller.
    double scale() const { return scale_; }
    bool isScaled() const { return scale_ < 1.0; }
    // The content at that scale, in whole pixels, never more than the room.
    QSize windowSize() const;

private:
    double scale_;
};

} // namespace lumenscroll
