#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/reading/BibleView.h"
#include "app/reading/BibleViewReactions.h"
#include "app/reading/PanelFade.h"
#include "app/reading/TopAreaPanel.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QKeyEvent;
class QLabel;

namespace lumenscroll {

class AppContext;
class BibleSelectionViewWidget;
class CapsuleButton;
class KindOfBibleSelectionViewWidget;
class NoticeCapsule;
class PanelFadeWidget;
class PanelShadow;
class ResourceLocator;
class SearchButtonWidget;
class SheetBackdrop;
class SymbolButton;
class TopAreaPanelProvider;
class VerseListWidget;

// Draws one reading page, 1200 by 670 points, front to back: white; the title block (the title
// photo behind the translation capsule and the search, deselect and copy buttons) over the verse
// list; the chapter title capsule at the top centre; the chapter and scroll buttons in the bottom
// corners; and the host area for the search page and the preferences and About views, each
// centred in the page, shown by the flags of those views, which come from the provider the page
// is given; the preferences and About views only while the page is on screen. Centred, the panels
// leave the title row's middle free: the upper part of the search button and of the title capsule
// stand above them. The search button's toggle fades the search page in or out; its other ways of
// closing take it away at once. A chapter without text to show has a notice in place of its
// verses, and the page's notice stands in a dark capsule near the bottom while it is up. The
// chooser sheets stand centred over everything, at their own sizes, on a dimmed page that takes
// no input meanwhile; the search page's chooser stands there too, in front of the panels that may
// cover the search page. Escape closes a sheet as its close button does. Every input goes to the
// page's handlers; the page comes on screen with the widget's first showing.
//
// The keys the page is handed while it is the one on screen (handleKey): Escape closes what
// stands in front, one layer a press; the keys of a scroll view move the verse list while
// nothing stands in front of it.
class BibleViewWidget : public QWidget {
    Q_OBJECT

public:
    // Without `panels`, the host shows no panel, and the page counts as on screen. `panels`
    // must outlive the widget.
    explicit BibleViewWidget(BibleView page, QWidget* parent = nullptr, TopAreaPanelProvider* panels = nullptr);
    ~BibleViewWidget() override;

    const BibleView& page() const { return reactions_.page(); }
    BibleViewReactions& reactions() { return reactions_; }
    VerseListWidget* verseList() const { return verseList_; }
    CapsuleButton* translationCapsule() const { return translationCapsule_; }
    CapsuleButton* titleCapsule() const { return titleCapsule_; }
    SymbolButton* deselectButton() const { return deselectButton_; }
    QWidget* panelHost() const { return panelHost_; }
    PanelShadow* panelShadow() const { return panelShadow_; }
    // How the search page comes and goes, and its drawing.
    const PanelFade& searchFade() const { return searchFade_; }
    PanelFadeWidget* searchFading() const { return searchFading_; }
    // The panel the provider gave for `panel`, while the page shows it.
    QWidget* panel(TopAreaPanel panel) const;
    // The chooser sheets while they are up; null otherwise.
    BibleSelectionViewWidget* chapterSheet() const { return chapterSheet_; }
    KindOfBibleSelectionViewWidget* translationSheet() const { return translationSheet_; }
    // Acts on a key the page is handed; false when the key does nothing here.
    bool handleKey(const QKeyEvent& key);
    QLabel* missingTextNotice() const { return missingText_; }
    NoticeCapsule* notice() const { return notice_; }

    static constexpr int pageWidth = 1200;
    static constexpr int pageHeight = 670;
    // The title block: its button row, its padding below, and the photo behind it, centred on
    // the row and clipped to the page.
    static constexpr int titleRowHeight = 60;
    static constexpr int titleBottomPadding = 20;
    static constexpr int titlePhotoHeight = 100;
    static constexpr int verseListTopPadding = 10;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What the page's frame shows, apart from the verses.
    struct PageLook {
        bool titleBlock = false;
        std::string photo;
        std::string translation;
        std::string title;
        std::int64_t selectedVerses = 0;
        bool search = false;
        bool settings = false;
        bool about = false;
        // Whether the page is the one on screen, which the shared panels stand on.
        bool onScreen = true;
        std::string missingText;
        std::string notice;
        bool chapterSheet = false;
        bool translationSheet = false;

        bool operator==(const PageLook&) const = default;
    };

    // The children, made in the order they stack, back to front.
    void buildButtonRow(AppContext& context);
    void buildNavigationButtons(const ResourceLocator& resources);
    void buildPanelHost();
    void buildNotices();
    void buildSheetBackdrop();

    PageLook pageLook() const;
    bool isOnTitlePhoto(const QPointF& position) const;
    void refresh();
    void placeChildren();
    // Takes the panel from the provider when it is to be shown and is not, gives it back when
    // not.
    void showPanel(TopAreaPanel panel, bool shown);
    void castPanelShadow();
    void placeNotices();
    // Builds the sheets whose flags are up and destroys those whose flags fell.
    void showSheets(const PageLook& look);

    BibleViewReactions reactions_;
    ChangeWatchers watchers_;
    PanelFade searchFade_;
    CapsuleButton* translationCapsule_;
    SearchButtonWidget* searchButton_;
    SymbolButton* deselectButton_;
    SymbolButton* copyButton_;
    VerseListWidget* verseList_;
    CapsuleButton* titleCapsule_;
    std::array<SymbolButton*, 4> navigationButtons_{};
    QWidget* panelHost_;
    // The preferences' and About's shadow; the search page, which fades, casts its own.
    PanelShadow* panelShadow_;
    PanelShadow* searchShadow_;
    PanelFadeWidget* searchFading_;
    TopAreaPanelProvider* panelProvider_;
    // A shared panel taken by the next page on screen leaves this page's host on its own.
    std::array<QPointer<QWidget>, 3> panels_{};
    SheetBackdrop* sheetBackdrop_;
    BibleSelectionViewWidget* chapterSheet_ = nullptr;
    KindOfBibleSelectionViewWidget* translationSheet_ = nullptr;
    QLabel* missingText_;
    NoticeCapsule* notice_;
    PageLook shown_;
    // The title photo, scaled to fill its frame.
    QPixmap photo_;
    bool appeared_ = false;
    // Where a press on the title photo went down: a drag is no tap.
    std::optional<QPointF> photoPress_;
};

} // namespace lumenscroll
