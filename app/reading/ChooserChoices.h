#pragma once

#include "app/platform/Binding.h"

#include <cstdint>

namespace lumenscroll {

class AppContext;
class BibleSelectionView;
class KindOfBibleSelectionView;
class PageHandle;
class UserSettings;

// The page's two chooser sheets, the book chooser behind the title capsule and the translation
// chooser behind the translation capsule: how they open, what they are bound to, and how the
// page takes a choice in when one closes with it.

// The translation capsule: unless its sheet is up, the sheet gets a copy of the page's record to
// edit; then the sheet is toggled.
void pressTranslationCapsule(const PageHandle& page);
// The title capsule: the book chooser lists names in the page's translation; its sheet is
// toggled.
void pressTitleCapsule(const PageHandle& page);

// The sheets' contents, bound to the page's state where it lives, at whatever `pageIndex` reads
// when they are used.
BibleSelectionView chapterSheetContent(UserSettings& settings, Binding<std::int64_t> pageIndex);
KindOfBibleSelectionView translationSheetContent(UserSettings& settings, Binding<std::int64_t> pageIndex);

// The chapter sheet came on screen: it lists the book names of the translation the page's
// record is in. (The page's own kindOfBible may be older: a restored page keeps kr01 there.)
void chapterSheetAppeared(const PageHandle& page);

// The chapter sheet closed. After "이동" the page goes to the choice: the record takes the chosen
// book, chapter and translation, the book's name and testament, and the chosen chapter's verses
// with their marks from the mark book;
// the label, title and flags follow; the pages are saved and userSelectBibleSection rises, so
// that the list shows the chosen verse a little later. The confirmation is used up. Closed
// without "이동", nothing changes. Returns whether the page went to a choice.
bool chapterSheetClosed(const PageHandle& page, const AppContext& context);

// The translation sheet closed. After a translation was chosen the page's chapter is loaded in
// it; the label, title and flags follow and the pages are saved; the confirmation is used up.
// Closed without a choice, nothing changes: the verses keep their marks and notes. Returns
// whether a translation was loaded (the list then shows the chosen verse).
bool translationSheetClosed(const PageHandle& page, const AppContext& context);

} // namespace lumenscroll
