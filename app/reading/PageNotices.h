#pragma once

#include "app/reading/BibleView.h"

#include <string>

namespace lumenscroll {

class PageHandle;
class Scheduler;

// What a page tells the reader in words: the notice in place of the verses while its chapter
// has no text, and the short notices that show for BibleView::noticeDuration (a copy without a
// selection, the first failed save). A page that is not open shows none.

// A notice's text in the page's language: English on a KJV page, Korean on any other.
std::string noticeText(const PageHandle& page, BibleView::Notice notice);

// The notice shown in place of the verses: the page is open and its chapter has no text to
// show, either no verses or only the stored marks of verses whose text could not be read.
// Empty otherwise.
std::string shownMissingTextNotice(const PageHandle& page);

// Shows `message` as the page's notice (showToast, toastMessage) for noticeDuration; only this
// notice goes then, a later one stays its own time.
void showNotice(const PageHandle& page, Scheduler& scheduler, const std::string& message);

// The page's notice, while it is up; empty otherwise.
std::string shownNotice(const PageHandle& page);

} // namespace lumenscroll
