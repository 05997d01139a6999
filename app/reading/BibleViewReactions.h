#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/platform/Subscription.h"
#include "app/reading/BibleView.h"
#include "app/reading/ScrollViewProxy.h"

#include <QObject>

#include <chrono>
#include <memory>

namespace lumenscroll {

// What a reading page does over time while it is shown: the reactions it attaches to the
// shared state (each a handler of BibleView, run after the action that caused it; among them
// the chooser sheets coming up and closing), the values it receives from
// newBibleViewPageCreating and selectedTab, and its posted and delayed work. All of it is tied
// to this object: destroying it (the page's widget going away) detaches the reactions and
// cancels the work not yet run.
//
// The page is the value the page was built from; its handlers act on the state in roles.
class BibleViewReactions {
public:
    explicit BibleViewReactions(BibleView page);
    BibleViewReactions(const BibleViewReactions&) = delete;
    BibleViewReactions& operator=(const BibleViewReactions&) = delete;
    ~BibleViewReactions();

    const BibleView& page() const { return page_; }

    // The page came on screen, once: the page's appear handler, then the title rebuilt and
    // a panel already flagged on comes up.
    void appear();
    // The verse area came on screen with its scroll reader, which the page keeps.
    void verseAreaAppear(std::shared_ptr<ScrollViewProxy> reader);

    // The page now stands at `index` (a page before it closed): its index binding follows by
    // itself, the index it counts as built at follows here.
    void pageMoved(std::int64_t index) { page_.bibleViewFixedIndex = index; }

    // The navigation buttons: each action runs after the current update.
    void pressPreviousChapter();
    void pressNextChapter();
    void pressScrollUp();
    void pressScrollDown();

    // After a chapter step the list scrolls to the chosen verse this much later.
    static constexpr std::chrono::milliseconds chapterScrollDelay{2000};

private:
    void attach();
    void attachNewPage();
    void attachChooserSheets();
    void attachTranslationLabel();
    void attachVerseList();
    void attachTitle();
    void attachPanels();
    void attachSearchedPage();
    void post(void (BibleView::*action)() const);

    BibleView page_;
    // What the posted and delayed work is tied to.
    QObject context_;
    ChangeWatchers watchers_;
    Subscription newPageCreating_;
    Subscription selectedTab_;
};

} // namespace lumenscroll
