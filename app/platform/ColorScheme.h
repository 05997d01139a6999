#pragma once

namespace lumenscroll {

// The appearance the views are drawn in. The application draws in the light one.
enum class ColorScheme {
    light,
    dark,
};

} // namespace lumenscroll
