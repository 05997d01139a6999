#include "app/shell/ScaledContentView.h"

#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTransform>

namespace lumenscroll {

namespace {

// Draws what changed of the content at its own size into a picture of the whole content, each
// part at its own place as the window would hold it, and the picture scaled. Drawn straight
// through the view's scaled painter, or apart at another place, widgets that carry graphics
// effects land at the wrong places; drawn so they paint exactly as unscaled.
class DrawnApartProxy final : public QGraphicsProxyWidget {
public:
    DrawnApartProxy() { setFlag(QGraphicsItem::ItemUsesExtendedStyleOption); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override {
        QWidget* content = widget();
        if (content == nullptr || !content->isVisible()) {
            return;
        }
        const QRect exposed = (option->exposedRect & rect()).toAlignedRect();
        if (exposed.isEmpty()) {
            return;
        }
        if (picture_.size() != content->size()) {
            picture_ = QImage(content->size(), QImage::Format_ARGB32_Premultiplied);
            picture_.fill(Qt::black);
        }
        // A little more than what changed, so that the smoothed edges of the scaled picture
        // blend with what stands beside it, not with what stood there before.
        const QRect drawn = exposed.adjusted(-margin, -margin, margin, margin) & content->rect();
        content->render(&picture_, drawn.topLeft(), QRegion(drawn));
        painter->save();
        painter->setClipRect(exposed);
        painter->drawImage(drawn, picture_, drawn);
        painter->restore();
    }

private:
    static constexpr int margin = 2;
    QImage picture_;
};

} // namespace

ScaledContentView::ScaledContentView(QWidget* content, QWidget* parent)
    : QGraphicsView(parent) {
    setObjectName(QStringLiteral("scaledContentView"));
    auto* scene = new QGraphicsScene(this);
    // One item that covers the scene: nothing to index.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    proxy_ = new DrawnApartProxy;
    proxy_->setWidget(content);
    scene->addItem(proxy_);
    scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(content->size())));
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    // Around the content, where the window is not of its proportions.
    setBackgroundBrush(Qt::black);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    // The content is opaque and paints its own background.
    setOptimizationFlag(QGraphicsView::DontSavePainterState);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    proxy_->setFocus();
}

ScaledContentView::~ScaledContentView() = default;

void ScaledContentView::setContentScale(double scale) {
    scale_ = scale;
    setTransform(QTransform::fromScale(scale, scale));
}

QPoint ScaledContentView::mapFromContent(const QPoint& point) const {
    return mapFromScene(proxy_->mapToScene(QPointF(point)));
}

void ScaledContentView::keyPressEvent(QKeyEvent* event) {
    // The scene hands the key to the content's focus widget; unused, it goes on to the parent.
    QCoreApplication::sendEvent(scene(), event);
}

} // namespace lumenscroll
