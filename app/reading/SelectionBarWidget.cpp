#include "app/reading/SelectionBarWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/Look.h"
#include "app/reading/AnimatableGradientViewWidget.h"
#include "app/reading/HighlightSwatchButton.h"
#include "app/reading/RoundedClipEffect.h"
#include "app/reading/SymbolButton.h"

#include <QHBoxLayout>
#include <QLabel>

namespace lumenscroll {

namespace {

constexpr qreal cornerRadius = 10.0;
constexpr int groupSpacing = 30;
constexpr int swatchSpacing = 5;

const QString bookmarkSymbol = QStringLiteral("bookmark");
const QString bookmarkedSymbol = QStringLiteral("bookmark.fill");

} // namespace

SelectionBarWidget::SelectionBarWidget(AppContext& context, const std::vector<NamedColor>& colors, QWidget* parent)
    : QWidget(parent)
    , face_(new QWidget(this))
    , gradient_(new AnimatableGradientViewWidget(context, Binding<bool>::constant(false), face_))
    , row_(new QWidget(face_)) {
    setObjectName(QStringLiteral("selectionBar"));
    resize(barWidth, barHeight);
    face_->setGraphicsEffect(new RoundedClipEffect(cornerRadius, face_));

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
    bookmarkButton_ = new SymbolButton(context.resources(), bookmark, row_);
    bookmarkButton_->setObjectName(QStringLiteral("bookmarkButton"));
    connect(bookmarkButton_, &QAbstractButton::clicked, this, &SelectionBarWidget::bookmarkPressed);
    layout->addWidget(bookmarkButton_, 0, Qt::AlignVCenter);

    auto* highlighter = new QWidget(row_);
    auto* group = new QHBoxLayout(highlighter);
    group->setContentsMargins(0, 0, 0, 0);
    group->setSpacing(swatchSpacing);
    auto* label = new QLabel(QStringLiteral("형광펜"), highlighter);
    label->setFont(Look::font(TextStyle::title3));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    group->addWidget(label, 0, Qt::AlignVCenter);
    // White, colour 0, is no highlight and has no swatch.
    for (std::size_t c = 1; c < colors.size(); ++c) {
        auto* swatch = new HighlightSwatchButton(Look::color(colors[c]), highlighter);
        swatch->setObjectName(QStringLiteral("highlightColor_%1").arg(c));
        const auto color = static_cast<std::int64_t>(c);
        connect(swatch, &QAbstractButton::clicked, this, [this, color] { emit highlightPressed(color); });
        group->addWidget(swatch, 0, Qt::AlignVCenter);
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
