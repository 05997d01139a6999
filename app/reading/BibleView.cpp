#include "app/reading/BibleView.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/ChapterText.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/TextResource.h"
#include "app/reading/Utils.h"

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

} // namespace

std::vector<std::string> BibleView::defaultTitlePhotoArray() {
    return {"TopArea1", "TopArea2", "TopArea3", "TopArea4", "TopArea5",
            "TopArea6", "TopArea7", "TopArea8", "TopArea9"};
}

std::string BibleView::chapterResourceName(BibleKind kind, std::int64_t bookIndex, std::int64_t page) const {
    return lumenscroll::chapterResourceName(PageHandle(*userSettings, page), kind, bookIndex);
}

void BibleView::loadPageText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind) const {
    loadChapter(state(), userSettings.context().resources(), bookIndex, chapter, kind,
                sectionAndVerseMovingType);
}

BibleStructure BibleView::loadChapterText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                          std::int64_t page) const {
    return readChapter(PageHandle(*userSettings, page), userSettings.context().resources(), bookIndex,
                       chapter, kind);
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
        BibleStructure read = readChapter(page, userSettings.context().resources(), record->sectionIndex,
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
    const bool hasVerses = page.modifyVerse(0, [chosen](BiblePraise& first) { first.index = chosen; });
    traceChosenVerse(page, chosen);
    return hasVerses ? chosen : 0;
}

void BibleView::praiseIndexChangedTo(bool changed) const {
    if (!changed) {
        return;
    }
    UserSettings& settings = *userSettings;
    traceFixedIndex(bibleViewFixedIndex);
    const PageHandle page = state();
    if (bibleViewFixedIndex == static_cast<std::int64_t>(settings.roles->size()) - 1) {
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
    settings.executedOnce.set(true);
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

// --- Handlers other parts of the page fill in ---

void BibleView::appear() const {}

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

void BibleView::updateLastPageTranslation(BibleKind kind) const {
    labelNewestPage(state(), kind);
}

void BibleView::resetVerseFlags() const {
    const PageHandle page = state();
    const std::size_t verses = page.verseCount();
    page.modifyView([verses](BibleView& shown) {
        shown.isSelectedArray2.assign(verses, false);
        shown.QTOnOffForEachRow.assign(verses, false);
    });
}

void BibleView::goToPreviousChapter() const {}

void BibleView::goToNextChapter() const {}

void BibleView::copySelectedVerses() const {}

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

} // namespace

} // namespace lumenscroll
