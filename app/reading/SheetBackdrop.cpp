#include "app/reading/SheetBackdrop.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace lumenscroll {

namespace {

const QColor dimming(0, 0, 0, 40);

bool isPointerInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

SheetBackdrop::SheetBackdrop(qreal cornerRadius, QWidget* parent)
    : QWidget(parent)
    , cornerRadius_(cornerRadius) {
    setObjectName(QStringLiteral("sheetBackdrop"));
}

SheetBackdrop::~SheetBackdrop() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

void SheetBackdrop::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (cornerRadius_ <= 0) {
        painter.fillRect(rect(), dimming);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    painter.fillPath(frame, dimming);
}

void SheetBackdrop::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The application's filters run last installed first: installed now, it sees the input
    // before the carousel's filters, which would start a drag from it.
    qApp->installEventFilter(this);
}

void SheetBackdrop::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    qApp->removeEventFilter(this);
}

bool SheetBackdrop::isHoldingInput() const {
    return isVisible() && isInSight();
}

bool SheetBackdrop::isInSight() const {
    QRect area = rect();
    for (const QWidget* widget = this; !widget->isWindow() && widget->parentWidget() != nullptr;
         widget = widget->parentWidget()) {
        area.translate(widget->pos());
        area &= widget->parentWidget()->rect();
        if (area.isEmpty()) {
            return false;
        }
    }
    return true;
}

bool SheetBackdrop::eventFilter(QObject* watched, QEvent* event) {
    if (!isPointerInput(event->type()) || !watched->isWidgetType()) {
        return false;
    }
    const auto* target = static_cast<const QWidget*>(watched);
    // The sheet's own widgets are the layer's children; the layer itself is what lies beside
    // the sheet.
    const bool onTheSheet = target != this && isAncestorOf(target);
    if (onTheSheet || target->window() != window() || !isHoldingInput()) {
        return false;
    }
    event->accept();
    return true;
}

} // namespace lumenscroll
