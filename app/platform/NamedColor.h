#pragma once

#include <cstdint>

namespace lumenscroll {

// The platform's named colours (light appearance). Kept as plain 0xRRGGBB values so that the
// behaviour classes can store and compare colours without the GUI module; the drawing turns
// them into QColor through Look.
enum class NamedColor {
    black,
    blue,
    brown,
    gray,
    red,
    mint,
    indigo,
    cyan,
    green,
    orange,
    pink,
    white,
    yellow,
};

constexpr std::uint32_t rgb(NamedColor color) {
    switch (color) {
    case NamedColor::black:
        return 0x000000;
    case NamedColor::blue:
        return 0x007AFF;
    case NamedColor::brown:
        return 0xA2845E;
    case NamedColor::gray:
        return 0x8E8E93;
    case NamedColor::red:
        return 0xFF3B30;
    case NamedColor::mint:
        return 0x00C7BE;
    case NamedColor::indigo:
        return 0x5856D6;
    case NamedColor::cyan:
        return 0x55BEF0;
    case NamedColor::green:
        return 0x28CD41;
    case NamedColor::orange:
        return 0xFF9500;
    case NamedColor::pink:
        return 0xFF2D55;
    case NamedColor::white:
        return 0xFFFFFF;
    case NamedColor::yellow:
        return 0xFFCC00;
    }
    return 0x000000;
}

} // namespace lumenscroll
