#pragma once

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"
#include "app/platform/Binding.h"
#include "app/platform/ChangeWatchers.h"
#include "app/platform/ObjectWillChangePublisher.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/platform/Subscription.h"
#include "app/reading/BibleView.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumenscroll {

class AppContext;
class PageRestore;
class UserSettings;

// The main window's area of open reading pages: one page per entry of userSettings.roles and
// userSettings.selectedBibleArray, side by side in a paging carousel, one of them (selectedTab)
// current. It restores the pages of the last run when it first appears, adds a page on "New
// Page", builds the pages that a search opens, and closes the current page; in the overview
// mode (isShrinked) every page is drawn smaller, with a page counter and a close button.
//
// Its reactions to the shared state run after the action that caused them, as change
// watchers: a new number of page records fills the new page, the "New Page" flag adds one, and
// a new current page is reported to the shared state.
//
// Drawn by CarouselViewWidget.
class CarouselView : public ObservableObject {
public:
    // `matched`, `isShrinked` and `plusBtnPressed` refer to the creator's storage, which
    // `bindingsOwner` (when given) announces changes of. `plusBible` holds the shared flag as
    // it was when the carousel was made. `pagesRestored` is set once the saved pages are back.
    CarouselView(UserSettings& userSettings, AppContext& context, Binding<bool> matched,
                 Binding<bool> plusBible, Binding<bool> isShrinked, Binding<bool> plusBtnPressed,
                 std::vector<std::string> titlePhotoArray = BibleView::defaultTitlePhotoArray(),
                 Binding<bool> pagesRestored = Binding<bool>::constant(false),
                 ObjectWillChangePublisher* bindingsOwner = nullptr);
    ~CarouselView() override;
    CarouselView(const CarouselView&) = delete;
    CarouselView& operator=(const CarouselView&) = delete;

    Binding<bool> matched;
    Binding<bool> plusBible;
    // Handed to every page as its page-added flag.
    Published<bool> plusBible2{*this, false};
    // The current page: the carousel turns to it, and a drag changes it.
    Published<std::int64_t> selectedTab{*this, 0};
    // The overview mode.
    Binding<bool> isShrinked;
    // The page that was current when the last page was added.
    Published<std::int64_t> prevPageIndex{*this, 0};
    // The carousel's notice.
    Published<bool> showToast{*this, false};
    Published<std::string> toastMessage{*this, {}};
    Published<bool> showDone{*this, false};
    Binding<bool> plusBtnPressed;
    Published<bool> readMemoOnce{*this, false};
    UserSettings& userSettings;
    // The title photos of restored and filled pages.
    Published<std::vector<std::string>> titlePhotoArray;
    Published<std::vector<bool>> isSelectedArray{*this, {}};
    Published<std::int64_t> praiseIndex{*this, 0};
    Published<bool> optionKeyPressed{*this, false};
    Binding<bool> pagesRestored;

    static inline const std::string lastPageNotice = "성경 페이지가 최소 한 개는 열려있어야 합니다.";
    static inline const std::string firstPageTitle = "창세기 1장";
    static inline const std::string firstPagePhoto = "TopArea2";
    // A close is "in process" this long; the reading pages leave their records alone meanwhile.
    static constexpr std::chrono::milliseconds deleteProcessDuration{2000};
    static constexpr std::chrono::milliseconds toastDuration{2000};

    // The carousel came on screen: the first time in this run, the pages are restored and
    // pagesRestored is set. Later calls do nothing.
    void appear();

    // Brings back the pages of the last run: the stored page list (unless an Option key is
    // held; the stored pages are then kept in backups, since this run's first save replaces
    // them), the loaded texts and the mark book, every page's verses read anew from the text
    // resources with its chapter's marks, one page on Genesis 1 when there is none. Does nothing
    // but report when page values exist already: the pages of this run are back.
    //
    // A stored value that does not decode (or loaded texts that are not one list per book)
    // stops nothing and costs only itself: the error is traced, its bytes are copied to a
    // backup file beside the page-state folder before anything can save over them (once: a
    // value kept already is not kept again), and the other value is restored as usual. A bad
    // page list opens the first-run page. A page whose chapter has no text (its text file is
    // missing, its translation has none, its book is outside 0-65) keeps its stored record and
    // verses, with its chapter's marks.
    void restorePages();

    // The shared "New Page" flag changed to `newValue`: when it is true and the "New Page"
    // button asked for it, a copy of the current page is appended, becomes current and the
    // overview mode comes on. With no page open, nothing happens.
    void addPage(bool newValue);

    // The number of page records changed to `newCount`: a pending search hit opens as a new
    // page on its book, chapter and verse, saved and made current; without one, the records
    // that have no page value get one.
    void fillNewPage(std::int64_t newCount);

    // The close button: closes the current page and saves the pages that remain, so that
    // exactly their page-state files are left. The last open page is never closed: the notice
    // says so. A current page that names no open page closes nothing.
    void deletePage();

    // A page cell came on screen.
    void pageCellAppeared();
    // The current page changed to `newIndex`.
    void currentPageChanged(std::int64_t newIndex);
    // A click with an Option key held anywhere on the carousel.
    void optionClicked();
    // A tap on a page: the overview mode ends.
    void tapPage();

    // --- Chapters ---

    // Sets page `page`'s title from its record (book name, chapter number, "장" for Korean) and
    // its record's language from its translation; returns the title ("창세기 1장" for a page
    // whose title cannot be made).
    std::string pageTitle(std::int64_t page);
    // Loads chapter `chapter` (from 1) of book `bookIndex` in `kind` as page `page`'s record,
    // numbered by the newest page's chapter step, and as the one loaded text.
    void loadChapter(std::int64_t page, std::int64_t bookIndex, std::int64_t chapter, BibleKind kind);
    // The verses of that chapter in a record of their own, for page `page`, whose language and
    // translation label follow `kind`. No verses for a chapter that has no text.
    BibleStructure makeChapter(std::int64_t bookIndex, std::int64_t chapter, BibleKind kind,
                               std::int64_t page);

    // --- Page values ---

    // A page as the restore and the fill build it, for page `index`.
    BibleView restoredPageView(std::int64_t index);
    // A page as "New Page" builds it: the next index, and a title photo drawn from the newest
    // page's list. Needs a page open.
    BibleView newPageView();
    // The value page `index`'s cell on screen is drawn from.
    BibleView pageCell(std::int64_t index);

    // --- What the drawing shows ---

    // The pages are drawn only while the current page is one of them.
    bool isCarouselShown() const;
    std::int64_t pageCount() const;
    // Page `index` is seen: the current page, or any page in the overview mode.
    bool isPageShown(std::int64_t index) const;
    double pageScale() const;
    bool isCloseButtonShown() const { return isShrinked.get(); }
    // "2 / 3" in the overview mode, empty otherwise.
    std::string pageCounterText() const;

    AppContext& context() const { return context_; }

    static constexpr double shrunkScale = 0.8;

private:
    template <class T> Binding<T> guarded(Binding<T> binding) const;

    // The page the carousel shows, for the reading pages (Utils::currentIndex): this is its one
    // writer.
    void reportCurrentPage(std::int64_t index);
    // The restore, over this carousel's page values and title photos.
    PageRestore restore();
    void showNotice(const std::string& message);
    void scheduleDeleteProcessReset();
    // Opens a pending search hit as the newest page; false when no hit is pending.
    bool openSearchHit(std::int64_t newCount);
    void fillMissingPages(std::int64_t newCount);

    AppContext& context_;
    // Page values live in the shared state and may outlast this view: the bindings they hold
    // to its storage check that it is still there.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
    Subscription bindingsOwnerChanges_;
    ChangeWatchers watchers_;
    std::uint64_t noticeGeneration_ = 0;
    bool appeared_ = false;
};

} // namespace lumenscroll
