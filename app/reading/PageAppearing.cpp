#include "app/reading/PageAppearing.h"

#include "app/platform/AppContext.h"
#include "app/platform/SettingsStore.h"
#include "app/platform/Trace.h"
#include "app/reading/OpenPages.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PageMarks.h"
#include "app/reading/PageOperations.h"
#include "app/reading/PageStatePersistence.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseSelection.h"

#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

// The user defaults' key under which an e-mail address may be kept for the user record.
const QString userEmailKey = QStringLiteral("userEmail");

void traceOpenRecords(const std::vector<BibleStructure>& records) {
    trace("userSettings.selectedBibleArray.count " + std::to_string(records.size()));
    if (!records.empty()) {
        trace("userSettings.selectedBibleArray[0].praises.count " +
              std::to_string(records[0].praises.size()));
    }
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

// --- The steps of appear(), in their order ---

void refreshEveryTitle(UserSettings& settings) {
    const auto open = static_cast<std::int64_t>(settings.selectedBibleArray->size());
    for (std::int64_t i = 0; i < open; ++i) {
        const PageHandle other(settings, i);
        traceTitleOf(other, false);
        refreshPageTitle(other);
        traceTitleOf(other, true);
    }
}

// Every page's verses anew, each in its own translation; the marks and notes on them are the
// user's and stay. A page whose chapter has no text keeps the verses it has.
void rereadEveryChapter(UserSettings& settings, const AppContext& context) {
    const auto open = static_cast<std::int64_t>(settings.selectedBibleArray->size());
    for (std::int64_t i = 0; i < open; ++i) {
        const PageHandle other(settings, i);
        const BibleStructure stored = *other.record();
        BibleStructure read =
            readChapter(other, context, stored.sectionIndex, chapterNumber(stored), stored.kindOfBible);
        if (!read.praises.empty()) {
            refreshVerses(other, std::move(read.praises));
            traceVerseWords("userSettings.selectedBibleArray[i].praises[j].word ", *other.record());
        }
    }
}

// The page's title, and its selectedBible, from its record.
void showOwnChapter(const PageHandle& page) {
    refreshPageTitle(page);
    if (const BibleStructure* record = page.record()) {
        const BibleStructure shown = *record;
        page.modifyView([&](BibleView& view) { view.selectedBible = shown; });
    }
}

void loadSavedStateOnce(const BibleView& page) {
    UserSettings& settings = *page.userSettings;
    if (settings.loadAllPagesOnce()) {
        return;
    }
    settings.loadAllPagesOnce.set(true);
    // A copy: the loader appends to roles.
    PageStatePersistence::loadSavedState(page);
}

// One selection flag per verse of the page's chapter.
void fitSelectionToChapter(const PageHandle& page) {
    const std::size_t verses = page.verseCount();
    if (page.view()->isSelectedArray2.size() != verses) {
        page.modifyView([verses](BibleView& view) { view.isSelectedArray2.assign(verses, false); });
    }
    trace("userSettings.selectedBibleArray[pageIndex].praises.count " + std::to_string(verses));
}

// The user record signs in only with an id and an e-mail address; without them it takes the
// address the user defaults may keep.
void restoreUser(UserSettings& settings, const SettingsStore& defaults) {
    User& user = *settings.user();
    if (!user.id.empty() && !user.email.empty()) {
        user.loginned = true;
    } else if (const std::optional<QString> email = defaults.string(userEmailKey)) {
        user.email = email->toStdString();
    }
}

} // namespace

void appear(const BibleView& shownPage) {
    UserSettings& settings = *shownPage.userSettings;
    const AppContext& context = shownPage.userSettings.context();
    refreshEveryTitle(settings);
    if (OpenPages(settings).areParallel()) {
        return;
    }

    rereadEveryChapter(settings, context);
    const PageHandle page = PageHandle::of(shownPage);
    showOwnChapter(page);
    shownPage.qtContentAtEachPraise.set({});
    if (!settings.foundSectionVerseAndPraiseArray->empty()) {
        resetVerseFlags(page);
    }
    loadSavedStateOnce(shownPage);
    // Signed out; the program has no sign-in, so no notice asks for one.
    settings.user()->loginned = false;
    if (!page.record() || !page.view()) {
        return;
    }

    fitSelectionToChapter(page);
    // The rows follow the verses' own bookmarks.
    OpenPages(settings).rebuildBookmarkRows();
    restoreUser(settings, context.settings());
    // While a page closes, its neighbours' flags are left as they are, one per verse.
    if (!settings.deleteBibleViewProcess()) {
        resetVerseFlags(page);
    }
}

void verseAreaAppeared(const PageHandle& page, const AppContext& context) {
    traceOpenRecords(page.userSettings().selectedBibleArray.get());
    const BibleStructure* record = page.record();
    if (!record) {
        return;
    }
    if (record->praises.empty()) {
        // Only the verses: the record keeps the chapter and the translation it names, and the
        // verses come in that translation.
        BibleStructure read =
            readChapter(page, context, record->sectionIndex, chapterNumber(*record), record->kindOfBible);
        if (!read.praises.empty()) {
            page.modifyRecord([&](BibleStructure& stored) { stored.praises = std::move(read.praises); });
            showChapterMarks(page);
        }
    }
    const std::size_t verses = page.verseCount();
    const BibleView* view = page.view();
    if (view && view->isSelectedArray2.size() != verses) {
        page.modifyView([&](BibleView& shown) { shown.isSelectedArray2.assign(verses, false); });
    }
}

void settingsViewAppeared(UserSettings& settings) {
    if (settings.aboutViewBtnPressed()) {
        settings.aboutViewBtnPressed.set(false);
    }
}

void aboutViewAppeared(UserSettings& settings) {
    if (settings.settingsViewBtnPressed()) {
        settings.settingsViewBtnPressed.set(false);
    }
}

} // namespace lumenscroll
