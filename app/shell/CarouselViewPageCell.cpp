#include "app/shell/CarouselViewPageCell.h"

#include "app/reading/UserSettings.h"
#include "app/platform/Animations.h"
#include "app/platform/AppContext.h"
#include "app/shell/CarouselView.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <utility>

namespace lumenscroll {

namespace {

// A pointer that moves further than this between press and release has dragged.
constexpr qreal tapSlop = 10.0;

} // namespace

CarouselViewPageCell::CarouselViewPageCell(CarouselView& carousel, std::int64_t index, const PageFactory& makePage,
                                           QWidget* parent)
    : QWidget(parent)
    , carousel_(carousel)
    , index_(std::make_shared<std::int64_t>(index))
    , page_(makePage(Binding<std::int64_t>([index = index_] { return *index; }, [](const std::int64_t&) {})))
    , tapArea_(new QWidget(this))
    , watchers_(carousel.context().scheduler()) {
    setObjectName(QStringLiteral("pageCell"));
    setFixedSize(width, height);
    page_->setParent(this);
    page_->setGeometry(0, pageTop, width, pageHeight);

    tapArea_->setObjectName(QStringLiteral("pageTapArea"));
    tapArea_->installEventFilter(this);
    tapArea_->hide();

    connect(&scaling_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setScale(value.toReal()); });

    watchers_.observe(carousel_);
    watchers_.watch([this] { return std::pair(carousel_.isPageShown(this->index()), carousel_.pageScale()); },
                    [this](const std::pair<bool, double>&) { refresh(); });
    // While drawn from its picture, every change the page may show takes a new one.
    stateChanges_ = carousel_.userSettings.publisher().sink([this] {
        if (isDrawnScaled()) {
            schedulePicture();
        }
    });
    refresh();
}

CarouselViewPageCell::~CarouselViewPageCell() = default;

void CarouselViewPageCell::setIndex(std::int64_t index) {
    if (index == *index_) {
        return;
    }
    *index_ = index;
    refresh();
}

void CarouselViewPageCell::refresh() {
    const qreal target = carousel_.isPageShown(index()) ? carousel_.pageScale() : 1.0;
    scaling_.stop();
    const Animations::Curve curve = carousel_.context().animations().spring();
    if (curve.duration.count() <= 0 || !isVisible() || scale_ == target) {
        setScale(target);
        return;
    }
    scaling_.setStartValue(scale_);
    scaling_.setEndValue(target);
    scaling_.setDuration(static_cast<int>(curve.duration.count()));
    scaling_.setEasingCurve(curve.easing);
    scaling_.start();
}

void CarouselViewPageCell::setScale(qreal scale) {
    const bool wasScaled = isDrawnScaled();
    scale_ = scale;
    const bool shown = carousel_.isPageShown(index());
    // A page out of sight stands beside the current one, its edge over the current page's:
    // clicks there are the current page's.
    setAttribute(Qt::WA_TransparentForMouseEvents, !shown);
    if (isDrawnScaled()) {
        // Out of sight but shown: it keeps appearing, loading and reacting as a page on screen.
        page_->setGeometry(0, height + pageTop, width, pageHeight);
        page_->setVisible(true);
        if (!wasScaled || picture_.isNull()) {
            takePicture();
        }
        tapArea_->setGeometry(scaledPageRect(scale_));
        tapArea_->setVisible(shown);
        tapArea_->raise();
    } else {
        page_->setGeometry(0, pageTop, width, pageHeight);
        page_->setVisible(shown);
        tapArea_->hide();
        picture_ = QPixmap();
    }
    update();
}

QRect CarouselViewPageCell::scaledPageRect(qreal scale) const {
    const qreal scaledWidth = width * scale;
    const qreal scaledHeight = pageHeight * scale;
    const QPointF centre(width / 2.0, pageTop + pageHeight / 2.0);
    return QRect(static_cast<int>(std::lround(centre.x() - scaledWidth / 2.0)),
                 static_cast<int>(std::lround(centre.y() - scaledHeight / 2.0)),
                 static_cast<int>(std::lround(scaledWidth)), static_cast<int>(std::lround(scaledHeight)));
}

void CarouselViewPageCell::takePicture() {
    picturePending_ = false;
    if (!isVisible()) {
        // Nobody sees it: it is taken when the cell comes on screen.
        picture_ = QPixmap();
        return;
    }
    // Kept at the size the overview draws it, not the page's own.
    const QSize drawn = scaledPageRect(carousel_.pageScale()).size();
    picture_ = page_->grab().scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void CarouselViewPageCell::schedulePicture() {
    if (picturePending_) {
        return;
    }
    picturePending_ = true;
    carousel_.context().scheduler().postAfter(&pictureContext_, pictureDelay, [this] {
        if (isDrawnScaled()) {
            takePicture();
        }
        picturePending_ = false;
    });
}

void CarouselViewPageCell::paintEvent(QPaintEvent* /*event*/) {
    if (!isDrawnScaled() || picture_.isNull() || !carousel_.isPageShown(index())) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(scaledPageRect(scale_), picture_);
}

void CarouselViewPageCell::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (isDrawnScaled() && picture_.isNull()) {
        takePicture();
    }
    if (!appeared_) {
        appeared_ = true;
        carousel_.pageCellAppeared();
    }
}

void CarouselViewPageCell::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    picture_ = QPixmap();
}

bool CarouselViewPageCell::eventFilter(QObject* watched, QEvent* event) {
    if (watched != tapArea_) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            press_ = mouse->globalPosition();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const std::optional<QPointF> press = std::exchange(press_, std::nullopt);
        if (press && mouse->button() == Qt::LeftButton &&
            (mouse->globalPosition() - *press).manhattanLength() <= tapSlop) {
            carousel_.tapPage();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumenscroll
