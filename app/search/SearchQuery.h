#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

// How the search page reads a query and compares text: the rules a user can predict from
// typing, kept apart from the page so that the matcher and the page agree on them.
class SearchQuery {
public:
    SearchQuery() = delete;

    // The words of a query. Spaces separate words; a query of a single piece is separated at
    // commas instead ("믿음,소망" is two words, "믿음, 소망" the word "믿음," and "소망"). Each
    // word is trimmed of blanks and empty words are dropped, so a blank query has no words.
    // A word that stands twice stays twice: it counts twice when verses are ranked.
    static std::vector<std::string> words(std::string_view query);

    // The text with every letter in lower case (Unicode simple case mapping; Hangul and every
    // other caseless letter unchanged). Bytes that are not UTF-8 are kept as they are.
    static std::string lowercased(std::string_view utf8);
};

} // namespace lumenscroll
