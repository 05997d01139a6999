#include "app/model/BibleBook.h"

#include "app/model/LanguageCode.h"
#include "coding/Fatal.h"

#include <string>

namespace lumenscroll {

namespace {

struct BookNames {
    std::string_view korean;
    std::string_view abbreviation;
    std::string_view english;
};

constexpr std::array<BookNames, bibleBookCount> names{{
    {"창세기", "창", "Genesis"},
    {"출애굽기", "출", "Exodus"},
    {"레위기", "레", "Leviticus"},
    {"민수기", "민", "Numbers"},
    {"신명기", "신", "Deuteronomy"},
    {"여호수아", "수", "Joshua"},
    {"사사기", "삿", "Judges"},
    {"룻기", "룻", "Ruth"},
    {"사무엘상", "삼상", "Samuel1"},
    {"사무엘하", "삼하", "Samuel2"},
    {"열왕기상", "왕상", "Kings1"},
    {"열왕기하", "왕하", "Kings2"},
    {"역대상", "대상", "Chronicles1"},
    {"역대하", "대하", "Chronicles2"},
    {"에스라", "스", "Ezra"},
    {"느헤미야", "느", "Nehemiah"},
    {"에스더", "에", "Esther"},
    {"욥기", "욥", "Job"},
    {"시편", "시", "Psalms"},
    {"잠언", "잠", "Proverbs"},
    {"전도서", "전", "Ecclesiastes"},
    {"아가", "아", "SongofSongs"},
    {"이사야", "사", "Isaiah"},
    {"예레미야", "렘", "Jeremiah"},
    {"예레미야애가", "애", "Lamentations"},
    {"에스겔", "겔", "Ezekiel"},
    {"다니엘", "단", "Daniel"},
    {"호세아", "호", "Hosea"},
    {"요엘", "욜", "Joel"},
    {"아모스", "암", "Amos"},
    {"오바댜", "옵", "Obadiah"},
    {"요나", "욘", "Jonah"},
    {"미가", "미", "Micah"},
    {"나훔", "나", "Nahum"},
    {"하박국", "합", "Habakkuk"},
    {"스바냐", "습", "Zephaniah"},
    {"학개", "학", "Haggai"},
    {"스가랴", "슥", "Zechariah"},
    {"말라기", "말", "Malachi"},
    {"마태복음", "마", "Matthew"},
    {"마가복음", "막", "Mark"},
    {"누가복음", "눅", "Luke"},
    {"요한복음", "요", "John"},
    {"사도행전", "행", "Acts"},
    {"로마서", "롬", "Romans"},
    {"고린도전서", "고전", "Corinthians1"},
    {"고린도후서", "고후", "Corinthians2"},
    {"갈라디아서", "갈", "Galatians"},
    {"에베소서", "엡", "Ephesians"},
    {"빌립보서", "빌", "Philippians"},
    {"골로새서", "골", "Colossians"},
    {"데살로니가전서", "살전", "Thessalonians1"},
    {"데살로니가후서", "살후", "Thessalonians2"},
    {"디모데전서", "딤전", "Timothy1"},
    {"디모데후서", "딤후", "Timothy2"},
    {"디도서", "딛", "Titus"},
    {"빌레몬서", "몬", "Philemon"},
    {"히브리서", "히", "Hebrews"},
    {"야고보서", "약", "James"},
    {"베드로전서", "벧전", "Peter1"},
    {"베드로후서", "벧후", "Peter2"},
    {"요한일서", "요일", "John1"},
    {"요한이서", "요이", "John2"},
    {"요한삼서", "요삼", "John3"},
    {"유다서", "유", "Jude"},
    {"요한계시록", "계", "Revelation"},
}};

// Verse counts per chapter. The texts are cut into chapters by these numbers alone, so they
// must match the shipped texts line for line: hence 1 Samuel 30 (30), Psalm 72 (19) and
// 2 Corinthians 13 (13), one verse short of the King James division.
// clang-format off
constexpr std::int64_t genesis[] = {31, 25, 24, 26, 32, 22, 24, 22, 29, 32, 32, 20, 18, 24, 21, 16, 27,
                                    33, 38, 18, 34, 24, 20, 67, 34, 35, 46, 22, 35, 43, 55, 32, 20, 31,
                                    29, 43, 36, 30, 23, 23, 57, 38, 34, 34, 28, 34, 31, 22, 33, 26};
constexpr std::int64_t exodus[] = {22, 25, 22, 31, 23, 30, 25, 32, 35, 29, 10, 51, 22, 31, 27, 36, 16, 27, 25, 26,
                                   36, 31, 33, 18, 40, 37, 21, 43, 46, 38, 18, 35, 23, 35, 35, 38, 29, 31, 43, 38};
constexpr std::int64_t leviticus[] = {17, 16, 17, 35, 19, 30, 38, 36, 24, 20, 47, 8, 59, 57,
                                      33, 34, 16, 30, 37, 27, 24, 33, 44, 23, 55, 46, 34};
constexpr std::int64_t numbers[] = {54, 34, 51, 49, 31, 27, 89, 26, 23, 36, 35, 16, 33, 45, 41, 50, 13, 32,
                                    22, 29, 35, 41, 30, 25, 18, 65, 23, 31, 40, 16, 54, 42, 56, 29, 34, 13};
constexpr std::int64_t deuteronomy[] = {46, 37, 29, 49, 33, 25, 26, 20, 29, 22, 32, 32, 18, 29, 23, 22, 20,
                                        22, 21, 20, 23, 30, 25, 22, 19, 19, 26, 68, 29, 20, 30, 52, 29, 12};
constexpr std::int64_t joshua[] = {18, 24, 17, 24, 15, 27, 26, 35, 27, 43, 23, 24,
                                   33, 15, 63, 10, 18, 28, 51, 9,  45, 34, 16, 33};
constexpr std::int64_t judges[] = {36, 23, 31, 24, 31, 40, 25, 35, 57, 18, 40,
                                   15, 25, 20, 20, 31, 13, 31, 30, 48, 25};
constexpr std::int64_t ruth[] = {22, 23, 18, 22};
constexpr std::int64_t samuel1[] = {28, 36, 21, 22, 12, 21, 17, 22, 27, 27, 15, 25, 23, 52, 35, 23,
                                    58, 30, 24, 42, 15, 23, 29, 22, 44, 25, 12, 25, 11, 30, 13};
constexpr std::int64_t samuel2[] = {27, 32, 39, 12, 25, 23, 29, 18, 13, 19, 27, 31,
                                    39, 33, 37, 23, 29, 33, 43, 26, 22, 51, 39, 25};
constexpr std::int64_t kings1[] = {53, 46, 28, 34, 18, 38, 51, 66, 28, 29, 43,
                                   33, 34, 31, 34, 34, 24, 46, 21, 43, 29, 53};
constexpr std::int64_t kings2[] = {18, 25, 27, 44, 27, 33, 20, 29, 37, 36, 21, 21, 25,
                                   29, 38, 20, 41, 37, 37, 21, 26, 20, 37, 20, 30};
constexpr std::int64_t chronicles1[] = {54, 55, 24, 43, 26, 81, 40, 40, 44, 14, 47, 40, 14, 17, 29,
                                        43, 27, 17, 19, 8,  30, 19, 32, 31, 31, 32, 34, 21, 30};
constexpr std::int64_t chronicles2[] = {17, 18, 17, 22, 14, 42, 22, 18, 31, 19, 23, 16, 22, 15, 19, 14, 19, 34,
                                        11, 37, 20, 12, 21, 27, 28, 23, 9,  27, 36, 27, 21, 33, 25, 33, 27, 23};
constexpr std::int64_t ezra[] = {11, 70, 13, 24, 17, 22, 28, 36, 15, 44};
constexpr std::int64_t nehemiah[] = {11, 20, 32, 23, 19, 19, 73, 18, 38, 39, 36, 47, 31};
constexpr std::int64_t esther[] = {22, 23, 15, 17, 14, 14, 10, 17, 32, 3};
constexpr std::int64_t job[] = {22, 13, 26, 21, 27, 30, 21, 22, 35, 22, 20, 25, 28, 22, 35, 22, 16, 21, 29, 29, 34,
                                30, 17, 25, 6,  14, 23, 28, 25, 31, 40, 22, 33, 37, 16, 33, 24, 41, 30, 24, 34, 17};
constexpr std::int64_t psalms[] = {
    6,  12, 8,  8,  12, 10, 17, 9,  20, 18, 7,  8,  6,  7,  5,  11, 15, 50, 14, 9,  13, 31, 6,  10, 22,  // 1-25
    12, 14, 9,  11, 12, 24, 11, 22, 22, 28, 12, 40, 22, 13, 17, 13, 11, 5,  26, 17, 11, 9,  14, 20, 23,  // 26-50
    19, 9,  6,  7,  23, 13, 11, 11, 17, 12, 8,  12, 11, 10, 13, 20, 7,  35, 36, 5,  24, 19, 28, 23, 10,  // 51-75
    12, 20, 72, 13, 19, 16, 8,  18, 12, 13, 17, 7,  18, 52, 17, 16, 15, 5,  23, 11, 13, 12, 9,  9,  5,   // 76-100
    8,  28, 22, 35, 45, 48, 43, 13, 31, 7,  10, 10, 9,  8,  18, 19, 2,  29, 176, 7, 8,  9,  4,  8,  5,   // 101-125
    6,  5,  6,  8,  8,  3,  18, 3,  3,  21, 26, 9,  8,  24, 13, 10, 7,  12, 15, 21, 10, 20, 14, 9,  6,   // 126-150
};
constexpr std::int64_t proverbs[] = {33, 22, 35, 27, 23, 35, 27, 36, 18, 32, 31, 28, 25, 35, 33, 33,
                                     28, 24, 29, 30, 31, 29, 35, 34, 28, 28, 27, 28, 27, 33, 31};
constexpr std::int64_t ecclesiastes[] = {18, 26, 22, 16, 20, 12, 29, 17, 18, 20, 10, 14};
constexpr std::int64_t songOfSongs[] = {17, 17, 11, 16, 16, 13, 13, 14};
constexpr std::int64_t isaiah[] = {31, 22, 26, 6,  30, 13, 25, 22, 21, 34, 16, 6,  22, 32, 9,  14, 14,
                                   7,  25, 6,  17, 25, 18, 23, 12, 21, 13, 29, 24, 33, 9,  20, 24, 17,
                                   10, 22, 38, 22, 8,  31, 29, 25, 28, 28, 25, 13, 15, 22, 26, 11, 23,
                                   15, 12, 17, 13, 12, 21, 14, 21, 22, 11, 12, 19, 12, 25, 24};
constexpr std::int64_t jeremiah[] = {19, 37, 25, 31, 31, 30, 34, 22, 26, 25, 23, 17, 27, 22, 21, 21, 27, 23,
                                     15, 18, 14, 30, 40, 10, 38, 24, 22, 17, 32, 24, 40, 44, 26, 22, 19, 32,
                                     21, 28, 18, 16, 18, 22, 13, 30, 5,  28, 7,  47, 39, 46, 64, 34};
constexpr std::int64_t lamentations[] = {22, 22, 66, 22, 22};
constexpr std::int64_t ezekiel[] = {28, 10, 27, 17, 17, 14, 27, 18, 11, 22, 25, 28, 23, 23, 8,  63,
                                    24, 32, 14, 49, 32, 31, 49, 27, 17, 21, 36, 26, 21, 26, 18, 32,
                                    33, 31, 15, 38, 28, 23, 29, 49, 26, 20, 27, 31, 25, 24, 23, 35};
constexpr std::int64_t daniel[] = {21, 49, 30, 37, 31, 28, 28, 27, 27, 21, 45, 13};
constexpr std::int64_t hosea[] = {11, 23, 5, 19, 15, 11, 16, 14, 17, 15, 12, 14, 16, 9};
constexpr std::int64_t joel[] = {20, 32, 21};
constexpr std::int64_t amos[] = {15, 16, 15, 13, 27, 14, 17, 14, 15};
constexpr std::int64_t obadiah[] = {21};
constexpr std::int64_t jonah[] = {17, 10, 10, 11};
constexpr std::int64_t micah[] = {16, 13, 12, 13, 15, 16, 20};
constexpr std::int64_t nahum[] = {15, 13, 19};
constexpr std::int64_t habakkuk[] = {17, 20, 19};
constexpr std::int64_t zephaniah[] = {18, 15, 20};
constexpr std::int64_t haggai[] = {15, 23};
constexpr std::int64_t zechariah[] = {21, 13, 10, 14, 11, 15, 14, 23, 17, 12, 17, 14, 9, 21};
constexpr std::int64_t malachi[] = {14, 17, 18, 6};
constexpr std::int64_t matthew[] = {25, 23, 17, 25, 48, 34, 29, 34, 38, 42, 30, 50, 58, 36,
                                    39, 28, 27, 35, 30, 34, 46, 46, 39, 51, 46, 75, 66, 20};
constexpr std::int64_t mark[] = {45, 28, 35, 41, 43, 56, 37, 38, 50, 52, 33, 44, 37, 72, 47, 20};
constexpr std::int64_t luke[] = {80, 52, 38, 44, 39, 49, 50, 56, 62, 42, 54, 59,
                                 35, 35, 32, 31, 37, 43, 48, 47, 38, 71, 56, 53};
constexpr std::int64_t john[] = {51, 25, 36, 54, 47, 71, 53, 59, 41, 42, 57, 50, 38, 31, 27, 33, 26, 40, 42, 31, 25};
constexpr std::int64_t acts[] = {26, 47, 26, 37, 42, 15, 60, 40, 43, 48, 30, 25, 52, 28,
                                 41, 40, 34, 28, 41, 38, 40, 30, 35, 27, 27, 32, 44, 31};
constexpr std::int64_t romans[] = {32, 29, 31, 25, 21, 23, 25, 39, 33, 21, 36, 21, 14, 23, 33, 27};
constexpr std::int64_t corinthians1[] = {31, 16, 23, 21, 13, 20, 40, 13, 27, 33, 34, 31, 13, 40, 58, 24};
constexpr std::int64_t corinthians2[] = {24, 17, 18, 18, 21, 18, 16, 24, 15, 18, 33, 21, 13};
constexpr std::int64_t galatians[] = {24, 21, 29, 31, 26, 18};
constexpr std::int64_t ephesians[] = {23, 22, 21, 32, 33, 24};
constexpr std::int64_t philippians[] = {30, 30, 21, 23};
constexpr std::int64_t colossians[] = {29, 23, 25, 18};
constexpr std::int64_t thessalonians1[] = {10, 20, 13, 18, 28};
constexpr std::int64_t thessalonians2[] = {12, 17, 18};
constexpr std::int64_t timothy1[] = {20, 15, 16, 16, 25, 21};
constexpr std::int64_t timothy2[] = {18, 26, 17, 22};
constexpr std::int64_t titus[] = {16, 15, 15};
constexpr std::int64_t philemon[] = {25};
constexpr std::int64_t hebrews[] = {14, 18, 19, 16, 14, 20, 28, 13, 28, 39, 40, 29, 25};
constexpr std::int64_t james[] = {27, 26, 18, 17, 20};
constexpr std::int64_t peter1[] = {25, 25, 22, 19, 14};
constexpr std::int64_t peter2[] = {21, 22, 18};
constexpr std::int64_t john1[] = {10, 29, 24, 21, 21};
constexpr std::int64_t john2[] = {13};
constexpr std::int64_t john3[] = {14};
constexpr std::int64_t jude[] = {25};
constexpr std::int64_t revelation[] = {20, 29, 22, 11, 14, 17, 17, 13, 21, 11, 19,
                                       17, 18, 20, 8,  21, 18, 24, 21, 15, 27, 21};

constexpr std::array<std::span<const std::int64_t>, bibleBookCount> verseCounts{
    genesis,        exodus,         leviticus,      numbers,        deuteronomy,    joshua,
    judges,         ruth,           samuel1,        samuel2,        kings1,         kings2,
    chronicles1,    chronicles2,    ezra,           nehemiah,       esther,         job,
    psalms,         proverbs,       ecclesiastes,   songOfSongs,    isaiah,         jeremiah,
    lamentations,   ezekiel,        daniel,         hosea,          joel,           amos,
    obadiah,        jonah,          micah,          nahum,          habakkuk,       zephaniah,
    haggai,         zechariah,      malachi,        matthew,        mark,           luke,
    john,           acts,           romans,         corinthians1,   corinthians2,   galatians,
    ephesians,      philippians,    colossians,     thessalonians1, thessalonians2, timothy1,
    timothy2,       titus,          philemon,       hebrews,        james,          peter1,
    peter2,         john1,          john2,          john3,          jude,           revelation,
};
// clang-format on

constexpr std::array<std::int64_t, bibleBookCount> chapterCounts = [] {
    std::array<std::int64_t, bibleBookCount> counts{};
    for (std::size_t book = 0; book < counts.size(); ++book)
        counts[book] = static_cast<std::int64_t>(verseCounts[book].size());
    return counts;
}();

constexpr std::array<std::int64_t, bibleBookCount> lastChapterIndices = [] {
    std::array<std::int64_t, bibleBookCount> indices{};
    for (std::size_t book = 0; book < indices.size(); ++book)
        indices[book] = chapterCounts[book] - 1;
    return indices;
}();

// A BibleBook can only be out of range if someone cast it from an unchecked integer.
std::size_t tableIndex(BibleBook book) {
    const auto raw = rawValue(book);
    if (raw < 0 || raw >= bibleBookCount)
        coding::fatal("BibleBook out of range: " + std::to_string(raw));
    return static_cast<std::size_t>(raw);
}

} // namespace

std::optional<BibleBook> bibleBookFromRaw(std::int64_t raw) {
    if (raw < 0 || raw >= bibleBookCount)
        return std::nullopt;
    return static_cast<BibleBook>(raw);
}

std::string_view bookName(std::string_view language, BibleBook book) {
    if (language == englishLanguageCode)
        return englishBookName(book);
    return koreanBookName(book);
}

std::string_view bookNameByIndex(std::string_view language, std::int64_t index) {
    return bookName(language, bibleBookFromRaw(index).value_or(BibleBook::genesis));
}

std::string_view koreanBookName(BibleBook book) {
    return names[tableIndex(book)].korean;
}

std::string_view koreanBookAbbreviation(BibleBook book) {
    return names[tableIndex(book)].abbreviation;
}

std::string_view englishBookName(BibleBook book) {
    return names[tableIndex(book)].english;
}

std::span<const std::int64_t> versesPerChapter(BibleBook book) {
    return verseCounts[tableIndex(book)];
}

const std::array<std::int64_t, bibleBookCount>& chaptersPerBook() {
    return chapterCounts;
}

const std::array<std::int64_t, bibleBookCount>& lastChapterIndexPerBook() {
    return lastChapterIndices;
}

} // namespace lumenscroll
