#include "app/reading/CapsuleButton.h"

#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/Look.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/KeptLabel.h"
#include "app/reading/ReadingFont.h"

#include <QLabel>
#include <QResizeEvent>

namespace lumenscroll {

namespace {

constexpr qreal gradientOpacity = 0.5;
constexpr qreal haloRadius = 30.0;

QString titleFamily() {
    const std::optional<ReadingFont> font = readingFontForFileName("BMDoHyeon");
    return font ? QString::fromUtf8(font->family.data(), static_cast<qsizetype>(font->family.size())) : QString();
}

} // namespace

CapsuleButton::CapsuleButton(AppContext& context, QWidget* parent)
    : QAbstractButton(parent)
    , face_(new QWidget(this))
    , gradient_(new AnimatableGradientViewWidget(context, Binding<bool>::constant(false), face_))
    , label_(new KeptLabel(face_)) {
    setCursor(Qt::PointingHandCursor);

    setGraphicsEffect(
        new DropShadowEffect(Qt::black, haloRadius, QPointF(0, 0), this, DropShadowEffect::Outline::layout));

    // The face draws; the button takes the clicks.
    face_->setAttribute(Qt::WA_TransparentForMouseEvents);
    gradient_->setCornerRadius(AnimatableGradientViewWidget::capsule);
    gradient_->setOpacity(gradientOpacity);

    label_->setFont(Look::font(titleFamily(), fontSize, true));
    label_->setAlignment(Qt::AlignCenter);
    // Inside a button a label would take the button's text role.
    label_->setForegroundRole(QPalette::WindowText);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label_->setPalette(palette);
    resize(sizeHint());
}

CapsuleButton::~CapsuleButton() = default;

QString CapsuleButton::caption() const {
    return label_->text();
}

void CapsuleButton::setCaption(const QString& caption) {
    if (caption == label_->text()) {
        return;
    }
    label_->setText(caption);
    resize(sizeHint());
    updateGeometry();
}

QSize CapsuleButton::sizeHint() const {
    const QFontMetrics metrics(label_->font());
    return {metrics.horizontalAdvance(label_->text()) + 2 * horizontalPadding, metrics.height() + 2 * verticalPadding};
}

QSize CapsuleButton::minimumSizeHint() const {
    return sizeHint();
}

void CapsuleButton::paintEvent(QPaintEvent* /*event*/) {}

void CapsuleButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    face_->setGeometry(rect());
    gradient_->setGeometry(face_->rect());
    label_->setGeometry(face_->rect());
}

} // namespace lumenscroll
