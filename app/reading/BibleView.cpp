#include "app/reading/BibleView.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/ChapterText.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/TextResource.h"
#include "app/reading/Utils.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

namespace lumenscroll {

namespace {

bool isChapterOf(BibleBook book, std::int64_t chapter) {
    return chapter >= 1 && chapter <= static_cast<std::int64_t>(versesPerChapter(book).size());
}

// The verses of one chapter as the resource holds them; none when the translation has no
// text or the resource is missing or unreadable.
std::vector<BiblePraise> readChapterVerses(const ResourceLocator& resources, const std::string& resourceName,
                                           BibleKind kind, BibleBook book, std::int64_t chapter) {
    if (resourceName.empty()) {
        return {};
    }
    const std::optional<std::string> text = TextResource::read(resources, resourceName);
    if (!text) {
        return {};
    }
    return ChapterText::chapterVerses(*text, kind, book, chapter);
}

} // namespace

std::vector<std::string> BibleView::defaultTitlePhotoArray() {
    return {"TopArea1", "TopArea2", "TopArea3", "TopArea4", "TopArea5",
            "TopArea6", "TopArea7", "TopArea8", "TopArea9"};
}

std::string BibleView::chapterResourceName(BibleKind kind, std::int64_t bookIndex, std::int64_t page) const {
    std::string name = TextResource::name(kind, bookIndex);
    if (name.empty()) {
        return name;
    }
    const bool english = kind == BibleKind::en01;
    const std::string_view language = english ? englishLanguageCode : koreanLanguageCode;

    UserSettings& settings = *userSettings;
    if (isIndexOf(page, settings.selectedBibleArray->size())) {
        settings.selectedBibleArray.modify(
            [&](std::vector<BibleStructure>& pages) { pages[at(page)].language = std::string(language); });
    }
    if (isIndexOf(page, settings.roles->size())) {
        const std::string label(translationDisplayName(kind));
        settings.roles.modify(
            [&](std::vector<BibleView>& views) { views[at(page)].translateVersion = label; });
    }
    return name;
}

void BibleView::loadPageText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind) const {
    UserSettings& settings = *userSettings;
    const std::int64_t page = pageIndex.get();
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || !isChapterOf(*book, chapter) || !isIndexOf(page, settings.selectedBibleArray->size())) {
        trace("loadPageText: no chapter " + std::to_string(chapter) + " of book " +
              std::to_string(bookIndex) + " for page " + std::to_string(page));
        return;
    }
    // Read before the load changes the record: a step back across a book boundary counts from
    // the book the page was on.
    const std::int64_t previousBookIndex = settings.selectedBibleArray.get()[at(page)].sectionIndex - 1;

    const std::string name = chapterResourceName(kind, bookIndex, page);
    trace("fileName : " + name);
    std::vector<BiblePraise> praises =
        readChapterVerses(userSettings.context().resources(), name, kind, *book, chapter);

    const bool english = kind == BibleKind::en01;
    const std::string language(english ? englishLanguageCode : koreanLanguageCode);

    std::int64_t versesIndex = 0;
    switch (sectionAndVerseMovingType) {
    case 0:
    case 1:
        versesIndex = chapter - 1;
        break;
    case -1:
        // The caller lowers it by one afterwards.
        versesIndex = chapter;
        break;
    case -2:
        // The last chapter of the book before the page's; a page on the first book has none
        // before it, and keeps the chapter it loaded.
        versesIndex = bibleBookFromRaw(previousBookIndex) ? lastChapterIndexPerBook()[at(previousBookIndex)]
                                                          : chapter - 1;
        break;
    default:
        versesIndex = 0;
        break;
    }

    settings.currentBibleLanguage.set(language);

    BibleStructure record;
    record.versesIndex = versesIndex;
    record.order = bookIndex;
    record.language = language;
    // In the language the page's record holds now, which chapterResourceName has just set for
    // the translations that have text.
    record.name = std::string(bookName(settings.selectedBibleArray.get()[at(page)].language, *book));
    record.isOldTestment = isOldTestament(*book);
    record.sectionIndex = bookIndex;
    record.kindOfBible = english ? BibleKind::en01 : BibleKind::kr01;
    record.praises = std::move(praises);
    record.matchingIndexToMemo = 0;

    storeLoadedPage(bookIndex, chapter, std::move(record));
}

BibleStructure BibleView::loadChapterText(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                          std::int64_t page) const {
    BibleStructure record;
    record.sectionIndex = bookIndex;
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || !isChapterOf(*book, chapter)) {
        trace("loadChapterText: no chapter " + std::to_string(chapter) + " of book " +
              std::to_string(bookIndex));
        return record;
    }
    const std::string name = chapterResourceName(kind, bookIndex, page);
    trace(" - fileName " + name);
    record.praises = readChapterVerses(userSettings.context().resources(), name, kind, *book, chapter);
    return record;
}

void BibleView::storeLoadedPage(std::int64_t bookIndex, std::int64_t chapter, BibleStructure record) const {
    UserSettings& settings = *userSettings;
    const std::int64_t page = pageIndex.get();
    const std::optional<BibleBook> book = bibleBookFromRaw(bookIndex);
    if (!book || !isChapterOf(*book, chapter) || !isIndexOf(page, settings.selectedBibleArray->size())) {
        return;
    }

    // Only the chapter loaded last is kept: every book gets its placeholders again, one more
    // than it has chapters, since entry c stands for chapter c.
    const std::int64_t bookCount = std::min(settings.bibleSectionCount.get(), bibleBookCount);
    std::vector<std::vector<BibleStructure>> container;
    container.reserve(static_cast<std::size_t>(std::max<std::int64_t>(bookCount, 0)));
    for (std::int64_t b = 0; b < bookCount; ++b) {
        container.emplace_back(at(chaptersPerBook()[at(b)] + 1));
    }
    if (isIndexOf(bookIndex, container.size())) {
        container[at(bookIndex)][at(chapter)] = record;
    }
    settings.BibleWordsContainer.set(std::move(container));
    settings.selectedBibleArray.modify(
        [&](std::vector<BibleStructure>& pages) { pages[at(page)] = std::move(record); });

    trace("pageIndex " + std::to_string(page) + " roles.count - 1 " +
          std::to_string(static_cast<std::int64_t>(settings.roles->size()) - 1));
}

void BibleView::loadSavedState() const {
    // A copy: the loader appends to roles, which may hold this value.
    PageStatePersistence::loadSavedState(*this);
}

void BibleView::refreshPageTitle(std::int64_t page) const {
    UserSettings& settings = *userSettings;
    if (!isIndexOf(page, settings.selectedBibleArray->size())) {
        return;
    }
    const BibleStructure& record = settings.selectedBibleArray.get()[at(page)];
    trace("userSettings.selectedBibleArray[pageIndex].versesIndex " + std::to_string(record.versesIndex));
    const std::optional<BibleBook> book = bibleBookFromRaw(record.sectionIndex);
    if (!book || !isIndexOf(page, settings.roles->size())) {
        return;
    }
    const std::int64_t chapter = record.versesIndex < 1 ? 1 : record.versesIndex + 1;
    std::string title;
    switch (record.kindOfBible) {
    case BibleKind::kr01:
        title = std::string(bookName(koreanLanguageCode, *book)) + " " + std::to_string(chapter) + "장";
        break;
    case BibleKind::en01:
        title = std::string(bookName(englishLanguageCode, *book)) + " " + std::to_string(chapter);
        break;
    default:
        return;
    }
    settings.roles.modify(
        [&](std::vector<BibleView>& views) { views[at(page)].bibleSectionTitle = std::move(title); });
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
    const std::int64_t index = page.index();
    const auto& rows = userSettings->bookmarkArray.get();
    if (isIndexOf(index, rows.size()) && isIndexOf(verse, rows[at(index)].size())) {
        userSettings->bookmarkArray.modify([&](std::vector<std::vector<bool>>& marks) {
            marks[at(index)][at(verse)] = !marks[at(index)][at(verse)];
        });
    }
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
    UserSettings& settings = *userSettings;
    const auto& pages = settings.selectedBibleArray.get();
    trace("userSettings.selectedBibleArray.count " + std::to_string(pages.size()));
    if (!pages.empty()) {
        trace("userSettings.selectedBibleArray[0].praises.count " + std::to_string(pages[0].praises.size()));
    }

    const PageHandle page = state();
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    if (record->praises.empty()) {
        // Only the verses: the record keeps the chapter and the translation it names, and the
        // verses come in that translation.
        const std::int64_t chapter = record->versesIndex < 0 ? 1 : record->versesIndex + 1;
        BibleStructure read = loadChapterText(record->sectionIndex, chapter, record->kindOfBible, page.index());
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
    trace("praiseIndex " + std::to_string(chosen));
    if (!hasVerses) {
        return 0;
    }
    trace("userSettings.selectedBibleArray[pageIndex].praises[0].index " + std::to_string(page.verse(0)->index));
    trace("userSettings.selectedBibleArray[pageIndex].praises.count " + std::to_string(page.verseCount()));
    return chosen;
}

void BibleView::praiseIndexChangedTo(bool changed) const {
    if (!changed) {
        return;
    }
    UserSettings& settings = *userSettings;
    trace("");
    trace("bibleViewFixedIndex " + std::to_string(bibleViewFixedIndex));
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
    userSettings->selectedBibleArray.modify([](std::vector<BibleStructure>& pages) { pages.emplace_back(); });
}

// --- The title and the translation label ---

void BibleView::rebuildTitle() const {
    storeTitle(true);
}

void BibleView::userSelectBibleSectionRaised(bool raised) const {
    if (!raised) {
        return;
    }
    storeTitle(false);
    state().modifyView([](BibleView& shown) { shown.userSelectBibleSection = false; });
}

void BibleView::storeTitle(bool traced) const {
    const PageHandle page = state();
    const BibleStructure* record = page.record();
    if (!record || !page.view()) {
        return;
    }
    std::string_view language = record->language;
    if (record->kindOfBible == BibleKind::en01) {
        language = englishLanguageCode;
    } else if (record->kindOfBible == BibleKind::kr01) {
        language = koreanLanguageCode;
    }
    if (record->language != language) {
        const std::string code(language);
        page.modifyRecord([&](BibleStructure& stored) { stored.language = code; });
        record = page.record();
    }
    const std::optional<BibleBook> book = bibleBookFromRaw(record->sectionIndex);
    if (!book) {
        return;
    }
    const std::string name(bookName(record->language, *book));
    const std::int64_t chapter = record->versesIndex < 0 ? 1 : record->versesIndex + 1;
    if (traced) {
        trace("chapter " + name);
        trace("verse " + std::to_string(chapter));
    }
    std::string title = name + " " + std::to_string(chapter);
    if (record->language == koreanLanguageCode) {
        title += "장";
    }
    page.modifyView([&](BibleView& shown) { shown.bibleSectionTitle = std::move(title); });
}

void BibleView::updateTranslationLabel(BibleKind kind) const {
    const PageHandle page = state();
    const auto newest = static_cast<std::int64_t>(userSettings->selectedBibleArray->size()) - 1;
    if (page.index() != newest || (kind != BibleKind::kr01 && kind != BibleKind::en01)) {
        return;
    }
    const std::string label(translationDisplayName(kind));
    page.modifyView([&](BibleView& shown) {
        shown.kindOfBible = kind;
        shown.translateVersion = label;
    });
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
    trace("pageindex " + std::to_string(page.index()) + " prevPageindex " + std::to_string(prevPageIndex.get()) +
          " Utils.currentIndex " + std::to_string(Utils::currentIndex) + " userSettings.selectedBibleArray.count " +
          std::to_string(open));
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
    const PageHandle page = state();
    const auto open = static_cast<std::int64_t>(userSettings->selectedBibleArray().size());
    if (page.index() != open - 1 || (kind != BibleKind::kr01 && kind != BibleKind::en01)) {
        return;
    }
    const std::size_t label = kind == BibleKind::kr01 ? 0 : 1;
    page.modifyView([kind, label](BibleView& shown) {
        shown.kindOfBible = kind;
        if (label < shown.translateVersionArray.size()) {
            shown.translateVersion = shown.translateVersionArray[label];
        }
    });
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

} // namespace lumenscroll
