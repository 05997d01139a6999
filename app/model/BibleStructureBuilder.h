#pragma once

#include "app/model/BibleBook.h"
#include "app/model/BibleKind.h"
#include "app/model/BiblePraise.h"
#include "app/model/BibleStructure.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

// The record of a chapter of `book` in translation `kind`, as every loader starts it: the book
// in both book fields (order, sectionIndex), the book's testament, the language of the
// translation's text ("en" for en01, "kr" for every other kind), the book's name in that
// language, chapter index 0, no verses, matchingIndexToMemo 0. A loader states only what its
// record holds otherwise:
//
//     BibleStructureBuilder(book, kind).chapterNumber(chapter).verses(std::move(verses)).build()
class BibleStructureBuilder {
public:
    BibleStructureBuilder(BibleBook book, BibleKind kind);

    // The chapter as a page's record counts it: from 0.
    BibleStructureBuilder& chapterIndex(std::int64_t index) {
        record_.versesIndex = index;
        return *this;
    }
    // The chapter as the loaders of whole texts count it: from 1.
    BibleStructureBuilder& chapterNumber(std::int64_t number) {
        record_.versesIndex = number;
        return *this;
    }
    // The book's name in `language` (bookName) rather than in the text's.
    BibleStructureBuilder& nameIn(std::string_view language);
    BibleStructureBuilder& name(std::string name) {
        record_.name = std::move(name);
        return *this;
    }
    BibleStructureBuilder& order(std::int64_t order) {
        record_.order = order;
        return *this;
    }
    BibleStructureBuilder& sectionIndex(std::int64_t index) {
        record_.sectionIndex = index;
        return *this;
    }
    BibleStructureBuilder& verses(std::vector<BiblePraise> verses) {
        record_.praises = std::move(verses);
        return *this;
    }

    // The record, taken out of the builder: its verses are moved, not copied.
    BibleStructure build() { return std::move(record_); }

private:
    BibleBook book_;
    BibleStructure record_;
};

} // namespace lumenscroll
