#include "app/shell/PanelCloseButton.h"

#include "app/platform/Look.h"
#include "app/reading/DropShadowEffect.h"

namespace lumenscroll {

namespace {

SymbolButton::Style closeStyle() {
    SymbolButton::Style style;
    style.symbol = QStringLiteral("xmark");
    style.symbolSize = pointSize(TextStyle::largeTitle);
    style.color = Qt::white;
    return style;
}

constexpr qreal shadowOpacity = 0.33;
constexpr qreal shadowRadius = 30.0;

} // namespace

PanelCloseButton::PanelCloseButton(const ResourceLocator& resources, QWidget* parent)
    : SymbolButton(resources, closeStyle(), parent) {
    setObjectName(QStringLiteral("closeButton"));
    // Blurred once: a movie or gradient moving under the button repaints it every frame.
    setGraphicsEffect(new DropShadowEffect(QColor::fromRgbF(0, 0, 0, static_cast<float>(shadowOpacity)),
                                           shadowRadius, QPointF(0, 0), this,
                                           DropShadowEffect::Outline::layout));
}

PanelCloseButton::~PanelCloseButton() = default;

} // namespace lumenscroll
