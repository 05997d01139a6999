#include "app/reading/SelectionBarWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/Look.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/HighlightSwatchButton.h"
#include "app/reading/KeptPicture.h"
#include "app/reading/SymbolButton.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>

#include <utility>

namespace lumenscroll {

namespace {

constexpr qreal cornerRadius = 10.0;
constexpr int groupSpacing = 30;
constexpr int swatchSpacing = 5;
// The dark capsules behind the white labels.
constexpr int backdropAlpha = 153; // 0.6: white reads at 5.7:1 even on a white gradient stop
constexpr int backdropVerticalPadding = 4;
constexpr int backdropHorizontalPadding = 12;

const QString bookmarkSymbol = QStringLiteral("bookmark");
const QString bookmarkedSymbol = QStringLiteral("bookmark.fill");

// The gradient's colours are random, and white cannot be read on its light ones: each group of
// the bar stands on a dark capsule of its own.
class LabelBackdrop final : public QWidget {
public:
    explicit LabelBackdrop(QWidget* parent)
        : QWidget(parent) {
        setObjectName(QStringLiteral("labelBackdrop"));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(backdropHorizontalPadding, backdropVerticalPadding, backdropHorizontalPadding,
                                   backdropVerticalPadding);
        layout->setSpacing(swatchSpacing);
    }

    void add(QWidget* child) {
        child->setParent(this);
        static_cast<QHBoxLayout*>(layout())->addWidget(child, 0, Qt::AlignVCenter);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        drawKeptPicture(*this, picture_, [this](QPainter& painter) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 0, 0, backdropAlpha));
            const qreal radius = height() / 2.0;
            painter.drawRoundedRect(QRectF(rect()), radius, radius);
        });
    }

private:
    QPixmap picture_;
};

// A caption in white, drawn once: laying its text out again on every frame cost more than the
// rest of the bar.
class Caption final : public QWidget {
public:
    Caption(QString text, const QFont& font, QWidget* parent)
        : QWidget(parent)
        , text_(std::move(text)) {
        setFont(font);
    }

    QSize sizeHint() const override { return QFontMetrics(font()).size(Qt::TextSingleLine, text_); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        drawKeptPicture(*this, picture_, [this](QPainter& painter) {
            painter.setFont(font());
            painter.setPen(Qt::white);
            painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
        });
    }

private:
    QString text_;
    QPixmap picture_;
};

} // namespace

SelectionBarWidget::SelectionBarWidget(AppContext& context, const std::vector<NamedColor>& colors, QWidget* parent)
    : QWidget(parent)
    , face_(new QWidget(this))
    , gradient_(new AnimatableGradientViewWidget(context, Binding<bool>::constant(false), face_))
    , row_(new QWidget(face_)) {
    setObjectName(QStringLiteral("selectionBar"));
    resize(barWidth, barHeight);
    gradient_->setCornerRadius(cornerRadius);

    auto* layout = new QHBoxLayout(row_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(groupSpacing);
    layout->addStretch(1);

    SymbolButton::Style bookmark;
    bookmark.symbol = bookmarkSymbol;
    bookmark.symbolSize = pointSize(TextStyle::title);
    bookmark.caption = QStringLiteral("북마크");
    bookmark.captionFont = Look::font(TextStyle::title3);
    bookmark.orientation = Qt::Horizontal;
    auto* bookmarkGroup = new LabelBackdrop(row_);
    bookmarkButton_ = new SymbolButton(context.resources(), bookmark, bookmarkGroup);
    bookmarkButton_->setObjectName(QStringLiteral("bookmarkButton"));
    connect(bookmarkButton_, &QAbstractButton::clicked, this, &SelectionBarWidget::bookmarkPressed);
    bookmarkGroup->add(bookmarkButton_);
    layout->addWidget(bookmarkGroup, 0, Qt::AlignVCenter);

    auto* highlighter = new LabelBackdrop(row_);
    highlighter->add(new Caption(QStringLiteral("형광펜"), Look::font(TextStyle::title3), highlighter));
    // White, colour 0, is no highlight and has no swatch.
    for (std::size_t c = 1; c < colors.size(); ++c) {
        auto* swatch = new HighlightSwatchButton(Look::color(colors[c]), highlighter);
        swatch->setObjectName(QStringLiteral("highlightColor_%1").arg(c));
        const auto color = static_cast<std::int64_t>(c);
        connect(swatch, &QAbstractButton::clicked, this, [this, color] { emit highlightPressed(color); });
        highlighter->add(swatch);
        swatches_.push_back(swatch);
    }
    layout->addWidget(highlighter, 0, Qt::AlignVCenter);
    layout->addStretch(1);
}

SelectionBarWidget::~SelectionBarWidget() = default;

void SelectionBarWidget::showMarks(bool bookmarked, std::int64_t bgColor) {
    bookmarkButton_->setSymbol(bookmarked ? bookmarkedSymbol : bookmarkSymbol);
    for (std::size_t s = 0; s < swatches_.size(); ++s) {
        swatches_[s]->setChecked(static_cast<std::int64_t>(s) + 1 == bgColor);
    }
}

HighlightSwatchButton* SelectionBarWidget::swatch(std::int64_t color) const {
    if (color < 1 || static_cast<std::size_t>(color) > swatches_.size()) {
        return nullptr;
    }
    return swatches_[static_cast<std::size_t>(color) - 1];
}

void SelectionBarWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    face_->setGeometry(rect());
    gradient_->setGeometry(face_->rect());
    row_->setGeometry(face_->rect());
}

} // namespace lumenscroll
