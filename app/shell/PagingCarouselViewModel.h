#pragma once

#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/ObservableObject.h"
#include "app/platform/Published.h"
#include "app/platform/Subscription.h"
#include "app/shell/AppLifeCycleModifier.h"
#include "app/shell/PagingCarouselAutoScroll.h"

#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace lumenscroll {

// The state and arithmetic of a paging carousel: which item is active, how far the row is
// dragged, where the row stands, and the automatic turning. It knows its caller's items only by
// their count (the drawing asks the caller for a page per item) and the caller's current item
// through a binding, which it keeps in step with the item the user drags to.
//
// Positions count the displayed list. With wrapping in force (two items or more and wrapping
// asked for) that list is the last item, every item, then the first item, so that sliding past
// either end shows the item from the other end before the carousel jumps to the real one.
class PagingCarouselViewModel : public ObservableObject {
    Q_OBJECT

public:
    // How a change of position reaches the screen.
    enum class Motion {
        immediate,
        animated, // the platform's default animation
    };

    // How the carousel lays out and moves its items, named where it is built; what is not
    // named is as the carousel of reading pages has it:
    //
    //     PagingCarouselViewModel model(context, count, index, {.isWrap = true});
    struct Options {
        // The gap between items, points.
        double spacing = 10.0;
        // The extra inset of the active item from each edge, points.
        double headspace = 10.0;
        // Kept with the other settings; every item is drawn at full size (scale()).
        double sidesScaling = 0.8;
        // Wrapping from the last item to the first, with two items or more.
        bool isWrap = false;
        PagingCarouselAutoScroll autoScroll = PagingCarouselAutoScroll::inactive();
        // Whether a drag moves the carousel.
        bool canMove = true;
    };

    // `index` must be below `itemCount` (a carousel of no items has nothing to show at all).
    PagingCarouselViewModel(AppContext& context, int itemCount, Binding<int> index, Options options,
                            QObject* parent = nullptr);
    ~PagingCarouselViewModel() override;

    int itemCount() const { return itemCount_; }
    double spacing() const { return options_.spacing; }
    double headspace() const { return options_.headspace; }
    double sidesScaling() const { return options_.sidesScaling; }
    bool isWrapRequested() const { return options_.isWrap; }
    const PagingCarouselAutoScroll& autoScroll() const { return options_.autoScroll; }
    bool canMove() const { return options_.canMove; }

    bool isWrapping() const { return itemCount_ >= 2 && options_.isWrap; }
    // The caller's item index shown at each displayed position.
    std::vector<int> displayedItems() const;
    int displayedCount() const;
    // The width of one item: the area less a headspace and a spacing on each side.
    double itemWidth() const;
    // Where the row of items starts, relative to the carousel's leading edge.
    double offset() const;
    // The scale an item is drawn at. The side scaling is kept with the settings, but every
    // item is drawn at full size.
    double scale(int displayedPosition) const;

    int activeIndex() const { return activeIndex_(); }
    // Moves to a displayed position: tells the caller first (through its index, when the
    // position is one of its items and not a wrap-around copy), then moves, then, on a copy,
    // jumps to the real item a moment later.
    void setActiveIndex(int position, Motion motion = Motion::immediate);
    double dragOffset() const { return dragOffset_(); }

    QSizeF viewSize() const { return viewSize_; }
    void setViewSize(QSizeF size);

    // Seconds counted towards the next automatic turn.
    double timing() const { return timing_; }
    bool isTimerActive() const { return isTimerActive_; }
    // The application became active (true) or is about to stop being active (false).
    void setTimerActive(bool active) { isTimerActive_ = active; }
    // Seconds between automatic turns, if they happen at all.
    std::optional<double> timerInterval() const { return options_.autoScroll.interval(itemCount_); }
    bool hasTimer() const { return timer_.isActive(); }

    // A horizontal drag, by its translation from where it started.
    void dragChanged(double translationWidth);
    void dragEnded(double translationWidth);

    // One beat of the automatic turning (every second while the carousel is shown).
    void tick();

    // The caller's items or index changed: `itemCount` is its count now, and its index is
    // what the binding reads now. When both changed in the same update (a page closed in the
    // middle, a page added), the caller's index wins.
    void update(int itemCount);

    // The carousel comes on screen (turning starts, if any, and follows the application's
    // activity) and leaves it. Appearing again while shown changes nothing.
    void appear();
    void disappear();

    static const QString animatedOffsetKey;
    static constexpr double turnTimerSeconds = 1.0;
    static constexpr double wrapJumpSeconds = 0.01;

signals:
    // The displayed items changed: the drawing rebuilds its pages.
    void itemsChanged();
    // The row's offset may have changed; `animated` says whether to slide to it.
    void offsetChanged(bool animated);

private:
    int clampToDisplayed(int position) const;
    int positionOfItem(int item) const;
    // A caller index fit to show: in range, or traced and clamped.
    int checkedCallerIndex(int index) const;
    void followCountChange();
    void refreshTimer();
    void scheduleWrapJump(int position);

    AppContext& context_;
    Binding<int> index_;
    int itemCount_;
    Options options_;
    Published<int> activeIndex_;
    Published<double> dragOffset_;
    QSizeF viewSize_;
    double timing_ = 0.0;
    bool isTimerActive_ = true;

    // The caller's index as the model last saw or wrote it: a different value in update()
    // means the caller set it.
    int syncedIndex_;
    bool appeared_ = false;
    Subscription timer_;
    // Pauses and resumes the turning with the application while the carousel is shown.
    AppLifeCycleModifier lifeCycle_;
};

} // namespace lumenscroll
