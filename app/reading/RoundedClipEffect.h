#pragma once

#include <QGraphicsEffect>

namespace lumenscroll {

// Clips a widget, children included, to a rounded rectangle with smooth edges, which a widget
// mask cannot give: a capsule (corners of half the height, whatever the height becomes) or a
// fixed corner radius.
class RoundedClipEffect : public QGraphicsEffect {
    Q_OBJECT

public:
    // A new capsule clip, owned by `parent` (the widget it is set on takes it over in turn).
    static RoundedClipEffect* capsule(QObject* parent = nullptr);

    // Which corners are rounded off.
    enum class Corners {
        all,
        // The two at the bottom: a widget that ends a panel whose top is drawn by others.
        bottom,
    };

    // Corners of `cornerRadius`, at most half the shorter side; a negative radius is a capsule.
    explicit RoundedClipEffect(qreal cornerRadius, QObject* parent = nullptr, Corners corners = Corners::all);
    ~RoundedClipEffect() override;

    // Negative: a capsule.
    qreal cornerRadius() const { return cornerRadius_; }
    bool isCapsule() const { return cornerRadius_ < 0; }

protected:
    void draw(QPainter* painter) override;

private:
    qreal cornerRadius_;
    Corners corners_;
};

} // namespace lumenscroll
