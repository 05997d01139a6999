#pragma once

#include <QGraphicsDropShadowEffect>
#include <QImage>
#include <QPixmap>

namespace lumenscroll {

// The platform's drop shadow (colour, blur radius, offset, set the same way), blurred once for
// each outline of its widget instead of on every repaint. A widget whose colours change while
// its outline stays (a gradient fading behind a label, a movie under a title) repaints with its
// shadow copied, not blurred again: the blur is most of what such a repaint would cost. Given
// its widget as parent, it lets the kept shadow go while the widget is hidden.
class DropShadowEffect : public QGraphicsDropShadowEffect {
    Q_OBJECT

public:
    // What may change the outline of the widget (its parent) the shadow falls from.
    enum class Outline {
        // Any repaint: each renders the widget apart, to hold its outline against the kept one.
        anyRepaint,
        // Only its layout: the sizes, places, showing and hiding, fonts, palettes and texts of the
        // widget and of what it holds, each told by an event, or its owner saying so through
        // outlineChanged(). Any other repaint (colours moving under a label) draws the widget
        // straight through beside the kept shadow: rendering it apart would lay out the whole
        // window first, every frame.
        layout,
    };

    DropShadowEffect(const QColor& color, qreal blurRadius, QPointF offset, QObject* parent = nullptr,
                     Outline outline = Outline::anyRepaint);
    ~DropShadowEffect() override;

    // The owner's word that the outline may have changed: the next repaint looks again.
    void outlineChanged() { outlineKnown_ = false; }

    // How many shadows have been blurred so far.
    int blurCount() const { return blurs_; }
    // How many times the widget has been rendered apart to find its outline.
    int renderCount() const { return renders_; }

protected:
    void draw(QPainter* painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether `source` has the outline (the coverage of each pixel) the kept shadow was made from.
    bool hasKeptOutline(const QImage& source) const;
    void blurShadowOf(const QImage& source);
    void forget();
    // Follows the events of `widget` and of all it holds, now and later.
    void watch(QWidget* widget);
    // The widget drawn with the shadow's margin into a picture of its own, in device pixels;
    // `at` is where the picture stands.
    QPixmap renderedApart(const QPainter& painter, QPoint& at) const;
    // Whether a widget above carries an effect of its own, or the window is drawn through a
    // graphics view (scaled to fit a small screen). Drawn into that effect's picture, the
    // widget cannot be drawn straight through: the platform would move it twice by its place.
    bool isInsideAnotherEffect() const;
    // Whether a widget it holds carries an effect of its own: drawn straight through, the
    // platform leaves such a widget out.
    bool holdsAnotherEffect() const;

    // The shadow alone, at the size of the source as drawn with its margin.
    QImage shadow_;
    // The coverage of the source it was made from.
    QImage outline_;
    Outline changes_;
    // Whether the kept shadow is known to stand for the outline now, without looking.
    bool outlineKnown_ = false;
    // Where the kept shadow stands from the widget's origin, in device coordinates.
    QPointF shadowAt_;
    int blurs_ = 0;
    int renders_ = 0;
};

} // namespace lumenscroll
