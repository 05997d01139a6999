#include "app/reading/PanelFadeWidget.h"

#include "app/platform/FrameClock.h"
#include "app/reading/PanelFade.h"
#include "app/reading/PanelShadow.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPainterPath>

namespace lumenscroll {

PanelFadeWidget::PanelFadeWidget(const PanelFade& fade, FrameClock& frames, PanelShadow& shadow,
                                 qreal cornerRadius, QWidget* host)
    : QWidget(host)
    , fade_(fade)
    , frames_(frames)
    , shadow_(shadow)
    , cornerRadius_(cornerRadius) {
    setObjectName(QStringLiteral("panelFade"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

PanelFadeWidget::~PanelFadeWidget() {
    frame_.cancel();
}

void PanelFadeWidget::keepPictureOf(QWidget& panel) {
    // As the panel itself looks, whatever part of a fade in it had reached. A grab fills the
    // corners the panel rounds off with the window's background: they are cleared again.
    panel.setGraphicsEffect(nullptr);
    picture_ = panel.grab();
    QPainterPath corners;
    corners.addRect(QRectF(panel.rect()));
    QPainterPath outline;
    outline.addRoundedRect(QRectF(panel.rect()), cornerRadius_, cornerRadius_);
    QPainter clear(&picture_);
    clear.setRenderHint(QPainter::Antialiasing);
    clear.setCompositionMode(QPainter::CompositionMode_Clear);
    clear.fillPath(corners.subtracted(outline), Qt::transparent);
    clear.end();
    setGeometry(panel.geometry());
    raise();
}

void PanelFadeWidget::follow(QWidget* panel) {
    panel_ = panel;
    draw();
    if (fade_.isFading() && !frame_.isActive()) {
        frame_ = frames_.onFrame([this] {
            draw();
            if (!fade_.isFading()) {
                frame_.cancel();
                emit finished();
            }
        });
    }
}

void PanelFadeWidget::draw() {
    const bool fading = fade_.isFading();
    drawnOpacity_ = fade_.opacity();
    if (panel_) {
        const bool comingIn = fading && fade_.isShown();
        if (comingIn && !effect_) {
            effect_ = new QGraphicsOpacityEffect(panel_);
            panel_->setGraphicsEffect(effect_);
        } else if (!comingIn && effect_) {
            // Setting none deletes it: an opacity effect renders the panel apart with every
            // change in it, even at full opacity.
            panel_->setGraphicsEffect(nullptr);
        }
        if (effect_) {
            effect_->setOpacity(drawnOpacity_);
        }
        panel_->setAttribute(Qt::WA_TransparentForMouseEvents, !fade_.takesClicks());
    }
    if (fading && !fade_.isShown() && !picture_.isNull()) {
        show();
        update();
    } else {
        hide();
        picture_ = QPixmap();
    }
    shadow_.setOpacity(drawnOpacity_);
}

void PanelFadeWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setOpacity(drawnOpacity_);
    painter.drawPixmap(0, 0, picture_);
}

} // namespace lumenscroll
