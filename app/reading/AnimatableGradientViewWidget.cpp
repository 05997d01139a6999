#include "app/reading/AnimatableGradientViewWidget.h"

#include "app/reading/CornerSquares.h"
#include "app/reading/PanelShadow.h"

#include <QColor>
#include <QHideEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QShowEvent>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

using Color = AnimatableGradientView::Color;
using Colors = std::vector<Color>;

// Where colour `i` of `count` stands: spread evenly from 0 to 1.
double stopOf(std::size_t i, std::size_t count) {
    return count <= 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(count - 1);
}

Color mix(const Color& from, const Color& to, double fraction) {
    const auto between = [fraction](double a, double b) { return a + (b - a) * fraction; };
    return Color{between(from.red, to.red), between(from.green, to.green), between(from.blue, to.blue),
                 between(from.opacity, to.opacity)};
}

// The colour a gradient of evenly spread `colors` has at `position`.
Color colorAt(const Colors& colors, double position) {
    if (colors.empty()) {
        return Color{0.0, 0.0, 0.0, 0.0};
    }
    if (colors.size() == 1 || position <= 0.0) {
        return colors.front();
    }
    const double scaled = position * static_cast<double>(colors.size() - 1);
    const auto below = std::min(static_cast<std::size_t>(scaled), colors.size() - 2);
    return mix(colors[below], colors[below + 1], scaled - static_cast<double>(below));
}

// The stops of both gradients: between two of them either changes evenly, and so does any
// mixture of the two.
std::vector<double> stopsOf(const Colors& lower, const Colors& upper) {
    std::vector<double> stops;
    for (const Colors* colors : {&lower, &upper}) {
        for (std::size_t i = 0; i < colors->size(); ++i) {
            stops.push_back(stopOf(i, colors->size()));
        }
    }
    std::sort(stops.begin(), stops.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    return stops;
}

QColor toQColor(const Color& color) {
    return QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                            static_cast<float>(color.blue), static_cast<float>(color.opacity));
}

// The lower plane with the upper one over it at `upperOpacity`, as the one diagonal gradient
// (top left to bottom right) that draws the same: both planes are opaque, so the mixture is
// their colours mixed stop by stop, and one fill does the work of two.
QLinearGradient mixedDiagonal(const QRectF& area, const Colors& lower, const Colors& upper,
                              double upperOpacity) {
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    for (const double stop : stopsOf(lower, upper)) {
        gradient.setColorAt(stop, toQColor(mix(colorAt(lower, stop), colorAt(upper, stop), upperOpacity)));
    }
    return gradient;
}

// The most any drawn colour component changes between the two planes, from 0 to 1.
double largestChange(const Colors& lower, const Colors& upper) {
    double largest = 0.0;
    for (const double stop : stopsOf(lower, upper)) {
        const Color a = colorAt(lower, stop);
        const Color b = colorAt(upper, stop);
        largest = std::max({largest, std::abs(a.red - b.red), std::abs(a.green - b.green),
                            std::abs(a.blue - b.blue), std::abs(a.opacity - b.opacity)});
    }
    return largest;
}

QEasingCurve easeIn() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(1.0, 1.0), QPointF(1.0, 1.0));
    return curve;
}

} // namespace

AnimatableGradientViewWidget::AnimatableGradientViewWidget(AppContext& context, Binding<bool> colored,
                                                           QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , view_(context, std::move(colored))
    , shownUpperOpacity_(view_.upperPlaneOpacity())
    , active_(context.activity().isActive())
    , fadeTime_(context.frames()) {
    setObjectName(QStringLiteral("animatableGradientView"));
    // A background: clicks go to what lies on it first, and the button takes those they leave
    // on their way to the parent.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
    changes_ = view_.onChange([this](AnimatableGradientView::Fade change) { fade(change); });
    activity_ = context.activity().onChange([this](bool active) { setRunning(shown_, active); });
}

AnimatableGradientViewWidget::~AnimatableGradientViewWidget() {
    activity_.cancel();
    changes_.cancel();
    frameTimer_.cancel();
}

void AnimatableGradientViewWidget::setCornerRadius(qreal radius) {
    cornerRadius_ = radius;
    outline_ = QImage();
    update();
}

void AnimatableGradientViewWidget::setOpacity(qreal opacity) {
    opacity_ = opacity;
    update();
}

void AnimatableGradientViewWidget::fade(AnimatableGradientView::Fade change) {
    frameTimer_.cancel();
    fadeFrom_ = shownUpperOpacity_;
    fadeTo_ = view_.upperPlaneOpacity();
    frame_ = 0;
    frames_ = 0;
    fadeTime_.reset();
    const Animations& animations = context_.animations();
    const Animations::Curve curve =
        change == AnimatableGradientView::Fade::easeIn
            ? animations.timed(AnimatableGradientView::fadeDuration, easeIn())
            : animations.timed(AnimatableGradientView::fadeDuration, QEasingCurve(QEasingCurve::Linear));
    const bool transparent = view_.colored();
    if (change == AnimatableGradientView::Fade::none || curve.duration.count() <= 0 || transparent ||
        !isInSight()) {
        // Nothing to see in between: a transparent view shows the new planes when it turns, one
        // out of sight when it comes into sight.
        shownUpperOpacity_ = fadeTo_;
        if (!transparent) {
            update();
        }
        return;
    }
    // As many frames as the colours have steps to show, at most one every shortest interval.
    const double steps = largestChange(view_.gradientA(), view_.gradientB()) * std::abs(fadeTo_ - fadeFrom_) *
                         std::clamp(opacity_, 0.0, 1.0) * 255.0 / componentStepPerFrame;
    const auto mostFrames = static_cast<int>(curve.duration / shortestFrameInterval);
    frames_ = std::clamp(static_cast<int>(std::ceil(steps)), 1, std::max(1, mostFrames));
    frameInterval_ = curve.duration / frames_;
    easing_ = curve.easing;
    runFrames();
}

void AnimatableGradientViewWidget::runFrames() {
    if (!isRunning() || !isFading() || frameTimer_.isActive()) {
        return;
    }
    fadeTime_.resume();
    frameTimer_ = context_.frames().onFrame([this] { nextFrame(); });
}

void AnimatableGradientViewWidget::nextFrame() {
    // The clock beats faster than the colours step: only a beat that reaches the next step
    // changes what is drawn.
    const auto due = static_cast<int>(fadeTime_.elapsed() / frameInterval_);
    if (due <= frame_) {
        return;
    }
    frame_ = std::min(due, frames_);
    const double progress = static_cast<double>(frame_) / static_cast<double>(frames_);
    shownUpperOpacity_ = fadeFrom_ + (fadeTo_ - fadeFrom_) * easing_.valueForProgress(progress);
    if (!isFading()) {
        frameTimer_.cancel();
    }
    // Turned transparent during the fade: the planes it shows when it turns back are enough.
    if (!view_.colored()) {
        update();
    }
}

bool AnimatableGradientViewWidget::isInSight() const {
    QRect area = rect();
    for (const QWidget* widget = this; !widget->isWindow() && widget->parentWidget() != nullptr;
         widget = widget->parentWidget()) {
        area.translate(widget->pos());
        area &= widget->parentWidget()->rect();
        if (area.isEmpty() || isUnderAPanel(*widget, area)) {
            return false;
        }
    }
    return true;
}

bool AnimatableGradientViewWidget::isUnderAPanel(const QWidget& widget, const QRect& area) {
    // A panel's shadow stands just under the panel, above what the panel covers, and knows its
    // outline (a page's capsules under its search page).
    const QObjectList& siblings = widget.parentWidget()->children();
    for (auto above = siblings.begin() + siblings.indexOf(&widget) + 1; above != siblings.end(); ++above) {
        if (const auto* shadow = qobject_cast<const PanelShadow*>(*above); shadow != nullptr && shadow->hides(area)) {
            return true;
        }
    }
    return false;
}

void AnimatableGradientViewWidget::setRunning(bool shown, bool active) {
    const bool wasRunning = isRunning();
    shown_ = shown;
    active_ = active;
    if (isRunning() == wasRunning) {
        return;
    }
    if (isRunning()) {
        view_.startTimer();
        runFrames();
    } else {
        // Held where it stands, to go on from there.
        view_.stopTimer();
        if (frameTimer_.isActive()) {
            fadeTime_.hold();
            frameTimer_.cancel();
        }
    }
}

bool AnimatableGradientViewWidget::event(QEvent* event) {
    if (event->type() == QEvent::ParentAboutToChange && parentWidget() != nullptr) {
        parentWidget()->removeEventFilter(this);
        press_.reset();
    } else if (event->type() == QEvent::ParentChange && parentWidget() != nullptr) {
        parentWidget()->installEventFilter(this);
    }
    return QWidget::event(event);
}

bool AnimatableGradientViewWidget::isButtonAt(const QPointF& position) const {
    if (!isVisible() || view_.colored()) {
        return false;
    }
    QPainterPath outline;
    const qreal radius = outlineRadius();
    outline.addRoundedRect(QRectF(geometry()), radius, radius);
    return outline.contains(position);
}

bool AnimatableGradientViewWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != parentWidget()) {
        return false;
    }
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    if (type != QEvent::MouseButtonRelease) {
        if (!isButtonAt(mouse->position())) {
            return false;
        }
        press_ = mouse->globalPosition();
        mouse->accept();
        return true;
    }
    if (!press_) {
        return false;
    }
    const QPointF pressed = *std::exchange(press_, std::nullopt);
    if (isButtonAt(mouse->position()) && (mouse->globalPosition() - pressed).manhattanLength() <= clickSlop) {
        view_.pressButton();
    }
    mouse->accept();
    return true;
}

void AnimatableGradientViewWidget::paintEvent(QPaintEvent* /*event*/) {
    if (view_.colored()) {
        return;
    }
    QPainter painter(this);
    painter.setOpacity(opacity_);
    const QRectF area = rect();
    const QLinearGradient gradient =
        mixedDiagonal(area, view_.gradientA(), view_.gradientB(), shownUpperOpacity_);
    if (cornerRadius_ == 0.0) {
        painter.fillRect(area, gradient);
        return;
    }
    // Where the outline is a rectangle the gradient is filled straight away; only the corners
    // go through the outline's coverage.
    const QRegion corners = cornerSquares(rect(), outlineRadius());
    painter.save();
    painter.setClipRegion(QRegion(rect()) - corners);
    painter.fillRect(area, gradient);
    painter.restore();
    painter.setClipRegion(corners);
    painter.drawImage(QPointF(0, 0), outlined(gradient));
}

qreal AnimatableGradientViewWidget::outlineRadius() const {
    const qreal shorter = std::min(width(), height()) / 2.0;
    return cornerRadius_ < 0.0 ? shorter : std::min(cornerRadius_, shorter);
}

const QImage& AnimatableGradientViewWidget::outlined(const QGradient& gradient) {
    // A rectangle fill and two copies, row by row, in the corners: an antialiased shape filled
    // with a gradient straight away would cost as much again, every frame, in the painter's
    // helper threads.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const QRectF area(QPointF(0, 0), QSizeF(size()));
    if (outline_.size() != pixels) {
        outline_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        outline_.setDevicePixelRatio(ratio);
        outline_.fill(Qt::transparent);
        const qreal radius = outlineRadius();
        QPainter shape(&outline_);
        shape.setRenderHint(QPainter::Antialiasing);
        shape.setPen(Qt::NoPen);
        shape.setBrush(Qt::white);
        shape.drawRoundedRect(area, radius, radius);
        outlinedFrame_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        outlinedFrame_.setDevicePixelRatio(ratio);
    }
    QPainter frame(&outlinedFrame_);
    // Only the corners are drawn from it.
    frame.setClipRegion(cornerSquares(rect(), outlineRadius()));
    frame.setCompositionMode(QPainter::CompositionMode_Source);
    frame.drawImage(QPointF(0, 0), outline_);
    frame.setCompositionMode(QPainter::CompositionMode_SourceIn);
    frame.fillRect(area, gradient);
    return outlinedFrame_;
}

void AnimatableGradientViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setRunning(true, active_);
}

void AnimatableGradientViewWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden, or its window minimised: nobody sees it either way.
    setRunning(false, active_);
    press_.reset();
    outline_ = QImage();
    outlinedFrame_ = QImage();
}

void AnimatableGradientViewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    outline_ = QImage();
}

} // namespace lumenscroll
