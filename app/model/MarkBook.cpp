#include "app/model/MarkBook.h"

#include "app/model/BibleBook.h"

#include <algorithm>
#include <set>
#include <utility>

namespace lumenscroll {

namespace {

bool isChapterOfTheTables(std::int64_t book, std::int64_t chapterIndex) {
    const std::optional<BibleBook> known = bibleBookFromRaw(book);
    return known && chapterIndex >= 0 && chapterIndex < chaptersPerBook()[static_cast<std::size_t>(book)];
}

// The first verse at `verse` or after it, in a chapter's verse-ordered list.
template <class Verses> auto verseAt(Verses& verses, std::int64_t verse) {
    return std::lower_bound(verses.begin(), verses.end(), verse,
                            [](const MarkedVerse& marked, std::int64_t position) { return marked.verse < position; });
}

} // namespace

std::optional<MarkBook::Chapter> MarkBook::chapterOf(const BibleStructure& record) {
    const std::int64_t chapterIndex = chapterNumber(record) - 1;
    if (!isChapterOfTheTables(record.sectionIndex, chapterIndex)) {
        return std::nullopt;
    }
    return Chapter{record.kindOfBible, record.sectionIndex, chapterIndex};
}

MarkedVerse MarkBook::marks(const Chapter& chapter, std::int64_t verse) const {
    if (const MarkedChapter* marked = this->chapter(chapter)) {
        const auto found = verseAt(marked->verses, verse);
        if (found != marked->verses.end() && found->verse == verse) {
            return *found;
        }
    }
    MarkedVerse blank;
    blank.verse = verse;
    return blank;
}

const MarkedChapter* MarkBook::chapter(const Chapter& chapter) const {
    const auto found = chapters_.find(chapter);
    return found == chapters_.end() ? nullptr : &found->second;
}

void MarkBook::put(const Chapter& chapter, MarkedVerse marks) {
    if (marks.verse < 0) {
        return;
    }
    auto found = chapters_.find(chapter);
    if (found == chapters_.end()) {
        if (marks.isBlank()) {
            return;
        }
        found = chapters_.emplace(chapter, MarkedChapter{chapter.kind, chapter.book, chapter.chapterIndex, {}}).first;
    }
    std::vector<MarkedVerse>& verses = found->second.verses;
    const auto at = verseAt(verses, marks.verse);
    const bool there = at != verses.end() && at->verse == marks.verse;
    if (marks.isBlank()) {
        if (there) {
            verses.erase(at);
        }
        if (verses.empty()) {
            chapters_.erase(found);
        }
    } else if (there) {
        *at = std::move(marks);
    } else {
        verses.insert(at, std::move(marks));
    }
}

bool MarkBook::isShownBy(const BibleStructure& record) const {
    const std::optional<Chapter> chapter = chapterOf(record);
    if (!chapter) {
        return true;
    }
    const MarkedChapter* marked = this->chapter(*chapter);
    auto next = marked ? marked->verses.begin() : std::vector<MarkedVerse>::const_iterator();
    const auto end = marked ? marked->verses.end() : next;
    static const MarkedVerse blank;
    for (std::size_t j = 0; j < record.praises.size(); ++j) {
        const auto verse = static_cast<std::int64_t>(j);
        const bool named = next != end && next->verse == verse;
        if (!(named ? *next : blank).isShownBy(record.praises[j])) {
            return false;
        }
        next += named ? 1 : 0;
    }
    return true;
}

void MarkBook::showOn(BibleStructure& record) const {
    const std::optional<Chapter> chapter = chapterOf(record);
    if (!chapter) {
        return;
    }
    for (std::size_t j = 0; j < record.praises.size(); ++j) {
        marks(*chapter, static_cast<std::int64_t>(j)).showOn(record.praises[j]);
    }
}

void MarkBook::takeMarksOfChaptersMissing(const std::vector<BibleStructure>& records) {
    std::set<Chapter> held;
    for (const auto& [chapter, marked] : chapters_) {
        held.insert(chapter);
    }
    for (const BibleStructure& record : records) {
        const std::optional<Chapter> chapter = chapterOf(record);
        if (!chapter || held.contains(*chapter)) {
            continue;
        }
        for (std::size_t j = 0; j < record.praises.size(); ++j) {
            fillIn(*chapter, MarkedVerse::of(static_cast<std::int64_t>(j), record.praises[j]));
        }
    }
}

void MarkBook::fillIn(const Chapter& chapter, const MarkedVerse& from) {
    if (from.isBlank()) {
        return;
    }
    MarkedVerse marks = this->marks(chapter, from.verse);
    static const MarkedVerse blank;
    if (marks.bgColor == 0) {
        marks.bgColor = from.bgColor;
    }
    marks.bookmarked = marks.bookmarked || from.bookmarked;
    marks.hasMemo = marks.hasMemo || from.hasMemo;
    if (marks.memoTitle.empty()) {
        marks.memoTitle = from.memoTitle;
    }
    if (*marks.memo == *blank.memo) {
        marks.memo = from.memo;
    }
    put(chapter, std::move(marks));
}

bool MarkBook::add(const MarkedChapter& marked) {
    if (!isChapterOfTheTables(marked.sectionIndex, marked.versesIndex)) {
        return false;
    }
    // In verse order, the last of a verse named twice first: one pass merges them in, however the
    // file lists them.
    std::vector<MarkedVerse> incoming = marked.verses;
    std::stable_sort(incoming.begin(), incoming.end(),
                     [](const MarkedVerse& a, const MarkedVerse& b) { return a.verse < b.verse; });
    std::reverse(incoming.begin(), incoming.end());
    incoming.erase(std::unique(incoming.begin(), incoming.end(),
                               [](const MarkedVerse& a, const MarkedVerse& b) { return a.verse == b.verse; }),
                   incoming.end());
    std::reverse(incoming.begin(), incoming.end());

    const Chapter chapter{marked.kindOfBible, marked.sectionIndex, marked.versesIndex};
    std::vector<MarkedVerse> merged;
    const MarkedChapter* held = this->chapter(chapter);
    const std::vector<MarkedVerse> none;
    const std::vector<MarkedVerse>& kept = held ? held->verses : none;
    auto old = kept.begin();
    for (MarkedVerse& verse : incoming) {
        for (; old != kept.end() && old->verse < verse.verse; ++old) {
            merged.push_back(*old);
        }
        if (old != kept.end() && old->verse == verse.verse) {
            ++old;
        }
        if (verse.verse >= 0 && !verse.isBlank()) {
            merged.push_back(std::move(verse));
        }
    }
    merged.insert(merged.end(), old, kept.end());
    if (merged.empty()) {
        chapters_.erase(chapter);
    } else {
        chapters_[chapter] = MarkedChapter{chapter.kind, chapter.book, chapter.chapterIndex, std::move(merged)};
    }
    return true;
}

} // namespace lumenscroll
