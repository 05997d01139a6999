#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;

namespace lumenscroll {

// Shows a widget tree scaled down as a whole, in a window too small for it: the tree keeps its
// own size and layout and is drawn, and reached by the pointer, through one uniform scale.
// Qt's graphics view does the drawing and maps every input (pointer, wheel, keys, focus, the
// pop-ups of the tree's own widgets) into the tree. Keys the tree leaves go on to the view's
// parent, as they would from a tree shown directly, rather than scrolling the view.
class ScaledContentView : public QGraphicsView {
    Q_OBJECT

public:
    // Takes `content`, a widget without parent, into its scene; the scene owns it from then on.
    explicit ScaledContentView(QWidget* content, QWidget* parent = nullptr);
    ~ScaledContentView() override;

    QGraphicsProxyWidget* proxy() const { return proxy_; }
    // Draws the content at `scale`, centred in the view.
    void setContentScale(double scale);
    double contentScale() const { return scale_; }
    // Where a point of the content lands in the view's viewport.
    QPoint mapFromContent(const QPoint& point) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGraphicsProxyWidget* proxy_;
    double scale_ = 1.0;
};

} // namespace lumenscroll
