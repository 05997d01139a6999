#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"

#include <cstdint>

namespace lumenscroll {

class AppContext;
class PageHandle;

// What the carousel does to a page's chapter and title, on the page where its state lives
// (PageHandle): the carousel's members of these names delegate here, and the restore at launch
// calls these without a carousel.

// The page's record takes the language of its translation and the page its title from the record
// (book name, chapter number, "장" for Korean); a record that names a chapter of a book traces its
// chapter index. False, and nothing written, for a page that has no record or no page value.
bool retitlePage(const PageHandle& page);

// The verses of chapter `chapter` (from 1) of book `bookIndex` in `kind` in a record of their own,
// for `page`, whose language and translation label follow `kind`. No verses for a chapter that
// has no text. Traces the translation, the verse count of each chapter before it, and the number
// of lines of the book's text.
BibleStructure makeChapter(const PageHandle& page, const AppContext& context, std::int64_t bookIndex,
                           std::int64_t chapter, BibleKind kind);

} // namespace lumenscroll
