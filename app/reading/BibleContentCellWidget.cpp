#include "app/reading/BibleContentCellWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/BibleContentCell.h"
#include "app/reading/ReadingFontFace.h"
#include "app/reading/ShimmerEffect.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <utility>

namespace lumenscroll {

namespace {

constexpr int textFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

QFont fontOf(const BibleContentCell& cell) {
    return readingFontFace(cell.shownFont(), static_cast<int>(cell.fontSize));
}

} // namespace

BibleContentCellWidget::BibleContentCellWidget(std::unique_ptr<BibleContentCell> cell, AppContext& context,
                                               QWidget* parent)
    : QWidget(parent)
    , cell_(std::move(cell))
    , context_(context) {
    setObjectName(QStringLiteral("verseRow_%1").arg(cell_->i.get()));
    setCursor(Qt::PointingHandCursor);
    refresh();
    changes_ = cell_->onChange([this] { refresh(); });
}

BibleContentCellWidget::~BibleContentCellWidget() {
    changes_.cancel();
}

void BibleContentCellWidget::refresh() {
    const std::optional<std::string> text = cell_->text();
    QString shown = text ? QString::fromStdString(*text) : QString();
    QFont font = fontOf(*cell_);
    const QColor textColor = Look::color(cell_->fontColor);
    const QColor background = Look::color(cell_->shownBackground(), highlightOpacity);
    const bool resized = shown != text_ || font != font_;
    if (!resized && textColor == textColor_ && background == background_) {
        return;
    }
    text_ = std::move(shown);
    font_ = std::move(font);
    textColor_ = textColor;
    background_ = background;
    if (resized) {
        measuredWidth_ = -1;
    }
    if (ShimmerEffect* shimmer = ShimmerEffect::of(this)) {
        shimmer->targetLookChanged();
    }
    update();
    emit lookChanged();
}

QSize BibleContentCellWidget::sizeFor(int availableWidth) const {
    if (text_.isEmpty()) {
        return {0, 0};
    }
    if (availableWidth == measuredWidth_) {
        return measuredSize_;
    }
    const int textWidth = std::max(1, availableWidth - 2 * padding);
    const QRect bounds = QFontMetrics(font_).boundingRect(
        QRect(0, 0, textWidth, std::numeric_limits<int>::max() / 2), textFlags, text_);
    measuredWidth_ = availableWidth;
    measuredSize_ = QSize(std::min(bounds.width(), textWidth) + 2 * padding, bounds.height() + 2 * padding);
    return measuredSize_;
}

void BibleContentCellWidget::refreshSelection() {
    ShimmerEffect* shimmer = ShimmerEffect::apply(this, cell_->isSelected(), context_);
    if (shimmer != nullptr && !shimmer->hasSourcePainter()) {
        // The row paints the picture the band masks itself: see ShimmerEffect.
        shimmer->setSourcePainter([this](QPainter& painter) { paintRow(painter); });
    }
}

bool BibleContentCellWidget::isShimmering() const {
    return ShimmerEffect::of(this) != nullptr;
}

void BibleContentCellWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    paintRow(painter);
}

void BibleContentCellWidget::paintRow(QPainter& painter) const {
    if (text_.isEmpty()) {
        return;
    }
    painter.fillRect(rect(), background_);
    painter.setFont(font_);
    painter.setPen(textColor_);
    painter.drawText(rect().adjusted(padding, padding, -padding, -padding), textFlags, text_);
}

void BibleContentCellWidget::mousePressEvent(QMouseEvent* event) {
    pressPosition_ = event->globalPosition();
    event->accept();
}

void BibleContentCellWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const QPointF moved = event->globalPosition() - pressPosition_;
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        moved.manhattanLength() <= tapSlop) {
        emit tapped();
    }
}

} // namespace lumenscroll
