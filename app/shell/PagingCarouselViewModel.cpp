#include "app/shell/PagingCarouselViewModel.h"

#include "app/platform/Trace.h"

#include <algorithm>
#include <chrono>

namespace lumenscroll {

namespace {

std::chrono::milliseconds milliseconds(double seconds) {
    return std::chrono::milliseconds{static_cast<long long>(seconds * 1000.0 + 0.5)};
}

} // namespace

const QString PagingCarouselViewModel::animatedOffsetKey = QStringLiteral("isAnimatedOffset");

PagingCarouselViewModel::PagingCarouselViewModel(AppContext& context, int itemCount, Binding<int> index,
                                                 Options options, QObject* parent)
    : ObservableObject(parent)
    , context_(context)
    , index_(std::move(index))
    , itemCount_(std::max(itemCount, 0))
    , options_(options)
    , activeIndex_(*this, 0)
    , dragOffset_(*this, 0.0)
    , syncedIndex_(index_.get())
    , lifeCycle_(context.activity(), [this](bool active) { setTimerActive(active); }) {
    const int start = checkedCallerIndex(syncedIndex_);
    // Set directly: a carousel being built tells its caller nothing and schedules nothing.
    activeIndex_.set(positionOfItem(start));
}

PagingCarouselViewModel::~PagingCarouselViewModel() = default;

std::vector<int> PagingCarouselViewModel::displayedItems() const {
    std::vector<int> items;
    items.reserve(static_cast<std::size_t>(displayedCount()));
    if (isWrapping()) {
        items.push_back(itemCount_ - 1);
    }
    for (int item = 0; item < itemCount_; ++item) {
        items.push_back(item);
    }
    if (isWrapping()) {
        items.push_back(0);
    }
    return items;
}

int PagingCarouselViewModel::displayedCount() const {
    return isWrapping() ? itemCount_ + 2 : itemCount_;
}

double PagingCarouselViewModel::itemWidth() const {
    return std::max(0.0, viewSize_.width() - 2.0 * (options_.headspace + options_.spacing));
}

double PagingCarouselViewModel::offset() const {
    return (options_.headspace + options_.spacing) - (itemWidth() + options_.spacing) * activeIndex() +
           dragOffset();
}

double PagingCarouselViewModel::scale(int /*displayedPosition*/) const {
    return 1.0;
}

void PagingCarouselViewModel::setActiveIndex(int position, Motion motion) {
    position = clampToDisplayed(position);
    // The caller hears of the move before the carousel makes it. A wrap-around copy is not one
    // of its items: its index stays until the jump to the real item.
    if (itemCount_ > 0) {
        if (!isWrapping()) {
            index_.set(position);
        } else if (position >= 1 && position <= itemCount_) {
            index_.set(position - 1);
        }
        syncedIndex_ = index_.get();
    }
    activeIndex_.set(position);
    emit offsetChanged(motion == Motion::animated);

    context_.settings().setBoolean(animatedOffsetKey, true);
    if (isWrapping() && dragOffset() == 0.0) {
        // On the leading copy of the last item, or the trailing copy of the first item.
        if (position == 0) {
            scheduleWrapJump(displayedCount() - 2);
        } else if (position == displayedCount() - 1) {
            scheduleWrapJump(1);
        }
    }
}

void PagingCarouselViewModel::scheduleWrapJump(int position) {
    context_.scheduler().postAfter(this, milliseconds(wrapJumpSeconds), [this, position] {
        setActiveIndex(position);
        context_.settings().setBoolean(animatedOffsetKey, false);
    });
}

void PagingCarouselViewModel::setViewSize(QSizeF size) {
    viewSize_ = size;
    emit offsetChanged(false);
}

void PagingCarouselViewModel::dragChanged(double translationWidth) {
    if (!options_.canMove) {
        return;
    }
    context_.settings().setBoolean(animatedOffsetKey, true);
    // The row follows the pointer for at most one item in either direction.
    const double step = options_.spacing + itemWidth();
    dragOffset_.set(translationWidth > 0.0 ? std::min(translationWidth, step)
                                           : std::max(translationWidth, -step));
    isTimerActive_ = false;
    emit offsetChanged(false);
}

void PagingCarouselViewModel::dragEnded(double translationWidth) {
    if (!options_.canMove) {
        return;
    }
    dragOffset_.set(0.0);
    timing_ = 0.0;
    isTimerActive_ = true;
    if (displayedCount() == 0) {
        emit offsetChanged(false);
        return;
    }
    // A sixth of an item is enough to turn a page.
    const double threshold = itemWidth() / 6.0;
    int next = activeIndex();
    if (translationWidth > threshold) {
        --next;
    }
    if (translationWidth < -threshold) {
        ++next;
    }
    setActiveIndex(std::clamp(next, 0, displayedCount() - 1));
}

void PagingCarouselViewModel::tick() {
    if (!isTimerActive_) {
        return;
    }
    // One beat a second: with five seconds, the fifth beat turns.
    timing_ += turnTimerSeconds;
    const std::optional<double> interval = timerInterval();
    if (interval && timing_ < *interval) {
        return;
    }
    const int last = displayedCount() - 1;
    setActiveIndex(activeIndex() >= last ? 0 : activeIndex() + 1);
    timing_ = 0.0;
}

void PagingCarouselViewModel::update(int itemCount) {
    itemCount = std::max(itemCount, 0);
    const bool countChanged = itemCount != itemCount_;
    const int callerIndex = index_.get();
    const bool callerMoved = callerIndex != syncedIndex_;
    itemCount_ = itemCount;
    if (countChanged) {
        emit itemsChanged();
    }

    if (callerMoved) {
        // The caller already chose where to stand (for a closed page, the page before it):
        // following the count change as well would move a second time.
        syncedIndex_ = callerIndex;
        setActiveIndex(positionOfItem(checkedCallerIndex(callerIndex)), Motion::animated);
    } else if (countChanged) {
        followCountChange();
    }
    refreshTimer();
}

void PagingCarouselViewModel::followCountChange() {
    const int displayed = displayedCount();
    const int current = activeIndex();
    const auto slideInFromSecond = [this] {
        // Stand on the second item, then slide to the first: the new first item comes in
        // from the side rather than simply being there.
        setActiveIndex(1);
        context_.scheduler().post(this, [this] { setActiveIndex(0, Motion::animated); });
    };

    if (displayed < 3) {
        if (current == 0) {
            slideInFromSecond();
        } else {
            setActiveIndex(displayed - 1, Motion::animated);
        }
        return;
    }
    if (current == displayed - 1) {
        setActiveIndex(displayed - 1, Motion::animated);
    } else if (current == 0) {
        slideInFromSecond();
    } else {
        setActiveIndex(current - 1, Motion::animated);
    }
}

void PagingCarouselViewModel::appear() {
    if (appeared_) {
        return;
    }
    appeared_ = true;
    lifeCycle_.appear();
    refreshTimer();
}

void PagingCarouselViewModel::disappear() {
    appeared_ = false;
    lifeCycle_.disappear();
    timer_.cancel();
}

void PagingCarouselViewModel::refreshTimer() {
    const std::optional<double> interval = timerInterval();
    const bool wanted = appeared_ && interval && *interval > 0.0;
    if (!wanted) {
        timer_.cancel();
        return;
    }
    if (!timer_.isActive()) {
        timer_ = context_.scheduler().repeatEvery(this, milliseconds(turnTimerSeconds), [this] { tick(); });
    }
}

int PagingCarouselViewModel::clampToDisplayed(int position) const {
    return std::clamp(position, 0, std::max(displayedCount() - 1, 0));
}

int PagingCarouselViewModel::positionOfItem(int item) const {
    return clampToDisplayed(isWrapping() ? item + 1 : item);
}

int PagingCarouselViewModel::checkedCallerIndex(int index) const {
    if (itemCount_ == 0) {
        return 0;
    }
    if (index < 0 || index >= itemCount_) {
        trace("The index should be less than the count of data ");
        return std::clamp(index, 0, itemCount_ - 1);
    }
    return index;
}

} // namespace lumenscroll
