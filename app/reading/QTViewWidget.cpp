#include "app/reading/QTViewWidget.h"

#include "app/reading/ReadingFontFace.h"

#include <QHBoxLayout>
#include <QLabel>

#include <utility>

namespace lumenscroll {

namespace {

constexpr int linePadding = 5;

} // namespace

QTViewWidget::QTViewWidget(QTView view, QWidget* parent)
    : QWidget(parent)
    , view_(std::move(view)) {
    setObjectName(QStringLiteral("qtView"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* line = new QLabel(this);
    line->setObjectName(QStringLiteral("noteLine"));
    line->setFont(readingFontFace(view_.noteFont(), QTView::noteFontSize));
    line->setStyleSheet(QStringLiteral("color: black;"));
    line->setContentsMargins(linePadding, 0, 0, linePadding);
    // An empty label has no height of its own: the line is as tall as one line of the font.
    line->setMinimumHeight(line->fontMetrics().height() + linePadding);
    row->addStretch(1);
    row->addWidget(line, 0, Qt::AlignTop);
    row->addStretch(1);
}

QTViewWidget::~QTViewWidget() = default;

} // namespace lumenscroll
