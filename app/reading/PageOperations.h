#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumenscroll {

class PageHandle;
class AppContext;

// What is done to an open page's chapter, title and translation, on the page where its state
// lives (PageHandle): whoever holds a page's index, a reading page or the carousel, calls these
// directly rather than through a page value built for the purpose. A page that is not open
// takes no write.

// The name of `bookIndex`'s text resource in translation `kind` (empty for a translation
// without text or an invalid book). For kr01 and en01 it also marks `page` as being in that
// translation (markPageTranslation).
std::string chapterResourceName(const PageHandle& page, BibleKind kind, std::int64_t bookIndex);

// The page's record takes the language of translation `kind` and its page value the label,
// each where the page has one; kinds without text change nothing.
void markPageTranslation(const PageHandle& page, BibleKind kind);

// The newest page (the last record) shows translation `kind` (kr01 and en01): its page value's
// kind and label follow it. Any other page or kind changes nothing.
void labelNewestPage(const PageHandle& page, BibleKind kind);

// Loads chapter `chapter` (from 1) of book `bookIndex` in translation `kind` as the page's
// record and as the one loaded text (storeChapter). `movingType` is the step the page is
// making (BibleView::sectionAndVerseMovingType), which chooses the chapter index the record
// keeps. An invalid book or chapter, or a page that is not open, loads and writes nothing.
void loadChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                 std::int64_t chapter, BibleKind kind, std::int64_t movingType);

// The verses of chapter `chapter` (from 1) of book `bookIndex` in translation `kind`, as a record
// (book index in sectionIndex, every other field a fresh record's). Marks `page` as in that
// translation and writes nothing else; no verses and no write for an invalid book or chapter.
BibleStructure readChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                           std::int64_t chapter, BibleKind kind);

// The page's verses become `verses`, read anew from the text resources (text, heading,
// position), each carrying the marks of the page's verse at its position: the stored verses
// keep no text, and the text may have been corrected since, but the marks are the user's. The
// page's verses past the end of a shorter text (a text file cut short, or another one put in its
// place) stay as they are, marks and notes with them, as the verses of a page without text do.
// Then the page shows its chapter's marks from the mark book (showChapterMarks).
void refreshVerses(const PageHandle& page, std::vector<BiblePraise> verses);

// Points the page at a search hit before its chapter is loaded: the record takes the hit's
// book (order, sectionIndex, and its name in kr01 and en01), `versesIndex` and translation
// `kind`; the page value takes `kind`, the verse to show (`verse`, from 0) and a plain load.
void pointAtSearchHit(const PageHandle& page, std::int64_t bookIndex, std::int64_t versesIndex,
                      std::int64_t verse, BibleKind kind);

// Makes `record` the page's record and the one loaded chapter of BibleWordsContainer, which is
// rebuilt from placeholders (entry 0 of each book stands for no chapter, entry c for chapter c).
// The page shows the chapter's marks from the mark book (showChapterMarks); the loaded text
// carries none.
void storeChapter(const PageHandle& page, std::int64_t bookIndex, std::int64_t chapter,
                  BibleStructure record);

// The page's title from its record's translation: the Korean book name, the chapter number and
// "장" for kr01, the English name and the number for en01. Other translations, and a book
// outside 0-65, keep the title there is. Traces the record's chapter index first.
void refreshPageTitle(const PageHandle& page);
// The same title, without the trace, for a caller that traces in its own words.
void titlePageFromRecord(const PageHandle& page);

// The page's title in its record's language, which first follows the record's translation
// (kr01, en01): book name, chapter number, and "장" in Korean. A book outside 0-65 keeps the
// title there is.
void rebuildPageTitle(const PageHandle& page);

// The page's record takes the language of its own translation (kr01, en01); other kinds keep
// theirs.
void matchLanguageToTranslation(const PageHandle& page);

// Traces every verse text of `record`, each after `prefix`.
void traceVerseWords(const std::string& prefix, const BibleStructure& record);

} // namespace lumenscroll
