#include "app/shell/PagingCarouselWidget.h"

#include "app/reading/SheetBackdrop.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRect>
#include <QResizeEvent>

#include <cmath>

namespace lumenscroll {

PagingCarouselWidget::PagingCarouselWidget(PagingCarouselViewModel& model, const Animations& animations,
                                           PageFactory pageFactory, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , modelAlive_(&model)
    , animations_(animations)
    , pageFactory_(std::move(pageFactory)) {
    setObjectName(QStringLiteral("pagingCarousel"));
    connect(&model_, &PagingCarouselViewModel::itemsChanged, this, &PagingCarouselWidget::syncPages);
    connect(&model_, &PagingCarouselViewModel::offsetChanged, this, &PagingCarouselWidget::moveRow);
    connect(&slide_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        shownOffset_ = value.toDouble();
        placePages();
    });
    // The pages' own widgets receive the mouse first; seeing the events on their way lets the
    // drag work from anywhere on the carousel without taking clicks from the pages.
    qApp->installEventFilter(this);
    shownOffset_ = model_.offset();
    reloadPages();
}

PagingCarouselWidget::~PagingCarouselWidget() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
    if (modelAlive_) {
        model_.disappear();
    }
}

void PagingCarouselWidget::reloadPages() {
    for (const QPointer<QWidget>& page : pages_) {
        dropPage(page);
    }
    pages_.clear();
    syncPages();
}

void PagingCarouselWidget::syncPages() {
    const std::vector<int> items = model_.displayedItems();
    // Wrap-around copies stand at other positions after any change of the count.
    if ((model_.isWrapping() || pagesWrap_) && pages_.size() != items.size()) {
        for (const QPointer<QWidget>& page : pages_) {
            dropPage(page);
        }
        pages_.clear();
    }
    pagesWrap_ = model_.isWrapping();
    while (pages_.size() > items.size()) {
        dropPage(pages_.back());
        pages_.pop_back();
    }
    for (std::size_t position = pages_.size(); position < items.size(); ++position) {
        pages_.emplace_back(buildPage(items[position]));
    }
    placePages();
}

void PagingCarouselWidget::removePage(int item) {
    if (model_.isWrapping() || item < 0 || item >= pageCount()) {
        return;
    }
    const auto position = pages_.begin() + item;
    dropPage(*position);
    pages_.erase(position);
}

QWidget* PagingCarouselWidget::buildPage(int item) {
    QWidget* page = pageFactory_ ? pageFactory_(item) : nullptr;
    if (page == nullptr) {
        page = new QWidget;
    }
    page->setParent(this);
    page->show();
    return page;
}

void PagingCarouselWidget::dropPage(QWidget* page) {
    // Later, not now: the change may come from inside the page's own handlers.
    if (page != nullptr) {
        page->hide();
        page->deleteLater();
    }
}

QWidget* PagingCarouselWidget::pageAt(int displayedPosition) const {
    if (displayedPosition < 0 || displayedPosition >= pageCount()) {
        return nullptr;
    }
    return pages_[static_cast<std::size_t>(displayedPosition)].data();
}

void PagingCarouselWidget::moveRow(bool animated) {
    const double target = model_.offset();
    const Animations::Curve curve = animations_.standard();
    slide_.stop();
    if (!animated || curve.duration.count() <= 0 || !isVisible() || shownOffset_ == target) {
        shownOffset_ = target;
        placePages();
        return;
    }
    slide_.setStartValue(shownOffset_);
    slide_.setEndValue(target);
    slide_.setDuration(static_cast<int>(curve.duration.count()));
    slide_.setEasingCurve(curve.easing);
    slide_.start();
}

void PagingCarouselWidget::placePages() {
    const double width = model_.itemWidth();
    const double step = width + model_.spacing();
    const QRect area = rect();
    for (std::size_t position = 0; position < pages_.size(); ++position) {
        QWidget* page = pages_[position].data();
        if (page == nullptr) {
            continue;
        }
        // A page of fixed size keeps it, centred on its slot, as a fixed frame overflows a
        // narrower one; any other page fills its slot.
        const bool fixedSize = page->minimumSize() == page->maximumSize();
        const double scale = model_.scale(static_cast<int>(position));
        const double pageWidth = (fixedSize ? page->maximumWidth() : width) * scale;
        const double pageHeight = (fixedSize ? page->maximumHeight() : area.height()) * scale;
        const double centreX = shownOffset_ + step * static_cast<double>(position) + width / 2.0;
        const double centreY = area.height() / 2.0;
        const QRect slot(static_cast<int>(std::lround(centreX - pageWidth / 2.0)),
                         static_cast<int>(std::lround(centreY - pageHeight / 2.0)),
                         static_cast<int>(std::lround(pageWidth)), static_cast<int>(std::lround(pageHeight)));
        page->setGeometry(slot);
        // Pages off the carousel are not drawn at all.
        page->setVisible(slot.intersects(area) && slot.width() > 0);
    }
}

void PagingCarouselWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.setViewSize(QSizeF(event->size()));
}

void PagingCarouselWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    model_.setViewSize(QSizeF(size()));
    model_.appear();
}

void PagingCarouselWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        model_.disappear();
    }
}

bool PagingCarouselWidget::isOnCarousel(QObject* object) const {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && (widget == this || isAncestorOf(widget));
}

bool PagingCarouselWidget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    // The pointer a sheet holds is nobody's behind it, and a press on a sheet is the sheet's:
    // neither starts nor moves a drag, whether it passes here before or after the sheet's hold,
    // so no sheet slides out of sight with its page while it is up. A release still ends a press
    // seen here.
    if (type != QEvent::MouseButtonRelease && SheetBackdrop::claims(*watched)) {
        return false;
    }
    // An event a child ignores travels on to its parent and passes here again; every step
    // below gives the same result for the same event, so that does no harm.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton && !pressed_ && isVisible() && isOnCarousel(watched)) {
            pressed_ = true;
            dragging_ = false;
            pressPosition_ = global;
        }
        break;
    case QEvent::MouseMove: {
        if (!pressed_) {
            break;
        }
        const QPoint translation = global - pressPosition_;
        if (!dragging_ && std::hypot(translation.x(), translation.y()) >= minimumDragDistance) {
            dragging_ = true;
        }
        if (dragging_) {
            model_.dragChanged(translation.x());
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (pressed_ && mouse->button() == Qt::LeftButton) {
            pressed_ = false;
            if (dragging_) {
                dragging_ = false;
                model_.dragEnded(global.x() - pressPosition_.x());
            }
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace lumenscroll
