#include "app/reading/DropShadowEffect.h"

#include "app/reading/BlurredShadow.h"

#include <QChildEvent>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QTransform>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumenscroll {

DropShadowEffect::DropShadowEffect(const QColor& color, qreal blurRadius, QPointF offset, QObject* parent,
                                   Outline outline)
    : QGraphicsDropShadowEffect(parent)
    , changes_(outline) {
    setColor(color);
    setBlurRadius(blurRadius);
    setOffset(offset);
    connect(this, &QGraphicsDropShadowEffect::colorChanged, this, [this] { forget(); });
    connect(this, &QGraphicsDropShadowEffect::blurRadiusChanged, this, [this] { forget(); });
    connect(this, &QGraphicsDropShadowEffect::offsetChanged, this, [this] { forget(); });
    if (parent == nullptr || !parent->isWidgetType()) {
        changes_ = Outline::anyRepaint;
    } else if (changes_ == Outline::layout) {
        watch(static_cast<QWidget*>(parent));
    } else {
        parent->installEventFilter(this);
    }
}

void DropShadowEffect::watch(QWidget* widget) {
    widget->installEventFilter(this);
    for (QObject* child : widget->children()) {
        if (child->isWidgetType()) {
            watch(static_cast<QWidget*>(child));
        }
    }
}

DropShadowEffect::~DropShadowEffect() = default;

bool DropShadowEffect::eventFilter(QObject* watched, QEvent* event) {
    const bool own = watched == parent();
    switch (event->type()) {
    case QEvent::Hide:
        if (own) {
            forget();
        }
        outlineKnown_ = false;
        break;
    case QEvent::ChildAdded:
        if (auto* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType()) {
            watch(static_cast<QWidget*>(child));
        }
        outlineKnown_ = false;
        break;
    case QEvent::Move:
        // The widget moving carries its shadow with it; what it holds moving changes its outline.
        outlineKnown_ = outlineKnown_ && own;
        break;
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::ChildRemoved:
    case QEvent::LayoutRequest:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ContentsRectChange:
    case QEvent::ZOrderChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        outlineKnown_ = false;
        break;
    default:
        break;
    }
    return QGraphicsDropShadowEffect::eventFilter(watched, event);
}

void DropShadowEffect::forget() {
    shadow_ = QImage();
    outline_ = QImage();
    outlineKnown_ = false;
}

bool DropShadowEffect::hasKeptOutline(const QImage& source) const {
    if (outline_.size() != source.size() || shadow_.isNull()) {
        return false;
    }
    const int width = source.width();
    const int height = source.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        const uchar* kept = outline_.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) != kept[x]) {
                return false;
            }
        }
    }
    return true;
}

void DropShadowEffect::blurShadowOf(const QImage& source) {
    ++blurs_;
    outline_ = source.convertToFormat(QImage::Format_Alpha8);
    // The outline where the shadow falls, in device pixels.
    const qreal ratio = source.devicePixelRatio();
    QImage moved(source.size(), QImage::Format_ARGB32_Premultiplied);
    moved.fill(Qt::transparent);
    {
        QImage plain = source;
        plain.setDevicePixelRatio(1.0);
        QPainter painter(&moved);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(offset() * ratio, plain);
    }
    shadow_ = blurredShadow(moved, blurRadius(), color());
    shadow_.setDevicePixelRatio(ratio);
}

QPixmap DropShadowEffect::renderedApart(const QPainter& painter, QPoint& at) const {
    // As the platform renders an effect's source, but kept out of its pixmap cache: a source
    // drawn straight through later must not find an old picture of the widget there.
    auto* widget = static_cast<QWidget*>(parent());
    const QTransform& transform = painter.worldTransform();
    const QRect area = boundingRectFor(transform.mapRect(QRectF(widget->rect()))).toAlignedRect();
    at = area.topLeft();
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    QPixmap pixmap(area.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    widget->render(&pixmap, transform.map(QPoint(0, 0)) - at, QRegion(), QWidget::DrawChildren);
    return pixmap;
}

bool DropShadowEffect::isInsideAnotherEffect() const {
    // A window drawn scaled through a graphics view renders its widgets the same way.
    if (static_cast<QWidget*>(parent())->window()->graphicsProxyWidget() != nullptr) {
        return true;
    }
    for (const QWidget* above = static_cast<QWidget*>(parent())->parentWidget(); above != nullptr;
         above = above->parentWidget()) {
        if (above->graphicsEffect() != nullptr && above->graphicsEffect()->isEnabled()) {
            return true;
        }
    }
    return false;
}

bool DropShadowEffect::holdsAnotherEffect() const {
    const QList<QWidget*> held = static_cast<QWidget*>(parent())->findChildren<QWidget*>();
    return std::any_of(held.begin(), held.end(), [](const QWidget* widget) {
        return widget->graphicsEffect() != nullptr && widget->graphicsEffect()->isEnabled();
    });
}

void DropShadowEffect::draw(QPainter* painter) {
    if (blurRadius() <= 0 && offset().isNull()) {
        drawSource(painter);
        return;
    }
    const QTransform restore = painter->worldTransform();
    const QPointF origin = restore.map(QPointF(0, 0));
    if (outlineKnown_ && restore.type() <= QTransform::TxTranslate && painter->device() != nullptr &&
        painter->device()->devicePixelRatio() == shadow_.devicePixelRatio() && !isInsideAnotherEffect() &&
        !holdsAnotherEffect()) {
        painter->setWorldTransform(QTransform());
        painter->drawImage(origin + shadowAt_, shadow_);
        painter->setWorldTransform(restore);
        drawSource(painter);
        return;
    }
    // In device pixels, as the platform's shadow draws, so that nothing is scaled.
    QPoint at;
    const QPixmap pixmap =
        changes_ == Outline::layout
            ? renderedApart(*painter, at)
            : sourcePixmap(Qt::DeviceCoordinates, &at, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (pixmap.isNull()) {
        return;
    }
    ++renders_;
    QImage source = pixmap.toImage();
    if (source.format() != QImage::Format_ARGB32_Premultiplied) {
        source = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    if (!hasKeptOutline(source)) {
        blurShadowOf(source);
    }
    shadowAt_ = QPointF(at) - origin;
    outlineKnown_ = changes_ == Outline::layout;
    painter->setWorldTransform(QTransform());
    painter->drawImage(at, shadow_);
    painter->drawPixmap(at, pixmap);
    painter->setWorldTransform(restore);
}

} // namespace lumenscroll
