#include "app/reading/ReadingFont.h"

#include "app/reading/ListIndex.h"

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

std::optional<ReadingFont> chosenReadingFont(std::string_view fontKind, const std::vector<std::string>& fileNames,
                                             std::int64_t picked) {
    if (fileNames.empty()) {
        return std::nullopt;
    }
    const std::int64_t chosen = !fontKind.empty() && isIndexOf(picked, fileNames.size()) ? picked : 0;
    return readingFontForFileName(fileNames[at(chosen)]);
}

} // namespace lumenscroll
