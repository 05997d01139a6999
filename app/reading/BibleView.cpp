#include "app/reading/BibleView.h"

#include "app/platform/AppContext.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/ChapterStepping.h"
#include "app/reading/ChooserChoices.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/NewPages.h"
#include "app/reading/PageAppearing.h"
#include "app/reading/PageFront.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageNotices.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/TitleBlock.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseMarks.h"
#include "app/reading/VerseNotes.h"
#include "app/reading/VerseScrolling.h"
#include "app/reading/VerseSelection.h"

#include <utility>

// Every member hands its work to the free function of the same name in its topic's file, on
// the page where its state lives (state()), with the services of the page's environment.

namespace lumenscroll {

// --- Loading the page's chapter ---

std::string BibleView::chapterResourceName(BibleKind kind, std::int64_t bookIndex, std::int64_t page) const {
    return lumenscroll::chapterResourceName(PageHandle(*userSettings, page), kind, bookIndex);
}

void BibleView::loadPageText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind) const {
    loadChapter(state(), userSettings.context(), bookIndex, chapter, kind, sectionAndVerseMovingType);
}

BibleStructure BibleView::loadChapterText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                          std::int64_t page) const {
    return readChapter(PageHandle(*userSettings, page), userSettings.context(), bookIndex, chapter, kind);
}

void BibleView::storeLoadedPage(std::int64_t bookIndex, std::int64_t chapter, BibleStructure record) const {
    storeChapter(state(), bookIndex, chapter, std::move(record));
}

void BibleView::refreshPageTitle(std::int64_t page) const {
    lumenscroll::refreshPageTitle(PageHandle(*userSettings, page));
}

void BibleView::loadSavedState() const {
    // A copy: the loader appends to roles, which may hold this value.
    PageStatePersistence::loadSavedState(*this);
}

PageHandle BibleView::state() const {
    return PageHandle::of(*this);
}

// --- The title block ---

std::string BibleView::randomTitlePhoto() const {
    return lumenscroll::randomTitlePhoto(titlePhotoArray, userSettings.context().random());
}

void BibleView::tapTitlePhoto() const {
    isShrinkStatus.set(!isShrinkStatus.get());
}

void BibleView::rebuildTitle() const {
    lumenscroll::rebuildTitle(state());
}

void BibleView::userSelectBibleSectionRaised(bool raised) const {
    lumenscroll::userSelectBibleSectionRaised(state(), raised);
}

void BibleView::updateTranslationLabel(BibleKind kind) const {
    labelNewestPage(state(), kind);
}

std::string BibleView::shownTitle() const {
    return lumenscroll::shownTitle(state());
}

std::string BibleView::shownTitlePhoto() const {
    return lumenscroll::shownTitlePhoto(state());
}

std::string BibleView::shownTranslation() const {
    return lumenscroll::shownTranslation(state());
}

bool BibleView::isTitleBlockShown() const {
    return lumenscroll::isTitleBlockShown(state());
}

// --- The page's notices ---

std::string BibleView::noticeText(Notice notice) const {
    return lumenscroll::noticeText(state(), notice);
}

std::string BibleView::shownMissingTextNotice() const {
    return lumenscroll::shownMissingTextNotice(state());
}

void BibleView::showNotice(const std::string& message) const {
    lumenscroll::showNotice(state(), userSettings.context().scheduler(), message);
}

std::string BibleView::shownNotice() const {
    return lumenscroll::shownNotice(state());
}

// --- Coming on screen ---

void BibleView::appear() const {
    lumenscroll::appear(*this);
}

void BibleView::verseAreaAppeared() const {
    lumenscroll::verseAreaAppeared(state(), userSettings.context());
}

void BibleView::settingsViewAppeared() const {
    lumenscroll::settingsViewAppeared(*userSettings);
}

void BibleView::aboutViewAppeared() const {
    lumenscroll::aboutViewAppeared(*userSettings);
}

// --- The verse selection and the copy button ---

std::int64_t BibleView::selectedVerseCount() const {
    return lumenscroll::selectedVerseCount(state());
}

void BibleView::tapVerse(std::int64_t row) const {
    lumenscroll::tapVerse(state(), row);
}

bool BibleView::isSelectionBarShown(std::int64_t row) const {
    return lumenscroll::isSelectionBarShown(state(), row);
}

void BibleView::deselectVerses() const {
    lumenscroll::deselectVerses(state());
}

void BibleView::resetVerseFlags() const {
    lumenscroll::resetVerseFlags(state());
}

void BibleView::copySelectedVerses() const {
    lumenscroll::copySelectedVerses(state(), userSettings.context());
}

// --- Marks on verses ---

void BibleView::toggleBookmark(std::int64_t verse) const {
    lumenscroll::toggleBookmark(state(), userSettings.context(), verse);
}

void BibleView::highlight(std::int64_t verse, std::int64_t color) const {
    lumenscroll::highlight(state(), userSettings.context(), verse, color, bgColorArray.size());
}

// --- Verse notes ---

bool BibleView::isVerseNoteShown(std::int64_t row) const {
    return lumenscroll::isVerseNoteShown(state(), row);
}

void BibleView::copyVerseNote(std::int64_t row) const {
    lumenscroll::copyVerseNote(state(), row);
}

// --- Scrolling the verse list ---

void BibleView::keepScrollReader(std::shared_ptr<ScrollViewProxy> reader) const {
    lumenscroll::keepScrollReader(state(), std::move(reader));
}

std::shared_ptr<ScrollViewProxy> BibleView::scrollReader() const {
    return lumenscroll::scrollReader(state());
}

void BibleView::scrollToFirstVerse() const {
    lumenscroll::scrollToFirstVerse(state());
}

void BibleView::scrollToLastVerse() const {
    lumenscroll::scrollToLastVerse(state());
}

std::int64_t BibleView::userSelectBibleSectionChanged() const {
    return lumenscroll::userSelectBibleSectionChanged(state(), praiseIndex);
}

std::int64_t BibleView::chosenVerseRow() const {
    return lumenscroll::chosenVerseRow(state(), praiseIndex);
}

// --- The chooser sheets ---

void BibleView::pressTranslationCapsule() const {
    lumenscroll::pressTranslationCapsule(state());
}

void BibleView::pressTitleCapsule() const {
    lumenscroll::pressTitleCapsule(state());
}

BibleSelectionView BibleView::chapterSheetContent() const {
    return lumenscroll::chapterSheetContent(*userSettings, pageIndex);
}

KindOfBibleSelectionView BibleView::translationSheetContent() const {
    return lumenscroll::translationSheetContent(*userSettings, pageIndex);
}

void BibleView::chapterSheetAppeared() const {
    lumenscroll::chapterSheetAppeared(state());
}

bool BibleView::chapterSheetClosed() const {
    return lumenscroll::chapterSheetClosed(state(), userSettings.context());
}

bool BibleView::translationSheetClosed() const {
    return lumenscroll::translationSheetClosed(state(), userSettings.context());
}

// --- Chapter stepping ---

void BibleView::goToPreviousChapter() const {
    lumenscroll::goToPreviousChapter(state(), userSettings.context());
}

void BibleView::goToNextChapter() const {
    lumenscroll::goToNextChapter(state(), userSettings.context());
}

void BibleView::updateLastPageTranslation(BibleKind kind) const {
    labelNewestPage(state(), kind);
}

// --- What stands in front of the verses ---

BibleView::Front BibleView::frontmost() const {
    return lumenscroll::frontmost(state());
}

bool BibleView::closeFrontmost() const {
    return lumenscroll::closeFrontmost(state());
}

// --- Adding pages ---

void BibleView::plusBible2Changed(bool added) const {
    lumenscroll::plusBible2Changed(state(), userSettings.context(), prevPageIndex.get(), added);
}

void BibleView::searchBtnPressedChanged(bool pressed) const {
    lumenscroll::searchBtnPressedChanged(*userSettings, userSettings.context(), pressed);
}

void BibleView::appendDefaultPage() const {
    lumenscroll::appendDefaultPage(*userSettings);
}

bool BibleView::receiveNewBibleViewPageCreating(bool creating) const {
    return lumenscroll::receiveNewBibleViewPageCreating(state(), creating);
}

void BibleView::resetVerseSelection() const {
    lumenscroll::resetVerseSelection(state());
}

void BibleView::praiseIndexChangedTo(bool changed) const {
    lumenscroll::praiseIndexChangedTo(state(), bibleViewFixedIndex, changed);
}

} // namespace lumenscroll
