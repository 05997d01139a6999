#pragma once

#include <QGraphicsDropShadowEffect>
#include <QImage>

namespace lumenscroll {

// The platform's drop shadow (colour, blur radius, offset, set the same way), blurred once for
// each outline of its widget instead of on every repaint. A widget whose colours change while
// its outline stays (a gradient fading behind a label, a movie under a title) repaints with its
// shadow copied, not blurred again: the blur is most of what such a repaint would cost. Given
// its widget as parent, it lets the kept shadow go while the widget is hidden.
class DropShadowEffect : public QGraphicsDropShadowEffect {
    Q_OBJECT

public:
    DropShadowEffect(const QColor& color, qreal blurRadius, QPointF offset, QObject* parent = nullptr);
    ~DropShadowEffect() override;

    // How many shadows have been blurred so far.
    int blurCount() const { return blurs_; }

protected:
    void draw(QPainter* painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether `source` has the outline (the coverage of each pixel) the kept shadow was made from.
    bool hasKeptOutline(const QImage& source) const;
    void blurShadowOf(const QImage& source);
    void forget();

    // The shadow alone, at the size of the source as drawn with its margin.
    QImage shadow_;
    // The coverage of the source it was made from.
    QImage outline_;
    int blurs_ = 0;
};

} // namespace lumenscroll
