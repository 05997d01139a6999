#pragma once

#include "app/platform/NamedColor.h"

#include <array>
#include <vector>

namespace lumenscroll {

// The reading font colours, indexed by the font-colour choice (UserSettings.pickerIndex2 and
// the "fontColor" user default).
inline constexpr std::array<NamedColor, 13> fontColors{
    NamedColor::black, NamedColor::blue,   NamedColor::brown,  NamedColor::gray,  NamedColor::red,
    NamedColor::mint,  NamedColor::indigo, NamedColor::cyan,   NamedColor::green, NamedColor::orange,
    NamedColor::pink,  NamedColor::white,  NamedColor::yellow,
};

// A fresh copy of the list, as every verse row and the search page get it.
inline std::vector<NamedColor> defaultFontColorArray() {
    return {fontColors.begin(), fontColors.end()};
}

} // namespace lumenscroll
