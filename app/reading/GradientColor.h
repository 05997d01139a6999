#pragma once

#include "app/platform/NamedColor.h"

namespace lumenscroll {

// One colour of a gradient as the behaviour classes keep it: components from 0 to 1, without
// the GUI module. The drawing turns it into a QColor.
struct GradientColor {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double opacity = 1.0;

    static GradientColor named(NamedColor color, double opacity = 1.0);
    bool operator==(const GradientColor&) const = default;
};

} // namespace lumenscroll
