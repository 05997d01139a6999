#include "app/shell/MainBarButton.h"

#include "app/platform/Look.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/KeptLabel.h"
#include "app/reading/SymbolIcon.h"
#include "app/shell/MainView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>

namespace lumenscroll {

namespace {

constexpr int symbolSpacing = 6;
constexpr int verticalPadding = 10;
// The platform's default padding.
constexpr int horizontalPadding = 16;
constexpr int symbolSize = 24;

void passClicksThrough(QWidget* widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

const MainView::BarButton& barButton(std::int64_t index) {
    for (const MainView::BarButton& button : MainView::barButtons()) {
        if (button.index == index) {
            return button;
        }
    }
    return MainView::barButtons().front();
}

} // namespace

MainBarButton::MainBarButton(MainView& view, std::int64_t buttonIndex, QWidget* parent)
    : QAbstractButton(parent)
    , view_(view)
    , buttonIndex_(buttonIndex)
    , symbol_(QString::fromUtf8(barButton(buttonIndex).symbol))
    , face_(new QWidget(this)) {
    const QString label = QString::fromUtf8(barButton(buttonIndex).label);
    setText(label);

    passClicksThrough(face_);

    // Colored true means "show nothing": only the selected button shows the gradient.
    gradient_ = new AnimatableGradientViewWidget(
        view.context(), Binding<bool>([this] { return view_.index() != buttonIndex_; }, [](const bool&) {}), face_);
    gradient_->setCornerRadius(AnimatableGradientViewWidget::capsule);
    passClicksThrough(gradient_);

    symbolLabel_ = new QLabel(face_);
    symbolLabel_->setFixedSize(symbolSize, symbolSize);
    passClicksThrough(symbolLabel_);
    textLabel_ = new KeptLabel(label, face_);
    textLabel_->setFont(Look::font(TextStyle::title));
    // Inside a button a label would take the button's text colour.
    textLabel_->setForegroundRole(QPalette::WindowText);
    passClicksThrough(textLabel_);

    auto* layout = new QHBoxLayout(face_);
    layout->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding, verticalPadding);
    layout->setSpacing(symbolSpacing);
    layout->addWidget(symbolLabel_);
    layout->addWidget(textLabel_);

    shadow_ = new DropShadowEffect(Look::color(NamedColor::black, 0.4), 10, QPointF(0, 0), this,
                                   DropShadowEffect::Outline::layout);
    setGraphicsEffect(shadow_);

    refresh();
}

MainBarButton::~MainBarButton() = default;

void MainBarButton::refresh() {
    const QColor color = Look::color(view_.labelColor(buttonIndex_));
    QPalette palette = textLabel_->palette();
    palette.setColor(QPalette::WindowText, color);
    textLabel_->setPalette(palette);
    symbolLabel_->setPixmap(
        SymbolIcon::pixmap(view_.context().resources(), symbol_, color, symbolSize, devicePixelRatioF()));
    // The gradient came or went: the whole button with its shadow, or the old capsule's shadow
    // would stay standing outside the button.
    shadow_->outlineChanged();
    update();
}

QSize MainBarButton::sizeHint() const {
    return face_->sizeHint();
}

QSize MainBarButton::minimumSizeHint() const {
    return face_->minimumSizeHint();
}

void MainBarButton::paintEvent(QPaintEvent*) {
    // The face and its children draw everything.
}

void MainBarButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    face_->setGeometry(rect());
    gradient_->setGeometry(face_->rect());
    gradient_->lower();
}

} // namespace lumenscroll
