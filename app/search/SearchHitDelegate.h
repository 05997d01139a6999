#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace lumenscroll {

// Draws one hit row of the search page's list as a plain list row: the hit line wrapped to the
// list's width in the list's font and black, a hairline under it, a grey wash under the
// pointer. A row is as tall as its wrapped text, so no hit is ever cut off.
class SearchHitDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit SearchHitDelegate(QAbstractItemView& view);
    ~SearchHitDelegate() override;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static constexpr int horizontalPadding = 16;
    static constexpr int verticalPadding = 8;

private:
    // The width the text wraps at: the list's, less the row's padding.
    int textWidth() const;

    QAbstractItemView& view_;
};

} // namespace lumenscroll
