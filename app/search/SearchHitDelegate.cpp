#include "app/search/SearchHitDelegate.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lumenscroll {

namespace {

const QColor separatorColor(0xE5, 0xE5, 0xEA);
const QColor hoverColor(0xF2, 0xF2, 0xF7);
// Words measured one by one may come out a little narrower than the line drawn in one go.
constexpr qreal measureSlack = 2.0;

std::u16string_view view(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

SearchHitDelegate::SearchHitDelegate(QAbstractItemView& view)
    : QStyledItemDelegate(&view)
    , view_(view) {}

SearchHitDelegate::~SearchHitDelegate() = default;

qreal SearchHitDelegate::textWidth() const {
    return std::max<qreal>(1.0, view_.viewport()->width() - 2 * horizontalPadding - measureSlack);
}

qreal SearchHitDelegate::wordWidth(QStringView word, const QFont& font) const {
    if (font != measuredFont_) {
        wordWidths_.clear();
        measuredFont_ = font;
    }
    const auto known = wordWidths_.find(view(word));
    if (known != wordWidths_.end()) {
        return known->second;
    }
    const qreal width = QFontMetricsF(font).horizontalAdvance(word.toString());
    wordWidths_.emplace(std::u16string(view(word)), width);
    return width;
}

std::vector<SearchHitDelegate::Line> SearchHitDelegate::wrap(const QString& text, const QFont& font,
                                                             qreal width) const {
    const qreal blank = wordWidth(u" ", font);
    std::vector<Line> lines;
    qsizetype lineStart = 0;
    qsizetype lineEnd = 0; // past the last word on the line
    qreal lineWidth = 0;
    bool lineEmpty = true;
    for (qsizetype at = 0; at <= text.size();) {
        qsizetype end = text.indexOf(u' ', at);
        if (end < 0) {
            end = text.size();
        }
        qreal wide = wordWidth(QStringView(text).mid(at, end - at), font);
        if (!lineEmpty && lineWidth + blank + wide <= width) {
            lineWidth += blank + wide;
            lineEnd = end;
            at = end + 1;
            continue;
        }
        if (!lineEmpty) {
            lines.push_back({lineStart, lineEnd - lineStart});
        }
        // The word begins a line; one wider than a line is cut where it overflows.
        qsizetype start = at;
        while (wide > width && end - start > 1) {
            const QFontMetricsF metrics(font);
            qsizetype fits = 1;
            while (start + fits < end && metrics.horizontalAdvance(text.mid(start, fits + 1)) <= width) {
                ++fits;
            }
            if (fits > 1 && text.at(start + fits - 1).isHighSurrogate()) {
                --fits;
            }
            lines.push_back({start, fits});
            start += fits;
            wide = metrics.horizontalAdvance(text.mid(start, end - start));
        }
        lineStart = start;
        lineEnd = end;
        lineWidth = wide;
        lineEmpty = false;
        at = end + 1;
    }
    lines.push_back({lineStart, lineEnd - lineStart});
    return lines;
}

QSize SearchHitDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const std::vector<Line> lines = wrap(index.data(Qt::DisplayRole).toString(), option.font, textWidth());
    const int lineHeight = static_cast<int>(std::ceil(QFontMetricsF(option.font).lineSpacing()));
    return {view_.viewport()->width(), static_cast<int>(lines.size()) * lineHeight + 2 * verticalPadding + 1};
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
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetricsF metrics(option.font);
    const qreal lineHeight = std::ceil(metrics.lineSpacing());
    qreal baseline = row.top() + verticalPadding + metrics.ascent();
    for (const Line& line : wrap(text, option.font, textWidth())) {
        painter->drawText(QPointF(row.left() + horizontalPadding, baseline),
                          text.mid(line.start, line.length));
        baseline += lineHeight;
    }
    painter->fillRect(QRect(row.left() + horizontalPadding, row.bottom(), row.width() - horizontalPadding, 1),
                      separatorColor);
    painter->restore();
}

} // namespace lumenscroll
