#include "app/search/SearchQuery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenscroll {
namespace {

TEST(SearchQuery, WordsOfWorkedExamples) {
    const struct {
        std::string query;
        std::vector<std::string> words;
    } cases[] = {
        {"믿음 사랑", {"믿음", "사랑"}},
        {"믿음,사랑", {"믿음", "사랑"}},
        {"믿음, 사랑", {"믿음,", "사랑"}},
        {"믿음,,사랑", {"믿음", "사랑"}},
        {"  믿음   사랑 ", {"믿음", "사랑"}},
        {"믿음 믿음", {"믿음", "믿음"}},
        {"믿음", {"믿음"}},
        {" 믿음", {"믿음"}},
        // An ideographic space or a tab around a single word is no part of it.
        {"\u3000믿음\t", {"믿음"}},
        // Nothing to look for: a lone blank once matched every verse.
        {"", {}},
        {" ", {}},
        {"   ", {}},
        {" , ", {}},
    };
    for (const auto& [query, words] : cases) {
        EXPECT_EQ(SearchQuery::words(query), words) << '"' << query << '"';
    }
}

TEST(SearchQuery, LowercasesLettersOfEveryScriptAndKeepsTheRest) {
    EXPECT_EQ(SearchQuery::lowercased("In The BEGINNING"), "in the beginning");
    EXPECT_EQ(SearchQuery::lowercased("ÜBER ΣΟΦΙΑ Ж"), "über σοφια ж");
    EXPECT_EQ(SearchQuery::lowercased("태초에 하나님이 1:1 [창]"), "태초에 하나님이 1:1 [창]");
    // Bytes that are not UTF-8 stay as they are; the letters after them are still lowered.
    EXPECT_EQ(SearchQuery::lowercased("A\xff"
                                      "B\xe2\x82"
                                      "C"),
              "a\xff"
              "b\xe2\x82"
              "c");
}

} // namespace
} // namespace lumenscroll
