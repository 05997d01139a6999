#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace lumenscroll {

// The reading font sizes in points, indexed by the font-size choice (UserSettings.pickerIndex
// and the "fontSize" user default). The verse rows, the search page and the preferences
// picker all read this one table, so a size means the same everywhere it is chosen or shown.
inline constexpr std::array<std::int64_t, 17> fontSizes{10, 12, 14, 16, 18, 20, 22, 24, 26,
                                                        28, 30, 35, 40, 45, 50, 55, 60};

// The choice a new installation starts with: 14 points.
inline constexpr std::int64_t defaultFontSizeIndex = 2;

// The size for a stored choice; a choice outside the table (an old or edited default) reads as
// the default size rather than failing.
constexpr std::int64_t fontSizeForIndex(std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(fontSizes.size())) {
        return fontSizes[defaultFontSizeIndex];
    }
    return fontSizes[static_cast<std::size_t>(index)];
}

} // namespace lumenscroll
