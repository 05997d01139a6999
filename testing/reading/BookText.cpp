#include "testing/reading/BookText.h"

#include <span>

namespace lumenscroll::testing {

std::string bookText(BibleBook book, const std::string& lineEnd, const VerseLine& verseLine,
                     std::size_t lineCount) {
    std::string text;
    std::size_t written = 0;
    const std::span<const std::int64_t> counts = versesPerChapter(book);
    for (std::size_t c = 0; c < counts.size(); ++c) {
        const auto chapter = static_cast<std::int64_t>(c) + 1;
        for (std::int64_t verse = 1; verse <= counts[c] && written < lineCount; ++verse, ++written) {
            text +=
                std::to_string(chapter) + ":" + std::to_string(verse) + verseLine(chapter, verse) + lineEnd;
        }
    }
    return text;
}

} // namespace lumenscroll::testing
