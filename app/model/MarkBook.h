#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/model/MarkedChapter.h"
#include "app/model/MarkedVerse.h"

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace lumenscroll {

// The reader's marks (highlights, bookmarks, notes) by translation, book, chapter and verse: what
// a page shows on the verses of whatever chapter it loads, whichever page made them. A page keeps
// a copy of its chapter's marks in its record; this is where they belong.
class MarkBook {
public:
    // A chapter of one translation, as the book files its marks.
    struct Chapter {
        BibleKind kind = BibleKind::kr01;
        std::int64_t book = 0;
        // Counted from 0.
        std::int64_t chapterIndex = 0;

        friend auto operator<=>(const Chapter&, const Chapter&) = default;
    };

    // The chapter a page's record shows (a versesIndex of -1 is its first); none for a record on
    // a book or chapter the tables do not have.
    static std::optional<Chapter> chapterOf(const BibleStructure& record);

    // The marks of verse `verse` of `chapter`: blank ones when the book holds none.
    MarkedVerse marks(const Chapter& chapter, std::int64_t verse) const;
    // The marked verses of `chapter`; null when it has none.
    const MarkedChapter* chapter(const Chapter& chapter) const;
    // Verse `marks.verse` of `chapter` carries `marks` from now on: blank marks take it out.
    // Marks of a verse before the first (a negative position) are not kept.
    void put(const Chapter& chapter, MarkedVerse marks);

    // Whether `record`'s verses carry exactly the marks the book holds for its chapter; a record on
    // no chapter always does.
    bool isShownBy(const BibleStructure& record) const;
    // `record`'s verses take the marks of its chapter, each verse the book names none on none.
    void showOn(BibleStructure& record) const;

    // Takes in the marks pages kept in their own records, as earlier builds had them: the marks of
    // every record whose chapter the book holds nothing of yet. Where several records show one
    // chapter, each kind of mark on a verse comes from the first record that carries one: no mark
    // is lost, and where two differ, the first page's stands.
    void takeMarksOfChaptersMissing(const std::vector<BibleStructure>& records);

    // Adds a chapter as a file holds it; false, and nothing added, when it names no chapter of the
    // tables. A verse named twice keeps its last marks.
    bool add(const MarkedChapter& marked);

    // The marked chapters in a stable order (translation, book, chapter).
    const std::map<Chapter, MarkedChapter>& chapters() const { return chapters_; }
    bool isEmpty() const { return chapters_.empty(); }

    friend bool operator==(const MarkBook&, const MarkBook&) = default;

private:
    // Each kind of mark `verse` lacks comes from `from`.
    void fillIn(const Chapter& chapter, const MarkedVerse& from);

    std::map<Chapter, MarkedChapter> chapters_;
};

} // namespace lumenscroll
