#include "app/shell/PageRestore.h"

#include "app/model/BibleBook.h"
#include "app/model/LanguageCode.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/FontChoices.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/UserSettings.h"
#include "app/shell/CarouselView.h"

#include <utility>

namespace lumenscroll {

namespace {

std::int64_t countOf(std::size_t size) {
    return static_cast<std::int64_t>(size);
}

// The page a first run opens: Genesis 1 of 개역한글, the start-up loader's chapter of it when
// the loaded texts hold one (which then counts as chapter index 0 there too).
BibleStructure firstRunRecord(UserSettings& settings) {
    BibleStructure record;
    record.order = 0;
    record.language = std::string(koreanLanguageCode);
    record.name = std::string(koreanBookName(BibleBook::genesis));
    record.isOldTestment = true;
    record.sectionIndex = 0;
    record.kindOfBible = BibleKind::kr01;
    record.matchingIndexToMemo = 0;
    const auto& books = settings.BibleWordsContainer.get();
    if (isIndexOf(record.order, books.size()) && !books[at(record.order)].empty() &&
        books[at(record.order)].front().order == record.order) {
        const std::int64_t book = record.order;
        record = books[at(book)].front();
        settings.BibleWordsContainer.modify([&](std::vector<std::vector<BibleStructure>>& texts) {
            texts[at(book)].front().versesIndex = 0;
        });
    }
    record.versesIndex = 0;
    return record;
}

// Traces, at the end of the file.
void traceRestoringPage(std::int64_t page, const BibleStructure& stored);
void traceNoText(std::int64_t page, std::int64_t chapter, const BibleStructure& stored);
void traceRestoredVerses(const BibleStructure& record);
void traceFirstRunPage(const BibleStructure& opened, const UserSettings& settings);

} // namespace

void PageRestore::restorePages() const {
    UserSettings& settings = carousel_.userSettings;
    if (!settings.roles->empty()) {
        trace("userSettings.selectedBibleArray.count " + std::to_string(settings.selectedBibleArray->size()));
        return;
    }
    AppContext& context = carousel_.context();
    // The reader's font choices, which the restored pages' rows are drawn in from the start.
    FontChoices::load(settings, context.settings());
    PageStatePersistence::restoreStoredValues(settings, context, !context.keys().isOptionKeyDown());
    if (settings.selectedBibleArray->empty()) {
        openFirstRunPage();
    } else {
        restoreStoredPages();
    }
}

void PageRestore::restoreStoredPages() const {
    UserSettings& settings = carousel_.userSettings;
    const std::int64_t count = countOf(settings.selectedBibleArray->size());
    for (std::int64_t i = 0; i < count; ++i) {
        appendPageView(i);
    }

    for (std::int64_t i = 0; i < count; ++i) {
        const PageHandle page(settings, i);
        const BibleStructure stored = *page.record();
        traceRestoringPage(i, stored);
        const std::int64_t chapter = chapterNumber(stored);
        BibleStructure read = carousel_.makeChapter(stored.sectionIndex, chapter, stored.kindOfBible, i);
        if (read.praises.empty()) {
            // The page keeps its stored verses, marks and notes, untouched: they are the user's,
            // and a later launch that has the text shows them on it again. The page shows a
            // notice in their place meanwhile.
            traceNoText(i, chapter, stored);
            continue;
        }
        refreshVerses(page, std::move(read.praises));
        traceRestoredVerses(*page.record());
    }

    const OpenPages pages(settings);
    pages.rebuildBookmarkRows();
    pages.resetChapterNotes();
    settings.savePageState(carousel_.context());
}

void PageRestore::openFirstRunPage() const {
    UserSettings& settings = carousel_.userSettings;
    const OpenPages pages(settings);
    pages.appendView(carousel_.restoredPageView(0));
    const BibleStructure record = firstRunRecord(settings);
    pages.appendRecord(record);
    const PageHandle page(settings, countOf(settings.roles->size()) - 1);
    trace(" ---- --- userSettings.selectedBibleArray[userSettings.roles.count - 1].versesIndex " +
          std::to_string(record.versesIndex));

    // The verses once: those the loader kept are replaced, never added to.
    BibleStructure read = carousel_.makeChapter(0, 1, record.kindOfBible, page.index());
    page.modifyRecord([&](BibleStructure& opened) { opened.praises = std::move(read.praises); });
    traceFirstRunPage(*page.record(), settings);

    settings.selectedBible.set(*page.record());
    carousel_.pageTitle(page.index());
    const BibleStructure shown = *page.record();
    page.modifyView([&](BibleView& view) {
        view.pickedPhotoName = Binding<std::string>::constant(CarouselView::firstPagePhoto);
        view.selectedBible = shown;
    });
    pages.rebuildBookmarkRows();
    pages.resetChapterNotes();
}

void PageRestore::appendPageView(std::int64_t index) const {
    OpenPages(carousel_.userSettings).appendView(carousel_.restoredPageView(index));
    carousel_.pageTitle(index);
    const std::vector<std::string>& photos = carousel_.titlePhotoArray();
    if (photos.empty()) {
        return;
    }
    const std::string photo = photos[at(carousel_.context().random().below(static_cast<int>(photos.size())))];
    PageHandle(carousel_.userSettings, index).modifyView([&](BibleView& view) {
        view.pickedPhotoName = Binding<std::string>::constant(photo);
    });
}

namespace {

void traceRestoringPage(std::int64_t page, const BibleStructure& stored) {
    trace("userSettings.selectedBibleArray[" + std::to_string(page) + "].versesIndex " +
          std::string(bookNameByIndex(koreanLanguageCode, stored.sectionIndex)) + ", " +
          std::to_string(stored.versesIndex));
}

void traceNoText(std::int64_t page, std::int64_t chapter, const BibleStructure& stored) {
    trace("error page " + std::to_string(page) + " names chapter " + std::to_string(chapter) + " of book " +
          std::to_string(stored.sectionIndex) + " in " +
          std::string(translationDisplayName(stored.kindOfBible)) + ", which has no text");
}

void traceRestoredVerses(const BibleStructure& record) {
    for (const BiblePraise& verse : record.praises) {
        trace("userSettings.selectedBibleArray[i].praises[j].word " + verse.word);
    }
}

void traceFirstRunPage(const BibleStructure& opened, const UserSettings& settings) {
    trace(" _____ userSettings.selectedBibleArray[0].versesIndex " + std::to_string(opened.versesIndex));
    trace("userSettings.selectedBibleArray[0].praises.count " + std::to_string(opened.praises.size()));
    const auto& books = settings.BibleWordsContainer.get();
    if (!books.empty() && !books.front().empty()) {
        trace("userSettings.BibleWordsContainer[0][0].praises.count " +
              std::to_string(books.front().front().praises.size()));
    }
}

} // namespace

} // namespace lumenscroll
