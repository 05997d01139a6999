#include "app/reading/SheetBackdrop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChildEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

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

// The layers shown now, whichever windows they stand in.
std::vector<const SheetBackdrop*>& shownLayers() {
    static std::vector<const SheetBackdrop*> layers;
    return layers;
}

void forget(const SheetBackdrop* layer) {
    std::vector<const SheetBackdrop*>& layers = shownLayers();
    layers.erase(std::remove(layers.begin(), layers.end(), layer), layers.end());
}

} // namespace

SheetBackdrop::SheetBackdrop(qreal cornerRadius, QWidget* parent)
    : QWidget(parent)
    , cornerRadius_(cornerRadius) {
    setObjectName(QStringLiteral("sheetBackdrop"));
}

SheetBackdrop::~SheetBackdrop() {
    forget(this);
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

SheetBackdrop* SheetBackdrop::of(QWidget& opener) {
    SheetBackdrop* outermost = nullptr;
    for (QWidget* widget = &opener; widget != nullptr;
         widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        if (auto* layer = widget->findChild<SheetBackdrop*>(QString(), Qt::FindDirectChildrenOnly)) {
            outermost = layer;
        }
    }
    return outermost;
}

void SheetBackdrop::present(QWidget& sheet, QAbstractButton& closeButton) {
    sheets_.push_back({&sheet, &closeButton});
    setGeometry(parentWidget()->rect());
    sheet.move((width() - sheet.width()) / 2, (height() - sheet.height()) / 2);
    sheet.show();
    sheet.raise();
    raise();
    show();
    sheet.setFocus();
}

void SheetBackdrop::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    if (!event->removed()) {
        return;
    }
    std::erase_if(sheets_,
                  [event](const Sheet& shown) { return !shown.sheet || shown.sheet == event->child(); });
    if (sheets_.empty()) {
        hide();
    }
}

void SheetBackdrop::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && closeFrontSheet()) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool SheetBackdrop::closeFrontSheet() {
    for (auto shown = sheets_.rbegin(); shown != sheets_.rend(); ++shown) {
        if (shown->sheet && shown->closeButton) {
            shown->closeButton->click();
            return true;
        }
    }
    return false;
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
    forget(this);
    shownLayers().push_back(this);
    qApp->installEventFilter(this);
}

void SheetBackdrop::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    forget(this);
    qApp->removeEventFilter(this);
}

bool SheetBackdrop::isHoldingInput() const {
    return isVisible() && std::any_of(sheets_.begin(), sheets_.end(),
                                      [this](const Sheet& shown) { return isWithinReach(shown); });
}

bool SheetBackdrop::isWithinReach(const Sheet& shown) const {
    if (!shown.sheet || !shown.closeButton || !shown.sheet->isVisible()) {
        return false;
    }
    // Whether the window hands a click at the middle of `target` to it, as it hands the
    // pointer to whatever it finds there first: nothing over it, nothing clipping it away.
    QWidget* pointerWindow = window();
    const auto reaches = [pointerWindow](const QWidget& target) {
        const QWidget* hit = pointerWindow->childAt(target.mapTo(pointerWindow, target.rect().center()));
        return hit == &target || target.isAncestorOf(hit);
    };
    return reaches(*shown.sheet) && reaches(*shown.closeButton);
}

bool SheetBackdrop::holds(const QObject& receiver) {
    const std::vector<const SheetBackdrop*>& layers = shownLayers();
    return std::any_of(layers.begin(), layers.end(),
                       [&receiver](const SheetBackdrop* layer) { return layer->holdsFor(receiver); });
}

bool SheetBackdrop::claims(const QObject& receiver) {
    if (holds(receiver)) {
        return true;
    }
    if (!receiver.isWidgetType()) {
        return false;
    }
    const auto& target = static_cast<const QWidget&>(receiver);
    const std::vector<const SheetBackdrop*>& layers = shownLayers();
    return std::any_of(layers.begin(), layers.end(), [&target](const SheetBackdrop* layer) {
        return layer == &target || layer->isAncestorOf(&target);
    });
}

bool SheetBackdrop::holdsFor(const QObject& receiver) const {
    if (!receiver.isWidgetType()) {
        return false;
    }
    const auto& target = static_cast<const QWidget&>(receiver);
    // The sheets are the layer's children; the layer itself is what lies beside them.
    const bool onASheet = &target != this && isAncestorOf(&target);
    return !onASheet && target.window() == window() && isHoldingInput();
}

bool SheetBackdrop::eventFilter(QObject* watched, QEvent* event) {
    if (!isPointerInput(event->type()) || !holdsFor(*watched)) {
        return false;
    }
    event->accept();
    return true;
}

} // namespace lumenscroll
