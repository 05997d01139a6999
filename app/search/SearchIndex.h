#pragma once

#include "app/model/BibleStructure.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumenscroll {

// The verses of one loaded translation in lower case, one after the other in Bible order, so
// that a query word is looked for in the whole text at once rather than verse by verse: the
// search page builds one when it first searches a translation and keeps it while it is open,
// which makes every later query as fast as a plain scan of the text.
class SearchIndex {
public:
    // Where a verse stands in the translation: book, chapter and verse positions, from 0.
    struct Verse {
        std::int64_t book;
        std::int64_t chapter;
        std::int64_t position;
    };

    // A verse holding `count` of the query's words (a word given twice counts twice).
    struct Match {
        std::size_t verse;
        std::int64_t count;
    };

    // `translation` as loadedBibleWordsContainers holds one: book i, chapter j, verse k.
    explicit SearchIndex(const std::vector<std::vector<BibleStructure>>& translation);

    // Whether this index was built from `translation` as it stands now.
    bool isIndexOf(const std::vector<std::vector<BibleStructure>>& translation) const;

    // Every verse whose text contains at least one of `lowercasedWords` as a substring (no word
    // boundaries), in Bible order. Empty words match nothing.
    std::vector<Match> match(const std::vector<std::string>& lowercasedWords) const;

    const Verse& verse(std::size_t verse) const { return verses_[verse]; }
    std::size_t verseCount() const { return verses_.size(); }

private:
    struct Identity {
        const void* books = nullptr;
        std::size_t bookCount = 0;
        std::size_t recordCount = 0;

        bool operator==(const Identity&) const = default;
    };
    static Identity identityOf(const std::vector<std::vector<BibleStructure>>& translation);

    // Verse texts joined by line feeds.
    std::string text_;
    // Where each verse's text begins in text_, and one more entry one past the end.
    std::vector<std::size_t> starts_;
    std::vector<Verse> verses_;
    Identity identity_;
};

} // namespace lumenscroll
