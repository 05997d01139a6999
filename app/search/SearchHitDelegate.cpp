#include "app/search/SearchHitDelegate.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace lumenscroll {

namespace {

constexpr int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
const QColor separatorColor(0xE5, 0xE5, 0xEA);
const QColor hoverColor(0xF2, 0xF2, 0xF7);

} // namespace

SearchHitDelegate::SearchHitDelegate(QAbstractItemView& view)
    : QStyledItemDelegate(&view)
    , view_(view) {}

SearchHitDelegate::~SearchHitDelegate() = default;

int SearchHitDelegate::textWidth() const {
    return std::max(1, view_.viewport()->width() - 2 * horizontalPadding);
}

QSize SearchHitDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QFontMetrics metrics(option.font);
    const QRect text = metrics.boundingRect(QRect(0, 0, textWidth(), 1 << 20), textFlags,
                                            index.data(Qt::DisplayRole).toString());
    return {textWidth() + 2 * horizontalPadding, text.height() + 2 * verticalPadding + 1};
}

void SearchHitDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    const QRect row = option.rect;
    if (option.state & QStyle::State_MouseOver) {
        painter->fillRect(row, hoverColor);
    }
    painter->setFont(option.font);
    painter->setPen(Qt::black);
    const QRect text =
        row.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding - 1);
    painter->drawText(text, textFlags, index.data(Qt::DisplayRole).toString());
    painter->fillRect(QRect(row.left() + horizontalPadding, row.bottom(), row.width() - horizontalPadding, 1),
                      separatorColor);
    painter->restore();
}

} // namespace lumenscroll
