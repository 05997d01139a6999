#include "app/reading/SheetLook.h"

#include "app/platform/TextStyle.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/SheetBackdrop.h"
#include "app/reading/SymbolButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace lumenscroll {

namespace {

constexpr qreal sheetShadowRadius = 24.0;
// The close button's halo: black at 0.88, blurred over 35 points, centred.
constexpr float closeShadowOpacity = 0.88f;
constexpr qreal closeShadowRadius = 35.0;

} // namespace

SheetBackdrop* SheetLook::backdrop(QWidget& parent, qreal cornerRadius) {
    auto* layer = new SheetBackdrop(cornerRadius, &parent);
    layer->hide();
    return layer;
}

void SheetLook::castShadow(QWidget& sheet) {
    sheet.setGraphicsEffect(
        new DropShadowEffect(QColor(0, 0, 0, 90), sheetShadowRadius, QPointF(0, 4), &sheet));
}

void SheetLook::paint(QWidget& sheet, const QColor& fill) {
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(sheet.rect()), cornerRadius, cornerRadius);
    painter.fillPath(frame, fill);
}

SymbolButton* SheetLook::closeButton(const ResourceLocator& resources, const QColor& color, QWidget* parent) {
    SymbolButton::Style style;
    style.symbol = QStringLiteral("xmark");
    style.symbolSize = pointSize(TextStyle::title);
    style.color = color;
    auto* button = new SymbolButton(resources, style, parent);
    button->setObjectName(QStringLiteral("closeButton"));
    button->setGraphicsEffect(new DropShadowEffect(QColor::fromRgbF(0, 0, 0, closeShadowOpacity),
                                                   closeShadowRadius, QPointF(0, 0), button,
                                                   DropShadowEffect::Outline::layout));
    return button;
}

} // namespace lumenscroll
