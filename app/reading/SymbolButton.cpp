#include "app/reading/SymbolButton.h"

#include "app/reading/DropShadowEffect.h"
#include "app/reading/KeptPicture.h"
#include "app/reading/SymbolIcon.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace lumenscroll {

namespace {

// The platform's default spacing between a stack's items.
constexpr int stackSpacing = 8;
// Black at 0.8, radius 3, offset (3, 3).
constexpr qreal shadowOpacity = 0.8;
constexpr qreal shadowRadius = 3.0;
constexpr qreal shadowOffset = 3.0;

} // namespace

SymbolButton::SymbolButton(const ResourceLocator& resources, Style style, QWidget* parent)
    : QAbstractButton(parent)
    , resources_(resources)
    , style_(std::move(style)) {
    setCursor(Qt::PointingHandCursor);
    if (style_.shadow) {
        // Its outline changes with its layout and with the symbol and look set here, which say so:
        // finding the outline on every repaint would render the button apart, and that lays out
        // the whole window (every page of the carousel) first.
        setGraphicsEffect(new DropShadowEffect(QColor::fromRgbF(0, 0, 0, static_cast<float>(shadowOpacity)),
                                               2 * shadowRadius, QPointF(shadowOffset, shadowOffset), this,
                                               DropShadowEffect::Outline::layout));
    }
    refreshSymbol();
    resize(sizeHint());
}

SymbolButton::~SymbolButton() = default;

void SymbolButton::setSymbol(const QString& symbol) {
    if (symbol == style_.symbol) {
        return;
    }
    style_.symbol = symbol;
    refreshSymbol();
    update();
}

void SymbolButton::setLook(qreal opacity, qreal symbolOpacity) {
    if (opacity == opacity_ && symbolOpacity == symbolOpacity_) {
        return;
    }
    opacity_ = opacity;
    symbolOpacity_ = symbolOpacity;
    refreshSymbol();
    update();
}

void SymbolButton::refreshSymbol() {
    // Whoever gave it a shadow (its style or its owner): the outline follows the symbol and look.
    if (auto* shadow = qobject_cast<DropShadowEffect*>(graphicsEffect())) {
        shadow->outlineChanged();
    }
    QColor color = style_.color;
    color.setAlphaF(static_cast<float>(style_.color.alphaF() * symbolOpacity_));
    symbolPixmap_ = SymbolIcon::pixmap(resources_, style_.symbol, color, style_.symbolSize, devicePixelRatioF());
    picture_ = QPixmap();
}

QSize SymbolButton::sizeHint() const {
    if (style_.caption.isEmpty()) {
        return {style_.symbolSize, style_.symbolSize};
    }
    const QFontMetrics metrics(style_.captionFont);
    const QSize caption(metrics.horizontalAdvance(style_.caption), metrics.height());
    if (style_.orientation == Qt::Vertical) {
        return {std::max(style_.symbolSize, caption.width()), style_.symbolSize + stackSpacing + caption.height()};
    }
    return {style_.symbolSize + stackSpacing + caption.width(), std::max(style_.symbolSize, caption.height())};
}

QSize SymbolButton::minimumSizeHint() const {
    return sizeHint();
}

void SymbolButton::paintEvent(QPaintEvent* /*event*/) {
    // Kept: the selection bar's gradient repaints its bookmark button with every frame, and the
    // caption would be laid out again each time.
    drawKeptPicture(*this, picture_, [this](QPainter& painter) { paintContent(painter); });
}

void SymbolButton::paintContent(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setOpacity(opacity_);
    const QSize content = sizeHint();
    const QPoint origin((width() - content.width()) / 2, (height() - content.height()) / 2);
    const int side = style_.symbolSize;
    if (style_.caption.isEmpty()) {
        painter.drawPixmap(origin, symbolPixmap_);
        return;
    }
    const QFontMetrics metrics(style_.captionFont);
    painter.setFont(style_.captionFont);
    painter.setPen(style_.color);
    if (style_.orientation == Qt::Vertical) {
        painter.drawPixmap(origin + QPoint((content.width() - side) / 2, 0), symbolPixmap_);
        const QRect caption(origin.x(), origin.y() + side + stackSpacing, content.width(), metrics.height());
        painter.drawText(caption, Qt::AlignCenter, style_.caption);
    } else {
        painter.drawPixmap(origin + QPoint(0, (content.height() - side) / 2), symbolPixmap_);
        const QRect caption(origin.x() + side + stackSpacing, origin.y(), content.width() - side - stackSpacing,
                            content.height());
        painter.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft, style_.caption);
    }
}

} // namespace lumenscroll
