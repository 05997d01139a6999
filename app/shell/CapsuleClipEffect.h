#pragma once

#include <QGraphicsEffect>

namespace lumenscroll {

// Clips a widget, children included, to a capsule (a rounded rectangle whose corner radius is
// half its height) with smooth edges, which a widget mask cannot give.
class CapsuleClipEffect : public QGraphicsEffect {
    Q_OBJECT

public:
    explicit CapsuleClipEffect(QObject* parent = nullptr);
    ~CapsuleClipEffect() override;

protected:
    void draw(QPainter* painter) override;
};

} // namespace lumenscroll
