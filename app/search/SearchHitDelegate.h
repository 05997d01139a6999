#pragma once

#include <QFont>
#include <QString>
#include <QStyledItemDelegate>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QAbstractItemView;

namespace lumenscroll {

// Draws one hit row of the search page's list as a plain list row: the hit line wrapped to the
// list's width in the list's font and black, a hairline under it, a grey wash under the
// pointer. A row is as tall as its wrapped text, so no hit is ever cut off.
//
// The list asks every row's height before it shows any, so the rows are wrapped here, at blanks,
// from the widths of their words, each word measured once per font: tens of thousands of hits
// are laid out in a few milliseconds, and the lines painted are exactly the lines measured.
class SearchHitDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit SearchHitDelegate(QAbstractItemView& view);
    ~SearchHitDelegate() override;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // A line of a wrapped text: where it starts in the text and how many characters it has.
    struct Line {
        qsizetype start;
        qsizetype length;
    };
    // `text` in lines no wider than `width` in `font`, broken at blanks (inside a word only
    // where the word alone is wider); never no line.
    std::vector<Line> wrap(const QString& text, const QFont& font, qreal width) const;

    static constexpr int horizontalPadding = 16;
    static constexpr int verticalPadding = 8;

private:
    struct WordHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view word) const {
            return std::hash<std::u16string_view>()(word);
        }
    };

    // The width the text wraps at: the list's, less the row's padding.
    qreal textWidth() const;
    qreal wordWidth(QStringView word, const QFont& font) const;

    QAbstractItemView& view_;
    // Word widths in the font they were measured in.
    mutable QFont measuredFont_;
    mutable std::unordered_map<std::u16string, qreal, WordHash, std::equal_to<>> wordWidths_;
};

} // namespace lumenscroll
