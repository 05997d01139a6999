#include "app/reading/ChooserChoices.h"

#include "app/model/BibleBook.h"
#include "app/platform/AppContext.h"
#include "app/platform/ColorScheme.h"
#include "app/platform/Trace.h"
#include "app/reading/BibleSelectionView.h"
#include "app/reading/KindOfBibleSelectionView.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/PageOperations.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseSelection.h"

#include <optional>
#include <string>
#include <utility>

namespace lumenscroll {

namespace {

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

void traceTranslationChoice(const BibleStructure& record) {
    trace("userSettings.selectedBibleArray[pageIndex].kindOfBible " +
          std::string(caseName(record.kindOfBible)));
    trace("userSettings.selectedBibleArray[pageIndex].sectionIndex " + std::to_string(record.sectionIndex) +
          ", userSettings.selectedBibleArray[pageIndex].versesIndex " + std::to_string(record.versesIndex));
}

// A choice taken in: the label, title and flags follow the record, and the pages are saved.
void followChoice(const PageHandle& page, const AppContext& context) {
    labelNewestPage(page, page.record()->kindOfBible);
    refreshPageTitle(page);
    resetVerseFlags(page);
    page.userSettings().savePageState(context);
    trace("praiseIndex " + std::to_string(page.view()->praiseIndex));
}

} // namespace

void pressTranslationCapsule(const PageHandle& page) {
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

void pressTitleCapsule(const PageHandle& page) {
    const BibleView* view = page.view();
    if (!view) {
        return;
    }
    page.userSettings().kindOfBible.set(view->kindOfBible);
    page.modifyView([](BibleView& shown) {
        shown.showBibleSectionSelectionWindow = !shown.showBibleSectionSelectionWindow;
    });
}

BibleSelectionView chapterSheetContent(UserSettings& settings, Binding<std::int64_t> pageIndex) {
    const auto bind = [&](auto field) { return PageHandle::following(settings, pageIndex, field); };
    // A page is presented by nothing: its dismiss action has nothing to dismiss.
    return BibleSelectionView(bind(&BibleView::showBibleSectionSelectionWindow),
                              bind(&BibleView::selectedPraise), 0, 0, bind(&BibleView::praiseIndex),
                              bind(&BibleView::userSelectedBiblePraise), settings, [] {}, ColorScheme::light,
                              true, pageIndex);
}

KindOfBibleSelectionView translationSheetContent(UserSettings& settings, Binding<std::int64_t> pageIndex) {
    const auto bind = [&](auto field) { return PageHandle::following(settings, pageIndex, field); };
    return KindOfBibleSelectionView(bind(&BibleView::showBibleTranslateSelectionWindow),
                                    bind(&BibleView::selectedPraise), 0, 0, 0, bind(&BibleView::praiseIndex),
                                    bind(&BibleView::userSelectedBiblePraise), bind(&BibleView::kindOfBible),
                                    settings);
}

void chapterSheetAppeared(const PageHandle& page) {
    if (const BibleStructure* record = page.record()) {
        page.userSettings().kindOfBible.set(record->kindOfBible);
    }
}

bool chapterSheetClosed(const PageHandle& page, const AppContext& context) {
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
    BibleStructure read =
        readChapter(page, context, chosen.sectionIndex, chapterNumber(chosen), page.record()->kindOfBible);
    page.modifyRecord([&](BibleStructure& record) {
        record.praises = std::move(read.praises);
        if (const std::optional<BibleBook> book = bibleBookFromRaw(record.sectionIndex)) {
            record.name = std::string(bookName(record.language, *book));
            record.isOldTestment = isOldTestament(*book);
        }
    });
    showChapterMarks(page);
    traceVerseWords("userSettings.selectedBibleArray[pageIndex].praises[j].word ", *page.record());

    followChoice(page, context);
    // Used up; and the list shows the chosen verse, as after a chapter step.
    page.modifyView([](BibleView& shown) {
        shown.userSelectedBiblePraise = false;
        shown.userSelectBibleSection = true;
    });
    return true;
}

bool translationSheetClosed(const PageHandle& page, const AppContext& context) {
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
    loadChapter(page, context, book, chapter, kind, movingType);
    followChoice(page, context);
    page.modifyView([](BibleView& shown) { shown.userSelectedBiblePraise = false; });
    return true;
}

} // namespace lumenscroll
