#include "app/shell/PageRestore.h"

#include "app/model/BibleBook.h"
#include "app/model/BibleStructureBuilder.h"
#include "app/model/LanguageCode.h"
#include "app/platform/AppContext.h"
#include "app/platform/Trace.h"
#include "app/reading/FontChoices.h"
#include "app/reading/ListIndex.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/UserSettings.h"
#include "app/shell/CarouselChapters.h"

#include <utility>

namespace lumenscroll {

namespace {

std::int64_t countOf(std::size_t size) {
    return static_cast<std::int64_t>(size);
}

// The page a first run opens: Genesis 1 of 개역한글, the start-up loader's chapter of it when
// the loaded texts hold one (which then counts as chapter index 0 there too).
BibleStructure firstRunRecord(UserSettings& settings) {
    BibleStructure record = BibleStructureBuilder(BibleBook::genesis, BibleKind::kr01).build();
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
    if (!settings_.roles->empty()) {
        trace("userSettings.selectedBibleArray.count " +
              std::to_string(settings_.selectedBibleArray->size()));
        return;
    }
    // The reader's font choices, which the restored pages' rows are drawn in from the start.
    FontChoices::load(settings_, context_.settings());
    const bool optionKeyDown = context_.keys().isOptionKeyDown();
    if (optionKeyDown) {
        PageStatePersistence::keepUnreadPages(context_);
    }
    PageStatePersistence::restoreStoredValues(settings_, context_, !optionKeyDown);
    PageStatePersistence::restoreMarkBook(settings_, context_);
    if (settings_.selectedBibleArray->empty()) {
        openFirstRunPage();
    } else {
        restoreStoredPages();
    }
}

void PageRestore::restoreStoredPages() const {
    const std::int64_t count = countOf(settings_.selectedBibleArray->size());
    for (std::int64_t i = 0; i < count; ++i) {
        appendPageView(i);
    }

    for (std::int64_t i = 0; i < count; ++i) {
        const PageHandle page(settings_, i);
        const BibleStructure stored = *page.record();
        traceRestoringPage(i, stored);
        const std::int64_t chapter = chapterNumber(stored);
        BibleStructure read = makeChapter(page, context_, stored.sectionIndex, chapter, stored.kindOfBible);
        if (read.praises.empty()) {
            // The page keeps its stored verses, with the marks of its chapter: they are the
            // user's, and a later launch that has the text shows them on it again. The page shows
            // a notice in their place meanwhile.
            traceNoText(i, chapter, stored);
            showChapterMarks(page);
            continue;
        }
        refreshVerses(page, std::move(read.praises));
        traceRestoredVerses(*page.record());
    }

    const OpenPages pages(settings_);
    pages.rebuildBookmarkRows();
    pages.resetChapterNotes();
    settings_.savePageState(context_);
}

void PageRestore::openFirstRunPage() const {
    const OpenPages pages(settings_);
    pages.appendViewOfRecord(makePage_(0));
    const BibleStructure record = firstRunRecord(settings_);
    pages.appendFirstRunRecord(record);
    const PageHandle page(settings_, countOf(settings_.roles->size()) - 1);
    trace(" ---- --- userSettings.selectedBibleArray[userSettings.roles.count - 1].versesIndex " +
          std::to_string(record.versesIndex));

    // The verses once: those the loader kept are replaced, never added to.
    BibleStructure read = makeChapter(page, context_, 0, 1, record.kindOfBible);
    page.modifyRecord([&](BibleStructure& opened) { opened.praises = std::move(read.praises); });
    showChapterMarks(page);
    traceFirstRunPage(*page.record(), settings_);

    settings_.selectedBible.set(*page.record());
    retitlePage(page);
    const BibleStructure shown = *page.record();
    page.modifyView([&](BibleView& view) { view.selectedBible = shown; });
    pages.rebuildBookmarkRows();
    pages.resetChapterNotes();
}

void PageRestore::appendPageView(std::int64_t index) const {
    BibleView view = makePage_(index);
    if (!titlePhotos_.empty()) {
        const int drawn = context_.random().below(static_cast<int>(titlePhotos_.size()));
        view.pickedPhotoName = Binding<std::string>::constant(titlePhotos_[at(drawn)]);
    }
    OpenPages(settings_).appendViewOfRecord(std::move(view));
    retitlePage(PageHandle(settings_, index));
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
