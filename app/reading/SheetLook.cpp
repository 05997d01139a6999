#include "app/reading/SheetLook.h"

#include "app/platform/TextStyle.h"
#include "app/reading/SymbolButton.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QWidget>

namespace lumenscroll {

namespace {

constexpr qreal sheetShadowRadius = 24.0;
// The close button's halo: black at 0.88, blurred over 35 points, centred.
constexpr float closeShadowOpacity = 0.88f;
constexpr qreal closeShadowRadius = 35.0;
const QColor backdropDimming(0, 0, 0, 40);

} // namespace

QWidget* SheetLook::backdrop(QWidget& parent) {
    auto* layer = new QWidget(&parent);
    layer->setObjectName(QStringLiteral("sheetBackdrop"));
    layer->setAutoFillBackground(true);
    QPalette dimmed = layer->palette();
    dimmed.setColor(QPalette::Window, backdropDimming);
    layer->setPalette(dimmed);
    layer->hide();
    return layer;
}

void SheetLook::castShadow(QWidget& sheet) {
    auto* shadow = new QGraphicsDropShadowEffect(&sheet);
    shadow->setColor(QColor(0, 0, 0, 90));
    shadow->setBlurRadius(sheetShadowRadius);
    shadow->setOffset(0, 4);
    sheet.setGraphicsEffect(shadow);
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
    auto* halo = new QGraphicsDropShadowEffect(button);
    halo->setColor(QColor::fromRgbF(0, 0, 0, closeShadowOpacity));
    halo->setBlurRadius(closeShadowRadius);
    halo->setOffset(0, 0);
    button->setGraphicsEffect(halo);
    return button;
}

} // namespace lumenscroll
