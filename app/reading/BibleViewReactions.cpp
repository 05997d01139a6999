#include "app/reading/BibleViewReactions.h"

#include "app/platform/AppContext.h"
#include "app/reading/PageHandle.h"
#include "app/reading/UserSettings.h"

#include <optional>
#include <utility>

namespace lumenscroll {

namespace {

// A flag of the page's state; false for a page that is not open.
bool flagOf(const BibleView& page, bool BibleView::*flag) {
    const BibleView* view = page.state().view();
    return view && view->*flag;
}

} // namespace

BibleViewReactions::BibleViewReactions(BibleView page)
    : page_(std::move(page))
    , watchers_(page_.userSettings.context().scheduler()) {
    attach();
}

BibleViewReactions::~BibleViewReactions() = default;

// The reactions run in the order they are attached: the sheets before the list and the title,
// the searched page's receiver last.
void BibleViewReactions::attach() {
    watchers_.observe(*page_.userSettings);
    attachNewPage();
    attachChooserSheets();
    attachTranslationLabel();
    attachVerseList();
    attachTitle();
    attachPanels();
    attachSearchedPage();
}

void BibleViewReactions::attachNewPage() {
    UserSettings& settings = *page_.userSettings;
    watchers_.watch([&settings] { return settings.plusBible2(); },
                    [this](bool added) { page_.plusBible2Changed(added); });
    // The page that a "New Page" builds comes on screen after the flag was raised, so no change
    // reaches it: it takes the standing request in once the current action is over.
    if (settings.plusBible2()) {
        page_.userSettings.context().scheduler().post(&context_, [this] { page_.plusBible2Changed(true); });
    }
}

// The chooser sheets, before the reactions of the list and the title, which then see a chapter
// choice's raised userSelectBibleSection in the same pass, as after a chapter step. The chapter
// sheet lists the record's translation when it comes up; each sheet's closing takes the choice
// in, if one was made. After a translation the list shows the chosen verse once the chapter is on
// screen.
void BibleViewReactions::attachChooserSheets() {
    watchers_.watch([this] { return flagOf(page_, &BibleView::showBibleSectionSelectionWindow); },
                    [this](bool shown) {
                        if (shown) {
                            page_.chapterSheetAppeared();
                        } else {
                            page_.chapterSheetClosed();
                        }
                    });
    watchers_.watch([this] { return flagOf(page_, &BibleView::showBibleTranslateSelectionWindow); },
                    [this](bool shown) {
                        if (shown || !page_.translationSheetClosed()) {
                            return;
                        }
                        page_.userSettings.context().scheduler().post(&context_, [this] {
                            if (const std::shared_ptr<ScrollViewProxy> reader = page_.scrollReader()) {
                                reader->scrollTo(page_.chosenVerseRow(), ScrollAnchor::top, false);
                            }
                        });
                    });
}

// The translation capsule's label follows the record's translation.
void BibleViewReactions::attachTranslationLabel() {
    watchers_.watch(
        [this]() -> std::optional<BibleKind> {
            const BibleStructure* record = page_.state().record();
            return record ? std::optional<BibleKind>(record->kindOfBible) : std::nullopt;
        },
        [this](const std::optional<BibleKind>& kind) {
            if (kind) {
                page_.updateTranslationLabel(*kind);
            }
        });
}

void BibleViewReactions::attachVerseList() {
    watchers_.watch([this] { return flagOf(page_, &BibleView::searchBtnPressed); },
                    [this](bool pressed) { page_.searchBtnPressedChanged(pressed); });
    watchers_.watch([this] { return flagOf(page_, &BibleView::userSelectBibleSection); }, [this](bool) {
        const std::int64_t row = page_.userSelectBibleSectionChanged();
        // The reader as it is now: the list the page shows when the step is made.
        std::shared_ptr<ScrollViewProxy> reader = page_.scrollReader();
        page_.userSettings.context().scheduler().postAfter(&context_, chapterScrollDelay,
                                                           [reader = std::move(reader), row] {
                                                               if (reader) {
                                                                   reader->scrollTo(row, ScrollAnchor::top, false);
                                                               }
                                                           });
    });
    watchers_.watch([this] { return flagOf(page_, &BibleView::praiseIndexChanged); },
                    [this](bool changed) { page_.praiseIndexChangedTo(changed); });

    // The verse note editors take the verses' notes whenever selectedTab is published.
    selectedTab_ = page_.userSettings->selectedTab.sink([this](const std::int64_t&) {
        const std::int64_t rows = static_cast<std::int64_t>(page_.state().verseCount());
        for (std::int64_t row = 0; row < rows; ++row) {
            if (page_.isVerseNoteShown(row)) {
                page_.copyVerseNote(row);
            }
        }
    });
}

// The title capsule: after a chapter step the flag is raised, handled and lowered again.
void BibleViewReactions::attachTitle() {
    watchers_.watch([this] { return flagOf(page_, &BibleView::userSelectBibleSection); },
                    [this](bool raised) { page_.userSelectBibleSectionRaised(raised); });
}

// The panels of the top area come on screen with their flags.
void BibleViewReactions::attachPanels() {
    UserSettings& settings = *page_.userSettings;
    watchers_.watch([&settings] { return settings.settingsViewBtnPressed(); }, [this](bool shown) {
        if (shown) {
            page_.settingsViewAppeared();
        }
    });
    watchers_.watch([&settings] { return settings.aboutViewBtnPressed(); }, [this](bool shown) {
        if (shown) {
            page_.aboutViewAppeared();
        }
    });
}

// Received, not watched: every value published counts, the one there is now included. Every page
// receives it, so the flag is lowered only once the value has gone round: a write inside a
// receiver would change the value still being handed to the pages after it. Subscribed last: a
// page built while the value is up takes it at once, and its watchers, already attached, see what
// that changes (the searched verse to show).
void BibleViewReactions::attachSearchedPage() {
    UserSettings& settings = *page_.userSettings;
    newPageCreating_ = settings.newBibleViewPageCreating.sink([this, &settings](const bool& value) {
        if (!page_.receiveNewBibleViewPageCreating(value)) {
            return;
        }
        page_.userSettings.context().scheduler().post(&context_, [&settings] {
            if (settings.newBibleViewPageCreating()) {
                settings.newBibleViewPageCreating.set(false);
            }
        });
    });
}

void BibleViewReactions::appear() {
    page_.appear();
    page_.rebuildTitle();
    const UserSettings& settings = *page_.userSettings;
    if (settings.settingsViewBtnPressed()) {
        page_.settingsViewAppeared();
    }
    if (settings.aboutViewBtnPressed()) {
        page_.aboutViewAppeared();
    }
}

void BibleViewReactions::verseAreaAppear(std::shared_ptr<ScrollViewProxy> reader) {
    page_.keepScrollReader(std::move(reader));
    page_.verseAreaAppeared();
}

void BibleViewReactions::pressPreviousChapter() {
    post(&BibleView::goToPreviousChapter);
}

void BibleViewReactions::pressNextChapter() {
    post(&BibleView::goToNextChapter);
}

void BibleViewReactions::pressScrollUp() {
    post(&BibleView::scrollToFirstVerse);
}

void BibleViewReactions::pressScrollDown() {
    post(&BibleView::scrollToLastVerse);
}

void BibleViewReactions::post(void (BibleView::*action)() const) {
    page_.userSettings.context().scheduler().post(&context_, [this, action] { (page_.*action)(); });
}

} // namespace lumenscroll
