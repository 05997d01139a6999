#include "app/reading/GradientColor.h"

#include <cstdint>

namespace lumenscroll {

GradientColor GradientColor::named(NamedColor color, double opacity) {
    const std::uint32_t value = rgb(color);
    return GradientColor{
        .red = static_cast<double>((value >> 16) & 0xFF) / 255.0,
        .green = static_cast<double>((value >> 8) & 0xFF) / 255.0,
        .blue = static_cast<double>(value & 0xFF) / 255.0,
        .opacity = opacity,
    };
}

} // namespace lumenscroll
