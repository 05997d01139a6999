#pragma once

#include "app/platform/Subscription.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <memory>

class QPainter;

namespace lumenscroll {

class AppContext;
class BibleContentCell;

// Draws one verse row: the verse number and text, wrapped, with 10 points of padding on the
// verse's highlight at half opacity, and the shimmer while the verse is selected. The row is
// as wide as its text needs, up to the width the list gives it. A click is a tap on the row.
class BibleContentCellWidget : public QWidget {
    Q_OBJECT

public:
    BibleContentCellWidget(std::unique_ptr<BibleContentCell> cell, AppContext& context,
                           QWidget* parent = nullptr);
    ~BibleContentCellWidget() override;

    BibleContentCell& cell() const { return *cell_; }

    // The row's size when at most `availableWidth` wide (empty for a row without a verse).
    QSize sizeFor(int availableWidth) const;
    // Takes the text, font and colours from the cell again (the verse's text was replaced).
    void refresh();
    // Follows the selection: the shimmer while the verse is selected.
    void refreshSelection();
    bool isShimmering() const;

    static constexpr int padding = 10;
    static constexpr qreal highlightOpacity = 0.5;
    // A pointer that moves further than this between press and release has dragged.
    static constexpr qreal tapSlop = 10.0;

signals:
    void tapped();
    // The text, the font or the highlight changed; the size may have changed with them.
    void lookChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintRow(QPainter& painter) const;

    std::unique_ptr<BibleContentCell> cell_;
    AppContext& context_;
    Subscription changes_;

    // What the row shows, taken from the cell when it changes; measuring a wrapped text is
    // the costly part of a long chapter, so the last measurement is kept.
    QString text_;
    QFont font_;
    QColor textColor_;
    QColor background_;
    mutable int measuredWidth_ = -1;
    mutable QSize measuredSize_;
    // Where the press went down: a drag (of the carousel under the page) is no tap.
    QPointF pressPosition_;
};

} // namespace lumenscroll
