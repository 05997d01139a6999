#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/NamedColor.h"
#include "app/reading/BackgroundColors.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/KindOfBibleSelectionView.h"
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
    static std::vector<std::string> defaultTitlePhotoArray();

    // The operations act on the shared state (the page's record, its page value in roles, the
    // loaded texts), never on this value's own fields, so they serve a copy of the page as
    // well as the value in roles. Each is the page operation of the same work over a
    // PageHandle (PageOperations.h), which callers that hold only a page index use directly.

    // The name of `bookIndex`'s text resource in translation `kind` (empty for a translation
    // without text or an invalid book). For kr01 and en01 it also marks page `page` as being
    // in that translation: the language of its record and the translation label of its page
    // value, each where that page has one.
    std::string chapterResourceName(BibleKind kind, std::int64_t bookIndex, std::int64_t page) const;

    // Loads chapter `chapter` (from 1) of book `bookIndex` in translation `kind` into this page:
    // builds the page record, with the chapter index chosen by sectionAndVerseMovingType, and
    // stores it (storeLoadedPage). An invalid book or chapter, or a page index that names no
    // open page, loads and writes nothing.
    void loadPageText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind) const;

    // The verses of chapter `chapter` (from 1) of book `bookIndex` in translation `kind`, as a
    // record (book index in sectionIndex, every other field a fresh record's), for page `page`,
    // whose language and label are all it writes. No verses and no write for an invalid book or
    // chapter.
    BibleStructure loadChapterText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                   std::int64_t page) const;

    // Makes `record` this page's record and the one loaded chapter of BibleWordsContainer,
    // which is rebuilt from placeholders (entry 0 of each book stands for no chapter, entry c
    // for chapter c).
    void storeLoadedPage(std::int64_t bookIndex, std::int64_t chapter, BibleStructure record) const;

    // Once per run, from the first page shown: checks the saved page-state files and builds
    // the page values of the other saved pages into roles. Appends to roles: when this value
    // lives in roles, it must not be touched after the call.
    void loadSavedState() const;

    // Sets the title of page value `page` from page `page`'s record: book name and chapter
    // number, with "장" for the Korean text.
    void refreshPageTitle(std::int64_t page) const;

    // One of titlePhotoArray, uniformly chosen (empty when the list is empty).
    std::string randomTitlePhoto() const;

    // The handlers below act on the page's state where it lives, its value in roles and its
    // record (PageHandle), never on this value's own state fields, which are a copy. A page
    // that is not open, or an index outside its verses, changes nothing.

    // This page in the shared state.
    PageHandle state() const;

    // --- The page's buttons and capsules ---

    // The translation capsule: unless its sheet is up, the sheet gets a copy of the page's
    // record to edit; then the sheet is toggled.
    void pressTranslationCapsule() const;
    // The title capsule: the book chooser lists names in the page's translation; its sheet is
    // toggled.
    void pressTitleCapsule() const;
    // A tap on the title photo shrinks the carousel, or a second one grows it back.
    void tapTitlePhoto() const;
    // Clears the selection and hides the selection bar; highlights and bookmarks stay.
    void deselectVerses() const;
    // The preferences and the About view never stand together: whichever comes on screen
    // clears the other's flag (written only when it is set).
    void settingsViewAppeared() const;
    void aboutViewAppeared() const;

    // --- The verse list ---

    // The number of selected verses.
    std::int64_t selectedVerseCount() const;
    // A tap on verse row `row`: the selection flags are first made one per verse, then the
    // row's flag flips and it becomes the row tapped last. It also raises the selection bar,
    // which shows only where isSelectionBarShown says so.
    void tapVerse(std::int64_t row) const;
    // Whether the bar with the bookmark button and the highlighter stands under row `row`:
    // raised, and `row` the only selected row and the one tapped last.
    bool isSelectionBarShown(std::int64_t row) const;
    // Flips the bookmark of verse `verse`, and its entry in bookmarkArray where there is one.
    // Saves the page state, so a mark survives a crash as well as a quit.
    void toggleBookmark(std::int64_t verse) const;
    // Highlights verse `verse` in colour `color` (an index of bgColorArray); the colour it
    // already has clears it to 0. Saves the page state like a bookmark.
    void highlight(std::int64_t verse, std::int64_t color) const;

    // Keeps the verse list's scroll reader once the list is on screen; none before.
    void keepScrollReader(std::shared_ptr<ScrollViewProxy> reader) const;
    std::shared_ptr<ScrollViewProxy> scrollReader() const;
    // The up and down buttons: the first verse to the top, the last one to the centre, both
    // animated; nothing without a reader or verses.
    void scrollToFirstVerse() const;
    void scrollToLastVerse() const;

    // The verse area came on screen: a page whose chapter has no verses reads them, in its
    // own translation, into its record (nothing else of the record changes); the selection
    // flags are made one per verse.
    void verseAreaAppeared() const;
    // searchBtnPressed changed: the search closing with hits adds the slot for the new page,
    // and saves.
    void searchBtnPressedChanged(bool pressed) const;
    // userSelectBibleSection changed (after a chapter step or a chapter choice, and back): the
    // row of the verse chosen (chosenVerseRow) goes into the first verse's index, where the up
    // button finds it, and is returned: the list scrolls to it a little later.
    std::int64_t userSelectBibleSectionChanged() const;
    // The row that shows the verse chosen last: praiseIndex, or 0 when the chapter has no such
    // verse (a verse tapped in the chooser before a shorter chapter was picked).
    std::int64_t chosenVerseRow() const;
    // praiseIndexChanged changed: when raised, the newest page shows and selects the verse the
    // search chose (praiseSelected) and raises executedOnce; every page lowers the flag.
    void praiseIndexChangedTo(bool changed) const;
    // A value received from newBibleViewPageCreating: a true one, before executedOnce, is
    // taken and the verse selection reset for the searched verse. Returns whether it was
    // taken: the flag is then to be lowered, after the current action (see BibleViewReactions).
    bool receiveNewBibleViewPageCreating(bool creating) const;
    // The selection flags one false per verse, then praiseIndexChanged flipped, unless
    // executedOnce says the searched verse was shown already.
    void resetVerseSelection() const;
    // Appends the default page record: the slot a pending search hit fills as a new page.
    void appendDefaultPage() const;

    // --- The title and the translation label ---

    // The title rebuilt from the page's record: the book name in the record's language, the
    // chapter number (chapter index + 1) and "장" for Korean. A kr01 or en01 page's record
    // takes that translation's language first. A book outside 0-65 keeps the title there is.
    void rebuildTitle() const;
    // userSelectBibleSection changed: when raised, the title is rebuilt and the flag lowered.
    void userSelectBibleSectionRaised(bool raised) const;
    // The record's translation changed: the newest page's label follows it (kr01 and en01).
    void updateTranslationLabel(BibleKind kind) const;

    // What the page shows: empty for a page that is not open.
    std::string shownTitle() const;
    std::string shownTitlePhoto() const;
    std::string shownTranslation() const;
    // Whether the title block is drawn: the page is open.
    bool isTitleBlockShown() const;

    // --- The page's notices ---

    enum class Notice {
        // In place of the verses, while the chapter has no text to show.
        textMissing,
        // Once, when saving the pages starts to fail.
        saveFailed,
    };
    // A notice's text in the page's language: English on a KJV page, Korean on any other.
    std::string noticeText(Notice notice) const;
    // The notice shown in place of the verses: the page is open and its chapter has no text to
    // show, either no verses or only the stored marks of verses whose text could not be read.
    // Empty otherwise.
    std::string shownMissingTextNotice() const;
    // Shows `message` as the page's notice (showToast, toastMessage) for noticeDuration.
    void showNotice(const std::string& message) const;
    // The page's notice, while it is up; empty otherwise.
    std::string shownNotice() const;

    static constexpr std::chrono::milliseconds noticeDuration{5000};

    // --- Coming on screen and the new page ---

    // The page came on screen: every page's title is refreshed. While some page has no page
    // value yet (or some value no record), every page's verses are read again, each in its own
    // translation and keeping its marks, and this page's selection, bookmark rows and note
    // switches are made to fit its chapter; the saved pages are checked once per run.
    void appear() const;
    // plusBible2 changed: a page was added. The newest page clears the page-adding flags (so the
    // next "New Page" works), takes its translation and title, and saves.
    void plusBible2Changed(bool added) const;

    // --- The chooser sheets ---

    // The sheets' contents, bound to the page's state where it lives, wherever its index moves.
    BibleSelectionView chapterSheetContent() const;
    KindOfBibleSelectionView translationSheetContent() const;
    // The chapter sheet came on screen: it lists the book names of the translation the page's
    // record is in. (The page's own kindOfBible may be older: a restored page keeps kr01 there.)
    void chapterSheetAppeared() const;
    // The chapter sheet closed. After "이동" the page goes to the choice: the record takes the
    // chosen book, chapter and translation, the book's name and testament, and the chosen
    // chapter's verses; the label, title and flags follow; the pages are saved and
    // userSelectBibleSection rises, so that the list shows the chosen verse a little later. The
    // confirmation is used up. Closed without "이동", nothing changes. Returns whether the page
    // went to a choice.
    bool chapterSheetClosed() const;
    // The translation sheet closed. After a translation was chosen the page's chapter is loaded
    // in it; the label, title and flags follow and the pages are saved; the confirmation is used
    // up. Closed without a choice, nothing changes: the verses keep their marks and notes.
    // Returns whether a translation was loaded (the list then shows the chosen verse).
    bool translationSheetClosed() const;

    // --- Chapter stepping ---

    // Only on the last open page: its kind and translation label follow `kind` (kr01, en01).
    void updateLastPageTranslation(BibleKind kind) const;
    // One cleared selection flag and one note switch (QTOnOff) per verse of the page, and one
    // empty chapter note per open page.
    void resetVerseFlags() const;
    // The left and right buttons: one chapter back or forward, across books; Genesis 1 and
    // Revelation 22 are the ends. The page is refreshed and saved, and userSelectBibleSection
    // rises. A record on a negative chapter counts as on the first; one on a book outside 0-65
    // does not step.
    void goToPreviousChapter() const;
    void goToNextChapter() const;

    // --- Copy and notes ---

    // The copy button: the selected verses with their reference go to the clipboard; with none
    // selected the page's notice asks for a selection and the clipboard is left alone.
    void copySelectedVerses() const;
    // Whether row `row` has its verse note editor under it: the row is in note mode, or its verse
    // has a note and the page holds note texts.
    bool isVerseNoteShown(std::int64_t row) const;
    // selectedTab published, for a row with its note editor: the verse's note becomes the row's
    // note text.
    void copyVerseNote(std::int64_t row) const;

private:
    // After a chapter step: the flags, label and title follow the record, the pages are saved
    // and userSelectBibleSection rises. `flagsFirst`: the step back resets the flags before the
    // label and title, the step forward after them.
    void finishChapterStep(bool flagsFirst) const;
    // Loads chapter `chapter` of book `bookIndex` in `kind` into the page for a step of
    // `movingType`, which the page holds while the chapter loads.
    void loadStep(std::int64_t movingType, std::int64_t bookIndex, std::int64_t chapter,
                  BibleKind kind) const;
};

} // namespace lumenscroll
