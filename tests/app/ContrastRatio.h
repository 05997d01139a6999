#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace lumenscroll::testing {

// The contrast ratio of two opaque colours as the Web Content Accessibility Guidelines define
// it, from 1 (none) to 21 (black on white); text reads at a glance from 4.5 on.
inline double contrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& color) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
    };
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The lightest pixel of `area`: the colour of white text drawn there, as the render shows it.
inline QColor lightestIn(const QImage& image, const QRect& area) {
    QColor found = Qt::black;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).lightness() > found.lightness()) {
                found = image.pixelColor(x, y);
            }
        }
    }
    return found;
}

} // namespace lumenscroll::testing
