#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

// One of the reading fonts the user picks from. The display name is what the picker lists,
// the file name what pages and rows hand around (and what the "font" user default indexes),
// and the family and weight what is actually installed: the BM typefaces under their own
// names, and the nearest Nanum typeface for those no Debian package carries.
struct ReadingFont {
    std::string_view displayName;
    std::string_view fileName;
    std::string_view family;
    int weight; // 100-900, as CSS and QFont::Weight count

    static constexpr int light = 300;
    static constexpr int regular = 400;
    static constexpr int bold = 700;
};

// In picker order.
inline constexpr std::array<ReadingFont, 16> readingFonts{{
    {"배달의민족 도현", "BMDoHyeon", "BM DoHyeon", ReadingFont::regular},
    {"배민 을지로10년후체", "BMEuljiro10yearslater", "BM Euljiro 10 years later", ReadingFont::regular},
    {"BMEuljirooraeorae", "BMEuljirooraeorae", "BM Euljiro oraeorae", ReadingFont::regular},
    {"배달의민족 을지로체 TTF", "BMEULJIROTTF", "BM EULJIRO TTF", ReadingFont::regular},
    {"배달의민족 한나는 열한살", "BMHANNA11yrsold", "BM HANNA 11yrs old", ReadingFont::regular},
    {"배달의민족 한나체 Air", "BMHANNAAir", "BM HANNA Air", ReadingFont::regular},
    {"배달의민족 한나체 Pro", "BMHANNAPro", "BM HANNA Pro", ReadingFont::regular},
    {"배달의민족 주아", "BMJUA", "BM JUA_TTF", ReadingFont::regular},
    {"배달의민족 기랑해랑", "BMKIRANGHAERANG", "BM KIRANGHAERANG", ReadingFont::regular},
    {"배달의민족 연성", "BMYEONSUNG", "BM YEONSUNG", ReadingFont::regular},
    // Godo: a geometric sans in bold and medium; NanumSquare is its closest relative here.
    {"고도 B", "GodoB", "NanumSquare", ReadingFont::bold},
    {"고도 M", "GodoM", "NanumSquare", ReadingFont::regular},
    // A handwriting face.
    {"godoMaum", "godoMaum", "Nanum Pen Script", ReadingFont::regular},
    {"godoRounded L", "godoRounded L", "NanumSquareRound", ReadingFont::light},
    {"godoRounded R", "godoRounded R", "NanumSquareRound", ReadingFont::regular},
    // A Myeongjo (serif) face in semi-bold.
    {"마루 부리OTF", "MaruBuriot-SemiBold", "NanumMyeongjo", ReadingFont::bold},
}};

// Fresh copies of the two name lists, as pages, rows and the search page are built with.
std::vector<std::string> readingFontDisplayNames();
std::vector<std::string> readingFontFileNames();

// The font a file name stands for; none for a name outside the list (the system font then).
std::optional<ReadingFont> readingFontForFileName(std::string_view fileName);

// The font of a view that holds the list of font file names and a font of its own (`fontKind`):
// the list's first while it has none, otherwise the preferences' choice `picked` (an index of
// the list; the first for one outside it). None for an empty list.
std::optional<ReadingFont> chosenReadingFont(std::string_view fontKind, const std::vector<std::string>& fileNames,
                                             std::int64_t picked);

} // namespace lumenscroll
