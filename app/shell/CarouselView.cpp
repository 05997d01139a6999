#include "app/shell/CarouselView.h"

#include "app/model/VerseLocator.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/UserSettings.h"
#include "app/reading/Utils.h"
#include "app/shell/CarouselChapters.h"
#include "app/shell/PageRestore.h"

#include <algorithm>
#include <utility>

namespace lumenscroll {

namespace {

std::int64_t countOf(std::size_t size) {
    return static_cast<std::int64_t>(size);
}

std::string text(std::int64_t value) {
    return std::to_string(value);
}

// Traces, at the end of the file.
void traceSearchHit(std::size_t entries, const std::string& hit);
void traceHitNumbers(const VerseLocator& hit, std::int64_t newest, const UserSettings& settings);
void traceLoadedHit(const BibleStructure& record, std::int64_t verse, const UserSettings& settings);
void traceNoPageToClose(std::int64_t closed, const UserSettings& settings);
void traceLoadedVerses(const PageHandle& page);

} // namespace

template <class T> Binding<T> CarouselView::guarded(Binding<T> binding) const {
    std::weak_ptr<const bool> alive = alive_;
    return Binding<T>([alive, binding] { return alive.expired() ? T{} : binding.get(); },
                      [alive, binding](const T& value) {
                          if (!alive.expired()) {
                              binding.set(value);
                          }
                      });
}

CarouselView::CarouselView(UserSettings& userSettings, AppContext& context, Binding<bool> matched,
                           Binding<bool> plusBible, Binding<bool> isShrinked, Binding<bool> plusBtnPressed,
                           std::vector<std::string> titlePhotoArray, Binding<bool> pagesRestored,
                           ObjectWillChangePublisher* bindingsOwner)
    : matched(std::move(matched))
    , plusBible(std::move(plusBible))
    , isShrinked(std::move(isShrinked))
    , plusBtnPressed(std::move(plusBtnPressed))
    , userSettings(userSettings)
    , titlePhotoArray(*this, std::move(titlePhotoArray))
    , pagesRestored(std::move(pagesRestored))
    , context_(context)
    , watchers_(context.scheduler()) {
    if (bindingsOwner != nullptr) {
        // A change of what the bindings refer to is a change of what this view shows.
        bindingsOwnerChanges_ = bindingsOwner->sink([this] { publisher().send(); });
    }
    watchers_.observe(*this);
    watchers_.observe(userSettings);
    watchers_.watch([this] { return countOf(this->userSettings.selectedBibleArray->size()); },
                    [this](std::int64_t count) { fillNewPage(count); });
    watchers_.watch([this] { return this->userSettings.plusBible(); },
                    [this](bool value) { addPage(value); });
    watchers_.watch([this] { return selectedTab(); },
                    [this](std::int64_t index) { currentPageChanged(index); });
}

CarouselView::~CarouselView() = default;

void CarouselView::appear() {
    if (appeared_) {
        return;
    }
    appeared_ = true;
    restorePages();
    pagesRestored.set(true);
}

// --- Restoring ---

void CarouselView::restorePages() {
    restore().restorePages();
}

PageRestore CarouselView::restore() {
    const auto makePage = [this](std::int64_t index) { return restoredPageView(index); };
    return PageRestore(userSettings, context_, makePage, titlePhotoArray());
}

// --- Adding and filling ---

void CarouselView::addPage(bool newValue) {
    if (!newValue || !plusBtnPressed.get()) {
        return;
    }
    UserSettings& settings = userSettings;
    const std::int64_t current = selectedTab();
    if (settings.roles->empty() || !isIndexOf(current, settings.selectedBibleArray->size())) {
        trace("no page to copy for a new page: selectedTab " + text(current) + ", roles.count " +
              text(countOf(settings.roles->size())));
        return;
    }

    plusBtnPressed.set(false);
    if (!isShrinked.get()) {
        isShrinked.set(true);
    }
    prevPageIndex.set(current);
    settings.selectedTab.set(current);
    reportCurrentPage(current);

    OpenPages(settings).appendCopy(newPageView(), current);
    const std::int64_t added = countOf(settings.roles->size()) - 1;
    showChapterMarks(PageHandle(settings, added));
    selectedTab.set(added);
    reportCurrentPage(added);
    settings.selectedTab.set(added);
    // The title follows the copied chapter.
    pageTitle(added);

    if (settings.roles->size() != 1) {
        settings.plusBible2.set(true);
    }
}

void CarouselView::fillNewPage(std::int64_t newCount) {
    if (openSearchHit(newCount)) {
        return;
    }
    fillMissingPages(newCount);
}

bool CarouselView::openSearchHit(std::int64_t newCount) {
    UserSettings& settings = userSettings;
    const std::vector<std::string> found = settings.foundSectionVerseAndPraiseArray();
    const auto hit =
        std::find_if(found.rbegin(), found.rend(), [](const std::string& entry) { return !entry.empty(); });
    if (hit == found.rend()) {
        return false;
    }
    // Only a verse the tables hold opens: anything else is dropped, and the new record gets its
    // page as if no hit had been chosen, so that no page is stored on a book that is not one.
    const std::optional<VerseLocator> locator = VerseLocator::parse(*hit);
    if (!locator) {
        trace("error " + *hit);
        OpenPages(settings).clearSearchHits();
        return false;
    }

    // The newest record is the hit's page. A page added with "New Page" has its value already;
    // a record appended for the hit gets one now.
    if (countOf(settings.roles->size()) < newCount) {
        OpenPages(settings).appendViewOfRecord(restoredPageView(countOf(settings.roles->size())));
    }
    const PageHandle page(settings, countOf(settings.roles->size()) - 1);
    reportCurrentPage(page.index());
    settings.selectedTab.set(page.index());
    traceSearchHit(found.size(), *hit);

    const std::int64_t book = locator->bookIndex();
    const std::int64_t chapter = locator->chapterNumber();
    const std::int64_t verse = locator->verseIndex;
    traceHitNumbers(*locator, page.index(), settings);
    if (!page.record()) {
        trace("error no page record for the search hit " + *hit);
        return true;
    }

    const BibleKind kind = settings.kindOfBible().value_or(BibleKind::kr01);
    pointAtSearchHit(page, book, chapter, verse, kind);
    trace("userSettings.selectedBibleArray[userSettings.roles.count - 1].name " + page.record()->name);

    loadChapter(page.index(), book, chapter, kind);
    traceLoadedHit(*page.record(), verse, settings);

    pageTitle(page.index());
    const OpenPages pages(settings);
    pages.rebuildBookmarkRows();
    pages.fitChapterNotes();
    settings.savePageState(context_);
    settings.praiseSelected.set(verse);
    trace(" == userSettings.praiseSelected " + text(settings.praiseSelected()));
    selectedTab.set(page.index());
    return true;
}

void CarouselView::fillMissingPages(std::int64_t newCount) {
    if (newCount < 2 || countOf(userSettings.roles->size()) >= newCount) {
        return;
    }
    const PageRestore restoring = restore();
    for (std::int64_t i = countOf(userSettings.roles->size()); i < newCount; ++i) {
        restoring.appendPageView(i);
    }
    const OpenPages pages(userSettings);
    pages.rebuildBookmarkRows();
    pages.resetChapterNotes();
}

// --- Closing ---

void CarouselView::deletePage() {
    UserSettings& settings = userSettings;
    const OpenPages pages(settings);
    if (settings.roles->size() == 1) {
        settings.deleteBibleViewProcess.set(true);
        showNotice(lastPageNotice);
        scheduleDeleteProcessReset();
        return;
    }
    const std::int64_t closed = selectedTab();
    if (!pages.isOpen(closed) || !pages.areParallel()) {
        traceNoPageToClose(closed, settings);
        return;
    }
    settings.deleteBibleViewProcess.set(true);
    pages.closePage(closed);
    const std::int64_t remaining = countOf(settings.roles->size());

    // The page before the closed one becomes current; the first page's place is taken by the
    // next one.
    std::int64_t current = selectedTab();
    if (current == remaining) {
        current = remaining - 1;
    } else if (current == 0 && remaining == 1) {
        current = 0;
    } else {
        current -= 1;
    }
    selectedTab.set(std::max<std::int64_t>(current, 0));
    reportCurrentPage(selectedTab());

    // The pages that remain are written under their new indexes; the index past them no
    // longer names a page.
    deletePageStateFile(context_, PageStatePersistence::fileName(remaining));
    settings.savePageState(context_);
    scheduleDeleteProcessReset();
}

void CarouselView::scheduleDeleteProcessReset() {
    context_.scheduler().postAfter(this, deleteProcessDuration,
                                   [this] { userSettings.deleteBibleViewProcess.set(false); });
}

void CarouselView::showNotice(const std::string& message) {
    toastMessage.set(message);
    showToast.set(true);
    const std::uint64_t generation = ++noticeGeneration_;
    context_.scheduler().postAfter(this, toastDuration, [this, generation] {
        if (generation == noticeGeneration_) {
            showToast.set(false);
        }
    });
}

// --- Following the current page ---

void CarouselView::reportCurrentPage(std::int64_t index) {
    Utils::currentIndex = index;
}

void CarouselView::pageCellAppeared() {
    userSettings.selectedTab.set(selectedTab());
    reportCurrentPage(selectedTab());
    if (isIndexOf(selectedTab(), userSettings.selectedBibleArray->size())) {
        readMemoOnce.set(true);
    }
}

void CarouselView::currentPageChanged(std::int64_t newIndex) {
    UserSettings& settings = userSettings;
    if (!settings.foundSectionVerseAndPraiseArray->empty()) {
        trace("Utils.currentIndex " + text(Utils::currentIndex));
        settings.newBibleViewPageCreating.set(true);
        settings.selectedTab.set(selectedTab());
        OpenPages(settings).clearSearchHits();
    }
    if (newIndex != Utils::currentIndex) {
        trace("selectedTab " + text(selectedTab()));
        settings.selectedTab.set(selectedTab());
        reportCurrentPage(selectedTab());
        readMemoOnce.set(true);
    }
}

void CarouselView::optionClicked() {
    optionKeyPressed.set(true);
}

void CarouselView::tapPage() {
    if (isShrinked.get()) {
        isShrinked.set(false);
    }
}

// --- Chapters ---

std::string CarouselView::pageTitle(std::int64_t page) {
    const PageHandle handle(userSettings, page);
    return retitlePage(handle) ? handle.view()->bibleSectionTitle : firstPageTitle;
}

void CarouselView::loadChapter(std::int64_t page, std::int64_t bookIndex, std::int64_t chapter,
                               BibleKind kind) {
    const std::vector<BibleView>& views = userSettings.roles.get();
    if (views.empty()) {
        trace("no page to load chapter " + text(chapter) + " of book " + text(bookIndex) + " into");
        return;
    }
    // The chapter is numbered by the step the newest page is making.
    const PageHandle handle(userSettings, page);
    lumenscroll::loadChapter(handle, context_, bookIndex, chapter, kind,
                             views.back().sectionAndVerseMovingType);
    traceLoadedVerses(handle);
}

BibleStructure CarouselView::makeChapter(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                                         std::int64_t page) {
    return lumenscroll::makeChapter(PageHandle(userSettings, page), context_, bookIndex, chapter, kind);
}

// --- Page values ---

BibleView CarouselView::restoredPageView(std::int64_t index) {
    return BibleView{
        .isShrinkStatus = guarded(isShrinked),
        .userSettings = {userSettings, context_},
        .pageIndex = Binding<std::int64_t>::constant(index),
        .prevPageIndex = guarded(Binding<std::int64_t>::to(prevPageIndex)),
        .bibleSectionTitle = firstPageTitle,
        .titlePhotoArray = BibleView::defaultTitlePhotoArray(),
        .pickedPhotoName = Binding<std::string>::constant(firstPagePhoto),
        .selectedBible = std::nullopt,
        .translateVersion = std::string(translationDisplayName(BibleKind::kr01)),
        .kindOfBible = BibleKind::kr01,
        .plusBible = guarded(plusBible),
        .plusBible2 = guarded(Binding<bool>::to(plusBible2)),
        .lastSelectedIndex = -1,
        .qtContentAtEachPraise = Binding<std::vector<std::string>>::constant({std::string()}),
        .plusBtnPressed = Binding<bool>::constant(false),
        .sectionAndVerseMovingType = 0,
        .bibleViewFixedIndex = 0,
    };
}

BibleView CarouselView::newPageView() {
    const std::vector<BibleView>& views = userSettings.roles.get();
    const std::string photo = views.empty() ? firstPagePhoto : views.back().randomTitlePhoto();
    BibleView page = restoredPageView(countOf(views.size()));
    page.pickedPhotoName = Binding<std::string>::constant(photo);
    return page;
}

BibleView CarouselView::pageCell(std::int64_t index) {
    BibleView page = restoredPageView(index);
    // Each cell draws its own page: the current page is the carousel's to say, not the page's.
    page.plusBtnPressed = guarded(plusBtnPressed);
    page.bibleViewFixedIndex = index;
    return page;
}

// --- What the drawing shows ---

bool CarouselView::isCarouselShown() const {
    return selectedTab() >= 0 && selectedTab() < pageCount();
}

std::int64_t CarouselView::pageCount() const {
    return countOf(userSettings.roles->size());
}

bool CarouselView::isPageShown(std::int64_t index) const {
    return index == selectedTab() || isShrinked.get();
}

double CarouselView::pageScale() const {
    return isShrinked.get() ? shrunkScale : 1.0;
}

std::string CarouselView::pageCounterText() const {
    if (!isShrinked.get()) {
        return {};
    }
    return text(selectedTab() + 1) + " / " + text(pageCount());
}

namespace {

void traceSearchHit(std::size_t entries, const std::string& hit) {
    trace("userSettings.foundSectionVerseAndPraiseArray.count " + text(countOf(entries)));
    trace("userSettings.foundSectionVerseAndPraiseArray[indexForSearchedArray] " + hit);
}

void traceHitNumbers(const VerseLocator& hit, std::int64_t newest, const UserSettings& settings) {
    trace("array " + text(hit.bookIndex()) + " " + text(hit.chapterIndex) + " " + text(hit.verseIndex));
    trace("userSettings.roles.count - 1 : " + text(newest) + ", selectedBibleArray.count " +
          text(countOf(settings.selectedBibleArray->size())));
}

void traceLoadedHit(const BibleStructure& record, std::int64_t verse, const UserSettings& settings) {
    const std::string verseCount = text(countOf(record.praises.size()));
    trace("userSettings.selectedBibleArray[userSettings.roles.count - 1].praises.count " + verseCount);
    trace("userSettings.selectedBibleArray[userSettings.roles.count - 1].sectionIndex " +
          text(record.sectionIndex) +
          ", userSettings.selectedBibleArray[userSettings.roles.count - 1].versesIndex " +
          text(record.versesIndex) +
          ", userSettings.selectedBibleArray[userSettings.roles.count - 1].praises.count " + verseCount +
          ", praiseIndex " + text(verse));
    trace("userSettings.roles.count " + text(countOf(settings.roles->size())));
}

void traceNoPageToClose(std::int64_t closed, const UserSettings& settings) {
    trace("no page to close: selectedTab " + text(closed) + ", roles.count " +
          text(countOf(settings.roles->size())) + ", selectedBibleArray.count " +
          text(countOf(settings.selectedBibleArray->size())));
}

void traceLoadedVerses(const PageHandle& page) {
    if (const BibleStructure* record = page.record()) {
        for (const BiblePraise& verse : record->praises) {
            trace("== userSettings.selectedBibleArray[pageIndex].praises[" + text(verse.index) + "].words " +
                  verse.word);
        }
    }
}

} // namespace

} // namespace lumenscroll
