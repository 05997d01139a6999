#pragma once

#include "app/platform/NamedColor.h"

#include <array>
#include <vector>

namespace lumenscroll {

// The verse highlight colours. A verse stores its highlight as an index into this list
// (BiblePraise.bgColor); index 0, white, means no highlight.
inline constexpr std::array<NamedColor, 12> backgroundColors{
    NamedColor::white, NamedColor::yellow, NamedColor::blue,   NamedColor::brown,
    NamedColor::gray,  NamedColor::red,    NamedColor::mint,   NamedColor::indigo,
    NamedColor::cyan,  NamedColor::green,  NamedColor::orange, NamedColor::pink,
};

// A fresh copy of the list, as every page starts with.
inline std::vector<NamedColor> defaultBgColorArray() {
    return {backgroundColors.begin(), backgroundColors.end()};
}

} // namespace lumenscroll
