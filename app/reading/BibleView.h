#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/NamedColor.h"
#include "app/reading/BackgroundColors.h"
#include "app/reading/PageEnvironment.h"
#include "app/reading/ReadingFont.h"
#include "app/reading/ScrollViewProxy.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumenscroll {

class BibleSelectionView;
class KindOfBibleSelectionView;
class PageHandle;

// One reading page: one chapter of one translation, standing as one page of the carousel.
// Page i has its chapter record in userSettings->selectedBibleArray[i] and this value in
// userSettings->roles[i].
//
// A page is a plain value, built memberwise in field order with designated initialisers,
// exactly as the page builders (the carousel, the saved-state loader) pass its fields:
//
//     BibleView page{.isShrinkStatus = ..., .userSettings = {settings, context},
//                    .pageIndex = ..., .prevPageIndex = ..., .pickedPhotoName = ...,
//                    .plusBible = ..., .plusBible2 = ..., .qtContentAtEachPraise = ...,
//                    .plusBtnPressed = ..., .bibleViewFixedIndex = i};
//
// Bindings and the environment have no default, so a builder cannot forget one; every other
// field starts with the value a new page has.
//
// This header is the page value, low in the folder's layers beside UserSettings, which holds the
// open pages' values; the handlers declared here are defined on top (BibleView.cpp), each handing
// its work to the topic file named in its section.
struct BibleView {
    Binding<bool> isShrinkStatus;
    PageEnvironment userSettings;
    // The page's index into selectedBibleArray and roles.
    Binding<std::int64_t> pageIndex;
    Binding<std::int64_t> prevPageIndex;
    // One selection flag per verse row.
    std::vector<bool> isSelectedArray2{};
    bool searchBtnPressed = false;
    bool categoryBtnPressed = false;
    bool showBibleSectionSelectionWindow = false;
    bool userSelectBibleSection = false;
    bool userSelectedBiblePraise = false;
    std::string bibleSectionTitle = "창세기 1장";
    std::vector<std::string> titlePhotoArray = defaultTitlePhotoArray();
    Binding<std::string> pickedPhotoName;
    std::optional<BibleStructure> selectedBible{};
    std::string translateVersion = "개역한글";
    // The translations that have text resources, by raw value.
    std::vector<std::string> translateVersionArray = {"개역한글", "KJV"};
    bool showBibleTranslateSelectionWindow = false;
    BibleKind kindOfBible = BibleKind::kr01;
    bool showSelectionPopUpMenu = false;
    bool showToast = false;
    std::string toastMessage{};
    Binding<bool> plusBible;
    Binding<bool> plusBible2;
    bool verseChanged = false;
    bool sectionChanged = false;
    std::string shortressString{};
    std::int64_t lastSelectedIndex = -1;
    std::int64_t praiseIndex = 0;
    // The copy of the page's record that the chooser sheets edit.
    BibleStructure selectedPraise{};
    Binding<std::vector<std::string>> qtContentAtEachPraise;
    std::string qtPlaceHolder = "이 구절에 기록하고자 하는 생각과 의견을 기록합니다.";
    std::string qtContentForASection{};
    std::vector<std::string> qtContentForThisPage{};
    std::vector<NamedColor> bgColorArray = defaultBgColorArray();
    // The reading font's file name.
    std::string fontKind{};
    std::vector<std::string> customFontsNameForPickerArray = readingFontDisplayNames();
    std::vector<std::string> customFontsFileNameArray = readingFontFileNames();
    bool QTOnOff = false;
    std::vector<bool> QTOnOffForEachRow{};
    // Kept once the verse list is on screen; none before.
    std::shared_ptr<ScrollViewProxy> scrollViewVariable{};
    bool loadAllPagesOnce = false;
    Binding<bool> plusBtnPressed;
    bool praiseIndexChanged = false;
    // How the page arrives at the chapter it loads next: -2 the last chapter of the previous
    // book, -1 the previous chapter, 0 a plain load, 1 the next chapter, 2 the first chapter of
    // the next book. Non-zero only for the length of one chapter step.
    std::int64_t sectionAndVerseMovingType = 0;
    // The page's index when it was built.
    std::int64_t bibleViewFixedIndex = 0;

    // "TopArea1" ... "TopArea9".
    static std::vector<std::string> defaultTitlePhotoArray() {
        return {"TopArea1", "TopArea2", "TopArea3", "TopArea4", "TopArea5",
                "TopArea6", "TopArea7", "TopArea8", "TopArea9"};
    }

    // The members below are the page's named operations and handlers. Each is one line that
    // hands the work to the free function of the same name over the page where its state lives
    // (PageHandle: its value in roles and its record), in the file of its topic, named in each
    // section; callers that hold only a page index call those directly. They never act on this
    // value's own state fields, which are a copy, so they serve a copy of the page as well as
    // the value in roles; a page that is not open, or an index outside its verses, changes
    // nothing. Where a handler reads one of this value's own fields, it says so.

    // --- Loading the page's chapter (PageOperations.h) ---

    // The name of `bookIndex`'s text resource in translation `kind`; for kr01 and en01 it also
    // marks page `page` as being in that translation.
    std::string chapterResourceName(BibleKind kind, std::int64_t bookIndex, std::int64_t page) const;
    // Loads chapter `chapter` (from 1) of book `bookIndex` in translation `kind` into this page,
    // with the chapter index this value's sectionAndVerseMovingType chooses (loadChapter).
    void loadPageText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind) const;
    // The verses of a chapter as a record, for page `page` (readChapter).
    BibleStructure loadChapterText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                   std::int64_t page) const;
    // Makes `record` this page's record and the one loaded chapter (storeChapter).
    void storeLoadedPage(std::int64_t bookIndex, std::int64_t chapter, BibleStructure record) const;
    // Sets the title of page `page` from its record (refreshPageTitle).
    void refreshPageTitle(std::int64_t page) const;

    // Once per run, from the first page shown, with this value as the loading page
    // (PageStatePersistence::loadSavedState). Appends to roles: when this value lives in roles,
    // it must not be touched after the call.
    void loadSavedState() const;

    // This page in the shared state.
    PageHandle state() const;

    // --- The title block (TitleBlock.h) ---

    // One of this value's titlePhotoArray, uniformly chosen (empty when the list is empty).
    std::string randomTitlePhoto() const;
    // A tap on the title photo shrinks the carousel (this value's isShrinkStatus), or a second one
    // grows it back.
    void tapTitlePhoto() const;
    void rebuildTitle() const;
    void userSelectBibleSectionRaised(bool raised) const;
    // The record's translation changed: the newest page's label follows it (labelNewestPage).
    void updateTranslationLabel(BibleKind kind) const;
    std::string shownTitle() const;
    std::string shownTitlePhoto() const;
    std::string shownTranslation() const;
    bool isTitleBlockShown() const;

    // --- The page's notices (PageNotices.h) ---

    enum class Notice {
        // In place of the verses, while the chapter has no text to show.
        textMissing,
        // Once, when saving the pages starts to fail.
        saveFailed,
    };
    static constexpr std::chrono::milliseconds noticeDuration{5000};

    std::string noticeText(Notice notice) const;
    std::string shownMissingTextNotice() const;
    void showNotice(const std::string& message) const;
    std::string shownNotice() const;

    // --- Coming on screen (PageAppearing.h) ---

    void appear() const;
    void verseAreaAppeared() const;
    void settingsViewAppeared() const;
    void aboutViewAppeared() const;

    // --- The verse selection and the copy button (VerseSelection.h) ---

    std::int64_t selectedVerseCount() const;
    void tapVerse(std::int64_t row) const;
    bool isSelectionBarShown(std::int64_t row) const;
    void deselectVerses() const;
    void resetVerseFlags() const;
    void copySelectedVerses() const;

    // --- Marks on verses (VerseMarks.h) ---

    void toggleBookmark(std::int64_t verse) const;
    // Falls back on this value's bgColorArray for a page without a value in roles.
    void highlight(std::int64_t verse, std::int64_t color) const;

    // --- Verse notes (VerseNotes.h) ---

    bool isVerseNoteShown(std::int64_t row) const;
    void copyVerseNote(std::int64_t row) const;

    // --- Scrolling the verse list (VerseScrolling.h) ---

    void keepScrollReader(std::shared_ptr<ScrollViewProxy> reader) const;
    std::shared_ptr<ScrollViewProxy> scrollReader() const;
    void scrollToFirstVerse() const;
    void scrollToLastVerse() const;
    // Both fall back on this value's praiseIndex for a page without a value in roles.
    std::int64_t userSelectBibleSectionChanged() const;
    std::int64_t chosenVerseRow() const;

    // --- The chooser sheets (ChooserChoices.h) ---

    void pressTranslationCapsule() const;
    void pressTitleCapsule() const;
    // Bound to the page's state at whatever this value's pageIndex reads when they are used.
    BibleSelectionView chapterSheetContent() const;
    KindOfBibleSelectionView translationSheetContent() const;
    void chapterSheetAppeared() const;
    bool chapterSheetClosed() const;
    bool translationSheetClosed() const;

    // --- Chapter stepping (ChapterStepping.h) ---

    void goToPreviousChapter() const;
    void goToNextChapter() const;
    // Only on the last open page: its kind and translation label follow `kind` (labelNewestPage).
    void updateLastPageTranslation(BibleKind kind) const;

    // --- What stands in front of the verses (PageFront.h) ---

    enum class Front { none, translationSheet, chapterSheet, about, settings, search };
    Front frontmost() const;
    // Escape: closes the frontmost layer; false when nothing stood in front.
    bool closeFrontmost() const;

    // --- Adding pages (NewPages.h) ---

    // Traces this value's prevPageIndex.
    void plusBible2Changed(bool added) const;
    void searchBtnPressedChanged(bool pressed) const;
    void appendDefaultPage() const;
    bool receiveNewBibleViewPageCreating(bool creating) const;
    void resetVerseSelection() const;
    // The newest page is the one whose bibleViewFixedIndex (this value's) is the last index.
    void praiseIndexChangedTo(bool changed) const;
};

} // namespace lumenscroll
