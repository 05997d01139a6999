#include "app/reading/ChapterStepping.h"

#include "app/model/BibleBook.h"
#include "app/platform/AppContext.h"
#include "app/reading/ListIndex.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/PageOperations.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseSelection.h"

#include <algorithm>
#include <cstdint>

namespace lumenscroll {

namespace {

// Loads chapter `chapter` of book `bookIndex` in `kind` into the page for a step of
// `movingType`, which the page holds while the chapter loads.
void loadStep(const PageHandle& page, const AppContext& context, std::int64_t movingType,
              std::int64_t bookIndex, std::int64_t chapter, BibleKind kind) {
    page.modifyView([movingType](BibleView& shown) { shown.sectionAndVerseMovingType = movingType; });
    loadChapter(page, context, bookIndex, chapter, kind, movingType);
}

// After a chapter step: the flags, label and title follow the record, the pages are saved and
// userSelectBibleSection rises. `flagsFirst`: the step back resets the flags before the label
// and title, the step forward after them.
void finishChapterStep(const PageHandle& page, const AppContext& context, bool flagsFirst) {
    if (flagsFirst) {
        resetVerseFlags(page);
    }
    if (const BibleStructure* record = page.record()) {
        labelNewestPage(page, record->kindOfBible);
    }
    refreshPageTitle(page);
    if (!flagsFirst) {
        resetVerseFlags(page);
    }
    page.modifyView([](BibleView& shown) {
        shown.sectionAndVerseMovingType = 0;
        shown.userSelectBibleSection = true;
    });
    page.userSettings().savePageState(context);
}

} // namespace

void goToPreviousChapter(const PageHandle& page, const AppContext& context) {
    const BibleStructure* record = page.record();
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
        loadStep(page, context, -2, previous, chaptersPerBook()[at(previous)], kind);
    } else {
        loadStep(page, context, -1, book, chapter, kind);
        page.modifyRecord([](BibleStructure& loaded) { loaded.versesIndex -= 1; });
        // The load filed the verses under the chapter before the lowering.
        showChapterMarks(page);
    }
    finishChapterStep(page, context, true);
}

void goToNextChapter(const PageHandle& page, const AppContext& context) {
    const BibleStructure* record = page.record();
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
        loadStep(page, context, 1, book, chapter + 2, kind);
    } else {
        loadStep(page, context, 2, book + 1, 1, kind);
    }
    finishChapterStep(page, context, false);
}

} // namespace lumenscroll
