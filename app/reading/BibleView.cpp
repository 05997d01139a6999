#include "app/reading/BibleView.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/platform/AppContext.h"
#include "app/platform/Clipboard.h"
#include "app/platform/SettingsStore.h"
#include "app/platform/Trace.h"
#include "app/reading/ChapterText.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/TextResource.h"
#include "app/reading/UserSettings.h"
#include "app/reading/Utils.h"
#include "app/reading/VerseCopy.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

namespace lumenscroll {

namespace {

// Traces, at the end of the file.
void traceOpenRecords(const std::vector<BibleStructure>& records);
void traceChosenVerse(const PageHandle& page, std::int64_t chosen);
void traceFixedIndex(std::int64_t fixedIndex);
void tracePageAdded(std::int64_t page, std::int64_t previousPage, std::int64_t openPages);
void traceRebuiltTitle(const PageHandle& page);
void traceTitleOf(const PageHandle& page, bool refreshed);
void traceChoice(const std::string& prefix, const PageHandle& page);
void traceWords(const std::string& prefix, const BibleStructure& record);
void traceTranslationChoice(const BibleStructure& record);

// The user defaults' key under which an e-mail address may be kept for the user record.
const QString userEmailKey = QStringLiteral("userEmail");

} // namespace

std::vector<std::string> BibleView::defaultTitlePhotoArray() {
    return {"TopArea1", "TopArea2", "TopArea3", "TopArea4", "TopArea5",
            "TopArea6", "TopArea7", "TopArea8", "TopArea9"};
}

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

void BibleView::loadSavedState() const {
    // A copy: the loader appends to roles, which may hold this value.
    PageStatePersistence::loadSavedState(*this);
}

void BibleView::refreshPageTitle(std::int64_t page) const {
    lumenscroll::refreshPageTitle(PageHandle(*userSettings, page));
}

std::string BibleView::randomTitlePhoto() const {
    if (titlePhotoArray.empty()) {
        return {};
    }
    const int index = userSettings.context().random().below(static_cast<int>(titlePhotoArray.size()));
    return titlePhotoArray[at(index)];
}

PageHandle BibleView::state() const {
    return PageHandle(*userSettings, pageIndex.get());
}

// --- The page's buttons and capsules ---

void BibleView::pressTranslationCapsule() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    if (!view) {
        return;
    }
    const bool sheetUp = view->showBibleTranslateSelectionWindow;
    const BibleStructure* record = page.record();
    page.modifyView([&](BibleView& shown) {
        if (!sheetUp && record) {
            shown.selectedPraise = *record;
        }
        shown.showBibleTranslateSelectionWindow = !shown.showBibleTranslateSelectionWindow;
    });
    if (!sheetUp && record) {
        trace("--- selectedPraise.sectionIndex " + std::to_string(page.view()->selectedPraise.sectionIndex));
    }
}

void BibleView::pressTitleCapsule() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    if (!view) {
        return;
    }
    userSettings->kindOfBible.set(view->kindOfBible);
    page.modifyView([](BibleView& shown) {
        shown.showBibleSectionSelectionWindow = !shown.showBibleSectionSelectionWindow;
    });
}

void BibleView::tapTitlePhoto() const {
    isShrinkStatus.set(!isShrinkStatus.get());
}

void BibleView::deselectVerses() const {
    state().modifyView([](BibleView& shown) {
        std::fill(shown.isSelectedArray2.begin(), shown.isSelectedArray2.end(), false);
        shown.showSelectionPopUpMenu = false;
    });
}

void BibleView::settingsViewAppeared() const {
    if (userSettings->aboutViewBtnPressed()) {
        userSettings->aboutViewBtnPressed.set(false);
    }
}

void BibleView::aboutViewAppeared() const {
    if (userSettings->settingsViewBtnPressed()) {
        userSettings->settingsViewBtnPressed.set(false);
    }
}

// --- The verse list ---

std::int64_t BibleView::selectedVerseCount() const {
    const BibleView* view = state().view();
    if (!view) {
        return 0;
    }
    return std::count(view->isSelectedArray2.begin(), view->isSelectedArray2.end(), true);
}

void BibleView::tapVerse(std::int64_t row) const {
    const PageHandle page = state();
    const std::size_t verses = page.verseCount();
    page.modifyView([&](BibleView& shown) {
        if (shown.isSelectedArray2.size() != verses) {
            shown.isSelectedArray2.assign(verses, false);
        }
        shown.lastSelectedIndex = row;
        if (isIndexOf(row, shown.isSelectedArray2.size())) {
            shown.isSelectedArray2[at(row)] = !shown.isSelectedArray2[at(row)];
        }
        // Raised on every tap; the bar itself asks for exactly one selected row.
        shown.showSelectionPopUpMenu = true;
    });
}

bool BibleView::isSelectionBarShown(std::int64_t row) const {
    const BibleView* view = state().view();
    if (!view || !isIndexOf(row, view->isSelectedArray2.size())) {
        return false;
    }
    const auto& selected = view->isSelectedArray2;
    return view->showSelectionPopUpMenu && selected[at(row)] &&
           std::count(selected.begin(), selected.end(), true) == 1 && view->lastSelectedIndex == row;
}

void BibleView::toggleBookmark(std::int64_t verse) const {
    const PageHandle page = state();
    if (!page.modifyVerse(verse, [](BiblePraise& praise) { praise.bookmarked = !praise.bookmarked; })) {
        return;
    }
    OpenPages(*userSettings).flipBookmark(page.index(), verse);
    userSettings->savePageState(userSettings.context());
}

void BibleView::highlight(std::int64_t verse, std::int64_t color) const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    const std::size_t colors = view ? view->bgColorArray.size() : bgColorArray.size();
    if (!isIndexOf(color, colors)) {
        return;
    }
    const bool changed = page.modifyVerse(verse, [color](BiblePraise& praise) {
        praise.bgColor = praise.bgColor == color ? 0 : color;
    });
    if (changed) {
        userSettings->savePageState(userSettings.context());
    }
}

void BibleView::keepScrollReader(std::shared_ptr<ScrollViewProxy> reader) const {
    state().modifyView([&](BibleView& shown) { shown.scrollViewVariable = std::move(reader); });
}

std::shared_ptr<ScrollViewProxy> BibleView::scrollReader() const {
    const BibleView* view = state().view();
    return view ? view->scrollViewVariable : nullptr;
}

void BibleView::scrollToFirstVerse() const {
    const PageHandle page = state();
    const std::shared_ptr<ScrollViewProxy> reader = scrollReader();
    const BiblePraise* first = page.verse(0);
    if (reader && first) {
        reader->scrollTo(first->index, ScrollAnchor::top, true);
    }
}

void BibleView::scrollToLastVerse() const {
    const std::shared_ptr<ScrollViewProxy> reader = scrollReader();
    const std::size_t verses = state().verseCount();
    if (reader && verses > 0) {
        reader->scrollTo(static_cast<std::int64_t>(verses) - 1, ScrollAnchor::center, true);
    }
}

void BibleView::verseAreaAppeared() const {
    traceOpenRecords(userSettings->selectedBibleArray.get());
    const PageHandle page = state();
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    if (record->praises.empty()) {
        // Only the verses: the record keeps the chapter and the translation it names, and the
        // verses come in that translation.
        BibleStructure read = readChapter(page, userSettings.context(), record->sectionIndex,
                                          chapterNumber(*record), record->kindOfBible);
        if (!read.praises.empty()) {
            page.modifyRecord([&](BibleStructure& stored) { stored.praises = std::move(read.praises); });
        }
    }
    const std::size_t verses = page.verseCount();
    const BibleView* view = page.view();
    if (view && view->isSelectedArray2.size() != verses) {
        page.modifyView([&](BibleView& shown) { shown.isSelectedArray2.assign(verses, false); });
    }
}

void BibleView::searchBtnPressedChanged(bool pressed) const {
    if (pressed || userSettings->foundSectionVerseAndPraiseArray->empty()) {
        return;
    }
    appendDefaultPage();
    userSettings->savePageState(userSettings.context());
}

std::int64_t BibleView::userSelectBibleSectionChanged() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    const std::int64_t chosen = view ? view->praiseIndex : praiseIndex;
    // The up button scrolls to the first verse's index: a verse the chapter has.
    const std::int64_t row = chosenVerseRow();
    page.modifyVerse(0, [row](BiblePraise& first) { first.index = row; });
    traceChosenVerse(page, chosen);
    return row;
}

std::int64_t BibleView::chosenVerseRow() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    const std::int64_t chosen = view ? view->praiseIndex : praiseIndex;
    return isIndexOf(chosen, page.verseCount()) ? chosen : 0;
}

void BibleView::praiseIndexChangedTo(bool changed) const {
    if (!changed) {
        return;
    }
    UserSettings& settings = *userSettings;
    traceFixedIndex(bibleViewFixedIndex);
    const PageHandle page = state();
    const bool newest = bibleViewFixedIndex == static_cast<std::int64_t>(settings.roles->size()) - 1;
    if (newest) {
        const std::int64_t chosen = settings.praiseSelected();
        trace(" == userSettings.praiseSelected " + std::to_string(chosen));
        if (isIndexOf(chosen, page.verseCount())) {
            if (const std::shared_ptr<ScrollViewProxy> reader = scrollReader()) {
                reader->scrollTo(chosen, ScrollAnchor::top, false);
            }
            page.modifyView([chosen](BibleView& shown) {
                if (isIndexOf(chosen, shown.isSelectedArray2.size())) {
                    shown.isSelectedArray2[at(chosen)] = true;
                }
            });
        }
    }
    page.modifyView([](BibleView& shown) { shown.praiseIndexChanged = false; });
    // Only the page that showed the verse says so: the new page may come on screen after the
    // pages before it have handled the announcement, and must still take it.
    if (newest) {
        settings.executedOnce.set(true);
    }
}

bool BibleView::receiveNewBibleViewPageCreating(bool creating) const {
    if (!creating || userSettings->executedOnce()) {
        return false;
    }
    resetVerseSelection();
    return true;
}

void BibleView::resetVerseSelection() const {
    const PageHandle page = state();
    trace("pageIndex " + std::to_string(page.index()));
    if (userSettings->executedOnce() || !page.view()) {
        return;
    }
    const std::size_t verses = page.verseCount();
    page.modifyView([verses](BibleView& shown) {
        shown.isSelectedArray2.assign(verses, false);
        shown.praiseIndexChanged = !shown.praiseIndexChanged;
    });
    trace("isSelectedArray.count " + std::to_string(verses));
}

void BibleView::appendDefaultPage() const {
    OpenPages(*userSettings).appendRecord(BibleStructure{});
}

// --- The title and the translation label ---

void BibleView::rebuildTitle() const {
    rebuildPageTitle(state());
    traceRebuiltTitle(state());
}

void BibleView::userSelectBibleSectionRaised(bool raised) const {
    if (!raised) {
        return;
    }
    rebuildPageTitle(state());
    state().modifyView([](BibleView& shown) { shown.userSelectBibleSection = false; });
}

void BibleView::updateTranslationLabel(BibleKind kind) const {
    labelNewestPage(state(), kind);
}

std::string BibleView::shownTitle() const {
    const BibleView* view = state().view();
    return view ? view->bibleSectionTitle : std::string();
}

std::string BibleView::shownTitlePhoto() const {
    const BibleView* view = state().view();
    return view ? view->pickedPhotoName.get() : std::string();
}

std::string BibleView::shownTranslation() const {
    const BibleStructure* record = state().record();
    return record ? std::string(translationDisplayName(record->kindOfBible)) : std::string();
}

bool BibleView::isTitleBlockShown() const {
    return state().record() != nullptr;
}

// --- The page's notices ---

std::string BibleView::noticeText(Notice notice) const {
    const BibleStructure* record = state().record();
    const bool english = record && (record->kindOfBible == BibleKind::en01 ||
                                    (record->kindOfBible != BibleKind::kr01 && record->language == englishLanguageCode));
    switch (notice) {
    case Notice::textMissing:
        return english ? "The text of this chapter cannot be found.\nYour marks and notes on it are kept."
                       : "이 장의 본문을 찾을 수 없습니다.\n이 장에 남긴 표시와 메모는 그대로 보관됩니다.";
    case Notice::saveFailed:
        return english ? "Your pages could not be saved. Check that the Documents folder can be written to."
                       : "페이지를 저장하지 못했습니다. 문서 폴더에 쓸 수 있는지 확인해 주세요.";
    }
    return {};
}

std::string BibleView::shownMissingTextNotice() const {
    const BibleStructure* record = state().record();
    if (!record) {
        return {};
    }
    const bool hasText = std::any_of(record->praises.begin(), record->praises.end(),
                                     [](const BiblePraise& verse) { return !verse.word.empty(); });
    return hasText ? std::string() : noticeText(Notice::textMissing);
}

void BibleView::showNotice(const std::string& message) const {
    const PageHandle page = state();
    const bool shown = page.modifyView([&](BibleView& view) {
        view.toastMessage = message;
        view.showToast = true;
    });
    if (!shown) {
        return;
    }
    // Only this notice goes: a later one stays its own time.
    userSettings.context().scheduler().postAfter(&*userSettings, noticeDuration, [page, message] {
        const BibleView* view = page.view();
        if (view && view->showToast && view->toastMessage == message) {
            page.modifyView([](BibleView& hidden) { hidden.showToast = false; });
        }
    });
}

std::string BibleView::shownNotice() const {
    const BibleView* view = state().view();
    return view && view->showToast ? view->toastMessage : std::string();
}

// --- Coming on screen and the new page ---

void BibleView::appear() const {
    UserSettings& settings = *userSettings;
    const auto open = static_cast<std::int64_t>(settings.selectedBibleArray->size());
    for (std::int64_t i = 0; i < open; ++i) {
        const PageHandle other(settings, i);
        traceTitleOf(other, false);
        refreshPageTitle(i);
        traceTitleOf(other, true);
    }
    const OpenPages pages(settings);
    if (pages.areParallel()) {
        return;
    }

    // Every page's verses anew, each in its own translation; the marks and notes on them are
    // the user's and stay. A page whose chapter has no text keeps the verses it has.
    const AppContext& context = userSettings.context();
    for (std::int64_t i = 0; i < open; ++i) {
        const PageHandle other(settings, i);
        const BibleStructure stored = *other.record();
        BibleStructure read =
            readChapter(other, context, stored.sectionIndex, chapterNumber(stored), stored.kindOfBible);
        if (!read.praises.empty()) {
            refreshVerses(other, std::move(read.praises));
            traceWords("userSettings.selectedBibleArray[i].praises[j].word ", *other.record());
        }
    }

    const PageHandle page = state();
    refreshPageTitle(page.index());
    if (const BibleStructure* record = page.record()) {
        const BibleStructure shown = *record;
        page.modifyView([&](BibleView& view) { view.selectedBible = shown; });
    }
    qtContentAtEachPraise.set({});
    if (!settings.foundSectionVerseAndPraiseArray->empty()) {
        resetVerseFlags();
    }
    if (!settings.loadAllPagesOnce()) {
        settings.loadAllPagesOnce.set(true);
        loadSavedState();
    }
    // Signed out; the program has no sign-in, so no notice asks for one.
    settings.user()->loginned = false;
    if (!page.record() || !page.view()) {
        return;
    }

    const std::size_t verses = page.verseCount();
    if (page.view()->isSelectedArray2.size() != verses) {
        page.modifyView([verses](BibleView& view) { view.isSelectedArray2.assign(verses, false); });
    }
    trace("userSettings.selectedBibleArray[pageIndex].praises.count " + std::to_string(verses));
    // The rows follow the verses' own bookmarks.
    pages.rebuildBookmarkRows();

    User& user = *settings.user();
    if (!user.id.empty() && !user.email.empty()) {
        user.loginned = true;
    } else if (const std::optional<QString> email = userSettings.context().settings().string(userEmailKey)) {
        user.email = email->toStdString();
    }
    // While a page closes, its neighbours' flags are left as they are, one per verse.
    if (!settings.deleteBibleViewProcess()) {
        resetVerseFlags();
    }
}

void BibleView::plusBible2Changed(bool added) const {
    const PageHandle page = state();
    const auto open = static_cast<std::int64_t>(userSettings->selectedBibleArray().size());
    tracePageAdded(page.index(), prevPageIndex.get(), open);
    // Of all pages only the newest one takes the new page in.
    if (!added || page.index() != open - 1) {
        return;
    }
    userSettings->plusBible.set(false);
    userSettings->plusBible2.set(false);
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    const BibleKind kind = record->kindOfBible;
    page.modifyView([kind](BibleView& shown) { shown.kindOfBible = kind; });
    updateLastPageTranslation(kind);
    refreshPageTitle(page.index());
    resetVerseFlags();
    userSettings->savePageState(userSettings.context());
}

// --- The chooser sheets ---

BibleSelectionView BibleView::chapterSheetContent() const {
    UserSettings& settings = *userSettings;
    const auto bind = [&](auto field) { return PageHandle::following(settings, pageIndex, field); };
    return BibleSelectionView(bind(&BibleView::showBibleSectionSelectionWindow),
                              bind(&BibleView::selectedPraise), 0, 0, bind(&BibleView::praiseIndex),
                              bind(&BibleView::userSelectedBiblePraise), settings, ColorScheme::light, true,
                              pageIndex);
}

KindOfBibleSelectionView BibleView::translationSheetContent() const {
    UserSettings& settings = *userSettings;
    const auto bind = [&](auto field) { return PageHandle::following(settings, pageIndex, field); };
    return KindOfBibleSelectionView(bind(&BibleView::showBibleTranslateSelectionWindow),
                                    bind(&BibleView::selectedPraise), 0, 0, 0, bind(&BibleView::praiseIndex),
                                    bind(&BibleView::userSelectedBiblePraise), bind(&BibleView::kindOfBible),
                                    settings);
}

void BibleView::chapterSheetAppeared() const {
    if (const BibleStructure* record = state().record()) {
        userSettings->kindOfBible.set(record->kindOfBible);
    }
}

bool BibleView::chapterSheetClosed() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    if (!view || !view->userSelectedBiblePraise || !page.record()) {
        return false;
    }
    const BibleStructure chosen = view->selectedPraise;
    const BibleKind pageKind = view->kindOfBible;
    traceChoice("****** selectedPraise.kindOfBible ", page);

    page.modifyRecord([&](BibleStructure& record) {
        record.kindOfBible = pageKind;
        if (chosen.versesIndex != -1) {
            record = chosen;
        }
        record.praises.clear();
    });
    page.modifyView([](BibleView& shown) { shown.sectionAndVerseMovingType = 0; });
    traceChoice("***** selectedPraise.kindOfBible ", page);

    // The chosen chapter's verses, before the save, so that the saved page holds them.
    BibleStructure read = readChapter(page, userSettings.context(), chosen.sectionIndex,
                                      chapterNumber(chosen), page.record()->kindOfBible);
    page.modifyRecord([&](BibleStructure& record) {
        record.praises = std::move(read.praises);
        if (const std::optional<BibleBook> book = bibleBookFromRaw(record.sectionIndex)) {
            record.name = std::string(bookName(record.language, *book));
            record.isOldTestment = isOldTestament(*book);
        }
    });
    traceWords("userSettings.selectedBibleArray[pageIndex].praises[j].word ", *page.record());

    updateLastPageTranslation(page.record()->kindOfBible);
    refreshPageTitle(page.index());
    resetVerseFlags();
    userSettings->savePageState(userSettings.context());
    trace("praiseIndex " + std::to_string(page.view()->praiseIndex));
    // Used up; and the list shows the chosen verse, as after a chapter step.
    page.modifyView([](BibleView& shown) {
        shown.userSelectedBiblePraise = false;
        shown.userSelectBibleSection = true;
    });
    return true;
}

bool BibleView::translationSheetClosed() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    if (!view || !view->userSelectedBiblePraise || !page.record()) {
        return false;
    }
    trace("praiseIndex " + std::to_string(view->praiseIndex));
    traceChoice("**** selectedPraise.kindOfBible ", page);
    const BibleStructure chosen = view->selectedPraise;
    const BibleKind kind = view->kindOfBible;
    const std::int64_t movingType = view->sectionAndVerseMovingType;
    page.modifyRecord([&](BibleStructure& record) {
        record = chosen;
        record.kindOfBible = kind;
    });
    traceTranslationChoice(*page.record());

    const std::int64_t book = page.record()->sectionIndex;
    const std::int64_t chapter = chapterNumber(*page.record());
    loadChapter(page, userSettings.context(), book, chapter, kind, movingType);
    updateLastPageTranslation(page.record()->kindOfBible);
    refreshPageTitle(page.index());
    resetVerseFlags();
    userSettings->savePageState(userSettings.context());
    trace("praiseIndex " + std::to_string(page.view()->praiseIndex));
    page.modifyView([](BibleView& shown) { shown.userSelectedBiblePraise = false; });
    return true;
}

// --- Chapter stepping ---

void BibleView::updateLastPageTranslation(BibleKind kind) const {
    labelNewestPage(state(), kind);
}

void BibleView::resetVerseFlags() const {
    const PageHandle page = state();
    page.modifyView([](BibleView& shown) { shown.isSelectedArray2.clear(); });
    if (!page.record()) {
        return;
    }
    const std::size_t verses = page.verseCount();
    page.modifyView([verses](BibleView& shown) {
        shown.isSelectedArray2.assign(verses, false);
        shown.QTOnOffForEachRow.assign(verses, shown.QTOnOff);
    });
    UserSettings& settings = *userSettings;
    OpenPages(settings).resetChapterNotes();
    // One per page: nothing reads more.
    settings.memoLoaded.set(std::vector<bool>(settings.selectedBibleArray->size(), false));
}

void BibleView::goToPreviousChapter() const {
    const BibleStructure* record = state().record();
    if (!record || !bibleBookFromRaw(record->sectionIndex)) {
        return;
    }
    const std::int64_t book = record->sectionIndex;
    // A record past its book's last chapter steps back to that chapter.
    const std::int64_t chapter =
        std::clamp<std::int64_t>(record->versesIndex, 0, chaptersPerBook()[at(book)]);
    const BibleKind kind = record->kindOfBible;
    if (book == 0 && chapter < 1) {
        return;
    }
    if (book >= 1 && chapter == 0) {
        const std::int64_t previous = book - 1;
        loadStep(-2, previous, chaptersPerBook()[at(previous)], kind);
    } else {
        loadStep(-1, book, chapter, kind);
        state().modifyRecord([](BibleStructure& loaded) { loaded.versesIndex -= 1; });
    }
    finishChapterStep(true);
}

void BibleView::goToNextChapter() const {
    const BibleStructure* record = state().record();
    if (!record || !bibleBookFromRaw(record->sectionIndex)) {
        return;
    }
    const std::int64_t book = record->sectionIndex;
    const std::int64_t chapter = std::max<std::int64_t>(record->versesIndex, 0);
    const BibleKind kind = record->kindOfBible;
    if (book == bibleBookCount - 1 && chapter >= chaptersPerBook()[at(book)] - 1) {
        return;
    }
    if (chapter + 1 < chaptersPerBook()[at(book)]) {
        loadStep(1, book, chapter + 2, kind);
    } else {
        loadStep(2, book + 1, 1, kind);
    }
    finishChapterStep(false);
}

void BibleView::loadStep(std::int64_t movingType, std::int64_t bookIndex, std::int64_t chapter,
                         BibleKind kind) const {
    const PageHandle page = state();
    page.modifyView([movingType](BibleView& shown) { shown.sectionAndVerseMovingType = movingType; });
    loadChapter(page, userSettings.context(), bookIndex, chapter, kind, movingType);
}

void BibleView::finishChapterStep(bool flagsFirst) const {
    const PageHandle page = state();
    if (flagsFirst) {
        resetVerseFlags();
    }
    if (const BibleStructure* record = page.record()) {
        updateLastPageTranslation(record->kindOfBible);
    }
    refreshPageTitle(page.index());
    if (!flagsFirst) {
        resetVerseFlags();
    }
    page.modifyView([](BibleView& shown) {
        shown.sectionAndVerseMovingType = 0;
        shown.userSelectBibleSection = true;
    });
    userSettings->savePageState(userSettings.context());
}

// --- Copy and notes ---

void BibleView::copySelectedVerses() const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    const BibleStructure* record = page.record();
    if (!view || !record) {
        return;
    }
    const VerseCopy copy = VerseCopy::of(*record, view->isSelectedArray2);
    if (!copy.notice.empty()) {
        showNotice(copy.notice);
        return;
    }
    if (!copy.text.empty()) {
        userSettings.context().clipboard().setText(QString::fromStdString(copy.text));
    }
}

bool BibleView::isVerseNoteShown(std::int64_t row) const {
    const PageHandle page = state();
    const BibleView* view = page.view();
    if (!view || !page.record()) {
        return false;
    }
    const auto& noteMode = view->QTOnOffForEachRow;
    if (isIndexOf(row, noteMode.size()) && noteMode[at(row)] && page.verseCount() > 0) {
        return true;
    }
    const BiblePraise* verse = page.verse(row);
    return verse && verse->hasMemo && !view->qtContentForThisPage.empty();
}

void BibleView::copyVerseNote(std::int64_t row) const {
    const PageHandle page = state();
    trace("onReceive BibleView, pageIndex " + std::to_string(page.index()));
    const BiblePraise* verse = page.verse(row);
    const BibleView* view = page.view();
    if (!verse || !verse->hasMemo || !view) {
        return;
    }
    const std::string note = verse->memo ? verse->memo->memoContent : std::string();
    const auto& texts = view->qtContentForThisPage;
    trace("qtContentForThisPage[i] " + (isIndexOf(row, texts.size()) ? texts[at(row)] : std::string()));
    trace("QTViewForAPraise: userSettings.selectedBibleArray[pageIndex].praises[i].memo.memoContent " + note);
    if (!isIndexOf(row, texts.size())) {
        return;
    }
    page.modifyView([&](BibleView& shown) { shown.qtContentForThisPage[at(row)] = note; });
    trace("qtContentForThisPage[" + std::to_string(row) + "] " + note);
}

namespace {

void traceOpenRecords(const std::vector<BibleStructure>& records) {
    trace("userSettings.selectedBibleArray.count " + std::to_string(records.size()));
    if (!records.empty()) {
        trace("userSettings.selectedBibleArray[0].praises.count " +
              std::to_string(records[0].praises.size()));
    }
}

void traceChosenVerse(const PageHandle& page, std::int64_t chosen) {
    trace("praiseIndex " + std::to_string(chosen));
    if (const BiblePraise* first = page.verse(0)) {
        trace("userSettings.selectedBibleArray[pageIndex].praises[0].index " + std::to_string(first->index));
        trace("userSettings.selectedBibleArray[pageIndex].praises.count " +
              std::to_string(page.verseCount()));
    }
}

void traceFixedIndex(std::int64_t fixedIndex) {
    trace("");
    trace("bibleViewFixedIndex " + std::to_string(fixedIndex));
}

void tracePageAdded(std::int64_t page, std::int64_t previousPage, std::int64_t openPages) {
    trace("pageindex " + std::to_string(page) + " prevPageindex " + std::to_string(previousPage) +
          " Utils.currentIndex " + std::to_string(Utils::currentIndex) +
          " userSettings.selectedBibleArray.count " + std::to_string(openPages));
}

// The book and chapter the title was rebuilt from.
void traceRebuiltTitle(const PageHandle& page) {
    const BibleStructure* record = page.record();
    const std::optional<BibleBook> book = record ? bibleBookFromRaw(record->sectionIndex) : std::nullopt;
    if (!book || !page.view()) {
        return;
    }
    trace("chapter " + std::string(bookName(record->language, *book)));
    trace("verse " + std::to_string(chapterNumber(*record)));
}

// A page's translation before its title is refreshed, its title after.
void traceTitleOf(const PageHandle& page, bool refreshed) {
    if (!refreshed) {
        trace("userSettings.selectedBibleArray[pageIndex].kindOfBible " + std::to_string(page.index()) +
              "  " + std::string(caseName(page.record()->kindOfBible)));
    } else if (const BibleView* view = page.view()) {
        trace("userSettings.roles[i].bibleSectionTitle " + view->bibleSectionTitle);
    }
}

// The choice a sheet closed with, beside the page's and its record's translation.
void traceChoice(const std::string& prefix, const PageHandle& page) {
    const BibleView* view = page.view();
    const BibleStructure* record = page.record();
    if (!view || !record) {
        return;
    }
    const BibleStructure& chosen = view->selectedPraise;
    trace(prefix + std::string(caseName(chosen.kindOfBible)) + " " +
          std::string(caseName(view->kindOfBible)) + " " + std::string(caseName(record->kindOfBible)) + " " +
          std::to_string(chosen.sectionIndex) + " " + std::to_string(chosen.versesIndex));
}

void traceWords(const std::string& prefix, const BibleStructure& record) {
    for (const BiblePraise& verse : record.praises) {
        trace(prefix + verse.word);
    }
}

void traceTranslationChoice(const BibleStructure& record) {
    trace("userSettings.selectedBibleArray[pageIndex].kindOfBible " +
          std::string(caseName(record.kindOfBible)));
    trace("userSettings.selectedBibleArray[pageIndex].sectionIndex " + std::to_string(record.sectionIndex) +
          ", userSettings.selectedBibleArray[pageIndex].versesIndex " + std::to_string(record.versesIndex));
}

} // namespace

} // namespace lumenscroll
