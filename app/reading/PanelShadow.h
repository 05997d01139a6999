#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QWidget>

namespace lumenscroll {

// The shadow panels cast on what lies under them, drawn by a widget of its own stacked just
// under them, from their outline: blurred once for each outline and copied after. A shadow
// cast as an effect over the panels would render them whole, apart, whenever anything in them
// moved (a gradient fading in a header, a movie), every frame.
class PanelShadow : public QWidget {
    Q_OBJECT

public:
    PanelShadow(const QColor& color, qreal blurRadius, QWidget* parent);
    ~PanelShadow() override;

    // The outline the shadow falls from, in the parent's coordinates; empty casts none.
    void setShape(const QPainterPath& shape);
    const QPainterPath& shape() const { return shape_; }
    // How opaque the shadow is drawn, with its panels while they fade.
    void setOpacity(qreal opacity);
    // Whether `area` (in the parent's coordinates) lies wholly under the panels the shadow falls
    // from, which are opaque inside their outline unless they fade: nobody sees what stands there.
    bool hides(const QRectF& area) const { return isVisible() && opacity_ >= 1.0 && shape_.contains(area); }

    // How many shadows have been blurred so far.
    int blurCount() const { return blurs_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    qreal blurRadius_;
    QPainterPath shape_;
    qreal opacity_ = 1.0;
    QImage shadow_;
    int blurs_ = 0;
};

} // namespace lumenscroll
