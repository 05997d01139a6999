#include "app/reading/VerseCopy.h"

#include "app/model/BibleBook.h"

#include <cstddef>
#include <optional>
#include <utility>

namespace lumenscroll {

VerseCopy VerseCopy::of(const BibleStructure& page, const std::vector<bool>& selection) {
    if (selection.empty()) {
        return {};
    }
    std::vector<std::size_t> selected;
    for (std::size_t verse = 0; verse < selection.size() && verse < page.praises.size(); ++verse) {
        if (selection[verse]) {
            selected.push_back(verse);
        }
    }
    if (selected.empty()) {
        return {.text = {}, .notice = std::string(nothingSelectedNotice)};
    }

    // A record that no chapter load has filled in yet has no book in order; sectionIndex names
    // it all the same.
    const std::optional<BibleBook> book = bibleBookFromRaw(page.order >= 0 ? page.order : page.sectionIndex);
    const std::int64_t chapter = chapterNumber(page);
    std::string text = "[";
    if (book) {
        text += koreanBookAbbreviation(*book);
    }
    text += std::to_string(chapter) + ":" + std::to_string(selected.front() + 1);
    if (selected.size() > 1) {
        text += "-" + std::to_string(selected.back() + 1);
    }
    text += "]";
    for (const std::size_t verse : selected) {
        text += " " + page.praises[verse].word;
    }
    return {.text = std::move(text), .notice = {}};
}

} // namespace lumenscroll
