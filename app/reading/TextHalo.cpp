#include "app/reading/TextHalo.h"

#include "app/reading/BlurredShadow.h"

#include <QPainter>

namespace lumenscroll {

TextHalo::TextHalo(const QColor& color, qreal blurRadius, QWidget* parent)
    : QWidget(parent)
    , color_(color)
    , blurRadius_(blurRadius) {
    setObjectName(QStringLiteral("textHalo"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (parent != nullptr) {
        setGeometry(parent->rect());
    }
}

TextHalo::~TextHalo() = default;

void TextHalo::setLabels(const std::vector<QLabel*>& labels) {
    labels_.assign(labels.begin(), labels.end());
    update();
}

std::vector<TextHalo::Look> TextHalo::looks() const {
    std::vector<Look> looks;
    looks.reserve(labels_.size());
    for (const QPointer<QLabel>& label : labels_) {
        if (label.isNull()) {
            looks.push_back({});
            continue;
        }
        looks.push_back({label->geometry(), label->text(), label->pixmap().cacheKey(), label->isVisible()});
    }
    return looks;
}

void TextHalo::blur(qreal ratio) {
    ++blurs_;
    QImage drawn((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    for (const QPointer<QLabel>& label : labels_) {
        if (!label.isNull() && label->isVisible()) {
            // Once for each look: the render lays the window out first, which a frame cannot afford.
            label->render(&drawn, label->geometry().topLeft() - pos(), QRegion(), QWidget::DrawChildren);
        }
    }
    drawn.setDevicePixelRatio(1.0);
    halo_ = blurredShadow(drawn, blurRadius_, color_);
    halo_.setDevicePixelRatio(ratio);
}

void TextHalo::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    std::vector<Look> now = looks();
    if (halo_.isNull() || halo_.devicePixelRatio() != ratio ||
        halo_.size() != (QSizeF(size()) * ratio).toSize() || now != blurredLooks_) {
        blur(ratio);
        blurredLooks_ = std::move(now);
    }
    QPainter(this).drawImage(QPointF(0, 0), halo_);
}

} // namespace lumenscroll
