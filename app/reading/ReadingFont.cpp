#include "app/reading/ReadingFont.h"

namespace lumenscroll {

std::vector<std::string> readingFontDisplayNames() {
    std::vector<std::string> names;
    names.reserve(readingFonts.size());
    for (const ReadingFont& font : readingFonts) {
        names.emplace_back(font.displayName);
    }
    return names;
}

std::vector<std::string> readingFontFileNames() {
    std::vector<std::string> names;
    names.reserve(readingFonts.size());
    for (const ReadingFont& font : readingFonts) {
        names.emplace_back(font.fileName);
    }
    return names;
}

std::optional<ReadingFont> readingFontForFileName(std::string_view fileName) {
    for (const ReadingFont& font : readingFonts) {
        if (font.fileName == fileName) {
            return font;
        }
    }
    return std::nullopt;
}

} // namespace lumenscroll
