#pragma once

namespace lumenscroll {

// The platform's text styles, by size in points (a point is a logical pixel).
enum class TextStyle {
    largeTitle,
    title,
    title2,
    title3,
    headline,
    body,
    subheadline,
};

constexpr int pointSize(TextStyle style) {
    switch (style) {
    case TextStyle::largeTitle:
        return 26;
    case TextStyle::title:
        return 22;
    case TextStyle::title2:
        return 17;
    case TextStyle::title3:
        return 15;
    case TextStyle::headline:
    case TextStyle::body:
        return 13;
    case TextStyle::subheadline:
        return 11;
    }
    return 13;
}

constexpr bool isBold(TextStyle style) {
    return style == TextStyle::headline;
}

} // namespace lumenscroll
