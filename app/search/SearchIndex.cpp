#include "app/search/SearchIndex.h"

#include "app/search/SearchQuery.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>

namespace lumenscroll {

namespace {

constexpr char separator = '\n';

} // namespace

SearchIndex::SearchIndex(const std::vector<std::vector<BibleStructure>>& translation)
    : identity_(identityOf(translation)) {
    for (std::size_t book = 0; book < translation.size(); ++book) {
        const std::vector<BibleStructure>& chapters = translation[book];
        for (std::size_t chapter = 0; chapter < chapters.size(); ++chapter) {
            const std::vector<BiblePraise>& verses = chapters[chapter].praises;
            for (std::size_t position = 0; position < verses.size(); ++position) {
                // An empty text (a filler record, a malformed line) holds no word.
                if (verses[position].word.empty()) {
                    continue;
                }
                if (!verses_.empty()) {
                    text_ += separator;
                }
                starts_.push_back(text_.size());
                text_ += SearchQuery::lowercased(verses[position].word);
                verses_.push_back({static_cast<std::int64_t>(book), static_cast<std::int64_t>(chapter),
                                   static_cast<std::int64_t>(position)});
            }
        }
    }
    // As if a separator followed the last verse.
    starts_.push_back(text_.size() + 1);
}

SearchIndex::Identity SearchIndex::identityOf(const std::vector<std::vector<BibleStructure>>& translation) {
    Identity identity{translation.data(), translation.size(), 0};
    for (const std::vector<BibleStructure>& chapters : translation) {
        for (const BibleStructure& chapter : chapters) {
            identity.recordCount += chapter.praises.size();
        }
    }
    return identity;
}

bool SearchIndex::isIndexOf(const std::vector<std::vector<BibleStructure>>& translation) const {
    return identityOf(translation) == identity_;
}

std::vector<SearchIndex::Match> SearchIndex::match(const std::vector<std::string>& lowercasedWords) const {
    // A word given twice is looked for once and counted twice.
    std::map<std::string_view, std::int64_t> multiplicity;
    for (const std::string& word : lowercasedWords) {
        if (!word.empty()) {
            ++multiplicity[word];
        }
    }

    std::vector<std::int64_t> counts(verses_.size(), 0);
    const char* const text = text_.data();
    for (const auto& [word, times] : multiplicity) {
        std::size_t from = 0;
        std::size_t verse = 0;
        while (from < text_.size()) {
            const void* found = memmem(text + from, text_.size() - from, word.data(), word.size());
            if (!found) {
                break;
            }
            const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - text);
            // The verse whose text holds `at`: the last one starting at or before it.
            verse = static_cast<std::size_t>(
                        std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(verse) + 1,
                                         starts_.end(), at) -
                        starts_.begin()) -
                    1;
            const std::size_t next = starts_[verse + 1];
            // A match running on into the next verse is none.
            if (at + word.size() < next) {
                counts[verse] += times;
                from = next;
            } else {
                from = at + 1;
            }
        }
    }

    std::vector<Match> matches;
    for (std::size_t verse = 0; verse < counts.size(); ++verse) {
        if (counts[verse] > 0) {
            matches.push_back({verse, counts[verse]});
        }
    }
    return matches;
}

} // namespace lumenscroll
