#include "app/search/SearchBarWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/Look.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/SymbolIcon.h"
#include "app/reading/TextHalo.h"
#include "app/search/SearchBar.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

namespace lumenscroll {

namespace {

// The platform's default padding around the box, and its spacing between items.
constexpr int outerPadding = 16;
constexpr int spacing = 8;
constexpr int boxVerticalPadding = 4;
constexpr int boxHorizontalPadding = 8;
constexpr int labelPadding = 3;
constexpr qreal labelShadowRadius = 30.0;
constexpr qreal textHaloRadius = 6.0;
constexpr int buttonSymbolSize = 16;
const QColor buttonColor(0x6E, 0x6E, 0x73);

// The translation label: the name and a magnifying glass in white on the animated gradient,
// clipped to a capsule, with a wide black shadow. The whole capsule is the button.
class TranslationLabel : public QAbstractButton {
public:
    TranslationLabel(AppContext& context, QLabel*& name, QWidget* parent)
        : QAbstractButton(parent)
        , face_(new QWidget(this)) {
        setCursor(Qt::PointingHandCursor);
        setGraphicsEffect(new DropShadowEffect(Qt::black, labelShadowRadius, QPointF(0, 0), this,
                                               DropShadowEffect::Outline::layout));

        face_->setAttribute(Qt::WA_TransparentForMouseEvents);
        gradient_ = new AnimatableGradientViewWidget(context, Binding<bool>::constant(false), face_);
        gradient_->setCornerRadius(AnimatableGradientViewWidget::capsule);
        halo_ = new TextHalo(QColor(0, 0, 0, 160), textHaloRadius, face_);

        auto* row = new QHBoxLayout(face_);
        row->setContentsMargins(labelPadding + spacing / 2, labelPadding, labelPadding + spacing / 2,
                                labelPadding);
        row->setSpacing(spacing);
        name = new QLabel(face_);
        name->setObjectName(QStringLiteral("translationName"));
        name->setFont(Look::font(TextStyle::body));
        name->setStyleSheet(QStringLiteral("color: white;"));
        auto* glass = new QLabel(face_);
        const int side = QFontMetrics(name->font()).height();
        glass->setPixmap(SymbolIcon::pixmap(context.resources(), QStringLiteral("magnifyingglass"), Qt::white,
                                            side, devicePixelRatioF()));
        // White on whatever colours the gradient takes: a dark halo keeps it readable on the light ones.
        halo_->setLabels({name, glass});
        row->addWidget(name);
        row->addWidget(glass);
    }

    QSize sizeHint() const override { return face_->sizeHint(); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {}
    void resizeEvent(QResizeEvent* event) override {
        QAbstractButton::resizeEvent(event);
        face_->setGeometry(rect());
        gradient_->setGeometry(face_->rect());
        halo_->setGeometry(face_->rect());
    }

private:
    QWidget* face_;
    AnimatableGradientViewWidget* gradient_ = nullptr;
    TextHalo* halo_ = nullptr;
};

SymbolButton* barButton(const ResourceLocator& resources, const QString& symbol, QWidget* parent) {
    SymbolButton::Style style;
    style.symbol = symbol;
    style.symbolSize = buttonSymbolSize;
    style.color = buttonColor;
    return new SymbolButton(resources, style, parent);
}

} // namespace

SearchBarWidget::SearchBarWidget(SearchBar& bar, AppContext& context, QWidget* parent)
    : QWidget(parent)
    , bar_(bar)
    , box_(new QWidget(this)) {
    setObjectName(QStringLiteral("searchBar"));
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(outerPadding, 0, outerPadding, 0);
    outer->addWidget(box_);

    auto* row = new QHBoxLayout(box_);
    row->setContentsMargins(boxHorizontalPadding, boxVerticalPadding, boxHorizontalPadding,
                            boxVerticalPadding);
    row->setSpacing(spacing);

    translationLabel_ = new TranslationLabel(context, translationName_, box_);
    translationLabel_->setObjectName(QStringLiteral("translationLabel"));
    connect(translationLabel_, &QAbstractButton::clicked, this, [this] { bar_.openChooser(); });

    queryField_ = new QLineEdit(box_);
    queryField_->setObjectName(QStringLiteral("queryField"));
    queryField_->setPlaceholderText(QStringLiteral("Search"));
    queryField_->setFrame(false);
    queryField_->setFont(Look::font(TextStyle::body));
    queryField_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: black; }"));
    connect(queryField_, &QLineEdit::textEdited, this,
            [this](const QString& text) { bar_.text.set(text.toStdString()); });
    connect(queryField_, &QLineEdit::returnPressed, this, [this] { bar_.startSearch(); });

    searchButton_ = barButton(context.resources(), QStringLiteral("magnifyingglass"), box_);
    searchButton_->setObjectName(QStringLiteral("searchButton"));
    connect(searchButton_, &QAbstractButton::clicked, this, [this] { bar_.startSearch(); });

    clearButton_ = barButton(context.resources(), QStringLiteral("xmark.circle.fill"), box_);
    clearButton_->setObjectName(QStringLiteral("clearButton"));
    connect(clearButton_, &QAbstractButton::clicked, this, [this] { bar_.clear(); });

    row->addWidget(translationLabel_);
    row->addWidget(queryField_, 1);
    row->addWidget(searchButton_);
    row->addWidget(clearButton_);
    refresh();
}

SearchBarWidget::~SearchBarWidget() = default;

void SearchBarWidget::refresh() {
    const QString label = QString::fromStdString(bar_.label());
    if (translationName_->text() != label) {
        translationName_->setText(label);
        translationLabel_->updateGeometry();
    }
    const QString text = QString::fromStdString(bar_.text.get());
    if (queryField_->text() != text) {
        queryField_->setText(text);
    }
    clearButton_->setVisible(bar_.isClearButtonShown());
    if (bar_.isFocused && !focusTaken_) {
        focusTaken_ = true;
        queryField_->setFocus(Qt::OtherFocusReason);
    }
}

void SearchBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(QRectF(box_->geometry()), boxCornerRadius, boxCornerRadius);
    painter.fillPath(box, Qt::white);
}

} // namespace lumenscroll
