#pragma once

#include "app/platform/Subscription.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace lumenscroll {

class FrameClock;
class PanelFade;
class PanelShadow;

// Draws a PanelFade in the host its panel stands in. While the panel comes in, the panel itself
// is drawn at the fade's opacity, through an opacity effect, and takes clicks as it will once in.
// While it goes out, the panel is gone already, and a picture of it, taken as it started to go,
// stands in its place: a picture takes no click, key or focus. Once in, nothing of the fade is
// left on the panel. The shadow the panel casts fades with it.
//
// The frames fall on the frame clock, and only while the fade runs.
class PanelFadeWidget : public QWidget {
    Q_OBJECT

public:
    // The panel's corners are rounded off with `cornerRadius`.
    PanelFadeWidget(const PanelFade& fade, FrameClock& frames, PanelShadow& shadow, qreal cornerRadius,
                    QWidget* host);
    ~PanelFadeWidget() override;

    // `panel` is about to go, fading: its picture stands where it stands.
    void keepPictureOf(QWidget& panel);
    // Draws the fade as it stands now on `panel` (null while there is none), and runs the
    // frames while it fades.
    void follow(QWidget* panel);

    // The opacity the picture or the panel was last drawn at.
    double drawnOpacity() const { return drawnOpacity_; }

signals:
    // The fade is over: the panel is in, or gone.
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw();

    const PanelFade& fade_;
    FrameClock& frames_;
    PanelShadow& shadow_;
    qreal cornerRadius_;
    QPointer<QWidget> panel_;
    QPointer<QGraphicsOpacityEffect> effect_;
    QPixmap picture_;
    double drawnOpacity_ = 1.0;
    Subscription frame_;
};

} // namespace lumenscroll
