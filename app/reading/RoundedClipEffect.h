#pragma once

#include <QGraphicsEffect>

namespace lumenscroll {

// Clips a widget, children included, to a rounded rectangle with smooth edges, which a widget
// mask cannot give: a capsule (corners of half the height) or a fixed corner radius.
class RoundedClipEffect : public QGraphicsEffect {
    Q_OBJECT

public:
    // A capsule.
    explicit RoundedClipEffect(QObject* parent = nullptr);
    RoundedClipEffect(qreal cornerRadius, QObject* parent);
    ~RoundedClipEffect() override;

    // Negative: a capsule.
    qreal cornerRadius() const { return cornerRadius_; }

protected:
    void draw(QPainter* painter) override;

private:
    qreal cornerRadius_ = -1.0;
};

} // namespace lumenscroll
