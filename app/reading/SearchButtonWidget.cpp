#include "app/reading/SearchButtonWidget.h"

#include "app/platform/Look.h"

#include <utility>

namespace lumenscroll {

namespace {

SymbolButton::Style searchStyle() {
    SymbolButton::Style style;
    style.symbol = QStringLiteral("magnifyingglass");
    style.symbolSize = 30;
    style.caption = QStringLiteral("검색");
    style.captionFont = Look::font(TextStyle::headline);
    style.shadow = true;
    return style;
}

} // namespace

SearchButtonWidget::SearchButtonWidget(SearchButton button, const ResourceLocator& resources, QWidget* parent)
    : SymbolButton(resources, searchStyle(), parent)
    , button_(std::move(button)) {
    setObjectName(QStringLiteral("searchButton"));
    connect(this, &QAbstractButton::clicked, this, [this] { button_.press(); });
}

SearchButtonWidget::~SearchButtonWidget() = default;

} // namespace lumenscroll
