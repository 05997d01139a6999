#pragma once

#include "app/platform/Binding.h"
#include "app/platform/ChangeWatchers.h"
#include "app/reading/TopAreaPanelProvider.h"
#include "app/search/SearchBibleView.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

class QAbstractButton;
class QKeyEvent;
class QLabel;
class QListView;
class QProgressBar;

namespace lumenscroll {

class AppContext;
class KindOfBibleSearchViewWidget;
class SearchBarWidget;
class SearchHitListModel;
class SheetBackdrop;
class UserSettings;

// The search page as a reading page shows it in its top area, 1000 by 600 points with rounded
// corners: the header (a header picture behind the search bar, the close button beside it)
// over the list of hits, and over the middle of both the prompt or the not-found message and
// the progress indicator. The translation chooser comes up as a sheet on the layer of the reading
// page this page stands on, in front of all that page shows, the preferences and About views over
// this page included; on a layer over this page when it stands alone. The list is a model-based
// list view, so any number of hits costs no widget per row.
//
// The widget builds and owns the page's behaviour. A reading page builds one each time its
// search flag goes up and drops it when the flag goes down:
//
//     new SearchBibleViewWidget(pageIndexBinding, searchFlagBinding, userSettings, context, host);
//
// The page comes on screen with the widget's first showing. The chooser takes the keys while it
// is up, and Escape closes it; when it closes, the focus goes back to where it was before (the
// query field), so that typing goes on there. The page's other keys go on to its reading page,
// which hands it the keys of a scroll view (scrollForKey) while the page stands in front.
class SearchBibleViewWidget : public QWidget {
    Q_OBJECT

public:
    SearchBibleViewWidget(Binding<std::int64_t> pageIndex, Binding<bool> openSearch,
                          UserSettings& userSettings, AppContext& context, QWidget* parent = nullptr);
    ~SearchBibleViewWidget() override;

    SearchBibleView& view() { return view_; }
    SearchBarWidget* searchBar() const { return searchBar_; }
    QAbstractButton* closeButton() const { return closeButton_; }
    QListView* hitList() const { return hitList_; }
    QLabel* message() const { return message_; }
    QProgressBar* progress() const { return progress_; }
    // The translation chooser while it is up; null otherwise.
    KindOfBibleSearchViewWidget* chooser() const;
    // Moves the hit list for a key of a scroll view: Up and Down a line, Page Up and Page Down
    // (and Space, Shift with Space) a screen, Home and End to either end. False when the key is
    // none of these, or while the chooser is up.
    bool scrollForKey(const QKeyEvent& key);

    static constexpr int width = 1000;
    static constexpr int height = 600;
    static constexpr int cornerRadius = static_cast<int>(TopAreaPanelProvider::searchPageCornerRadius);
    // Above and below the search bar.
    static constexpr int barTopPadding = 30;
    static constexpr int barBottomPadding = 10;
    // The header picture fills this frame, centred on the header.
    static constexpr int headerPhotoWidth = 1200;
    static constexpr int headerPhotoHeight = 100;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What the page shows apart from the hit rows.
    struct PageLook {
        SearchBibleView::Message message = SearchBibleView::Message::none;
        bool progress = false;
        std::string photo;
        std::int64_t fontSize = 0;
        std::string font;
        std::string label;
        std::string query;
        bool chooser = false;
        std::int64_t chooserRows = 0;

        bool operator==(const PageLook&) const = default;
    };

    void makeHitList();
    void makeResultsPane();
    PageLook pageLook() const;
    // The hit list as the page holds it now: replaced lists are new storage.
    std::pair<const void*, std::size_t> hits() const;
    void refresh();
    void showHits();
    void placeChildren();

    SearchBibleView view_;
    AppContext& context_;
    QWidget* header_;
    SearchBarWidget* searchBar_;
    QAbstractButton* closeButton_;
    QListView* hitList_;
    SearchHitListModel* hitModel_;
    QWidget* resultsPane_;
    QLabel* message_;
    QProgressBar* progress_;
    // Where the chooser stands while this page stands alone.
    SheetBackdrop* sheetBackdrop_;
    QPointer<KindOfBibleSearchViewWidget> chooser_;
    // What held the focus when the chooser came up, to have it back when it goes.
    QPointer<QWidget> focusBeforeChooser_;
    QPixmap photo_;
    // The photo as the header shows it, cut to the page's top corners.
    QPixmap headerPicture_;
    PageLook shown_;
    bool appeared_ = false;
    // Last: destroyed first, so no reaction runs on a half-destroyed widget.
    ChangeWatchers watchers_;
};

} // namespace lumenscroll
