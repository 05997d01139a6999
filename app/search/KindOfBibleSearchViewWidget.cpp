#include "app/search/KindOfBibleSearchViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TranslationChoiceTitle.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace lumenscroll {

namespace {

constexpr int closePadding = 15;
// 400 / 3 points: the list column.
constexpr int listWidth = 133;
constexpr qreal sheetShadowRadius = 24.0;

} // namespace

KindOfBibleSearchViewWidget::KindOfBibleSearchViewWidget(KindOfBibleSearchView view, AppContext& context,
                                                         QWidget* parent)
    : QWidget(parent)
    , view_(std::move(view)) {
    setObjectName(QStringLiteral("kindOfBibleSearchView"));
    setFixedSize(width, height);
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(QColor(0, 0, 0, 90));
    shadow->setBlurRadius(sheetShadowRadius);
    shadow->setOffset(0, 4);
    setGraphicsEffect(shadow);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The header: the title across it, the close button over its trailing end.
    auto* header = new QWidget(this);
    auto* title = translationChoiceTitle(header);
    SymbolButton::Style closeStyle;
    closeStyle.symbol = QStringLiteral("xmark");
    closeStyle.symbolSize = pointSize(TextStyle::title);
    closeStyle.color = Qt::black;
    closeButton_ = new SymbolButton(context.resources(), closeStyle, header);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    auto* closeShadow = new QGraphicsDropShadowEffect(closeButton_);
    closeShadow->setColor(QColor::fromRgbF(0, 0, 0, 0.88f));
    closeShadow->setBlurRadius(35);
    closeShadow->setOffset(0, 0);
    closeButton_->setGraphicsEffect(closeShadow);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { view_.close(); });
    const int headerHeight = std::max(title->sizeHint().height(), closeButton_->height() + 2 * closePadding);
    header->setFixedHeight(headerHeight);
    title->setGeometry(0, (headerHeight - title->sizeHint().height()) / 2, width, title->sizeHint().height());
    closeButton_->move(width - closePadding - closeButton_->width(), closePadding);
    column->addWidget(header);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("translationList"));
    list_->setFixedWidth(listWidth);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setFont(Look::font(TextStyle::title2));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setStyleSheet(QStringLiteral("QListWidget { background: transparent; } "
                                        "QListWidget::item { padding: 4px 0px; color: black; } "
                                        "QListWidget::item:hover { background: #F2F2F7; } "
                                        "QListWidget::item:selected { background: transparent; }"));
    list_->setCursor(Qt::PointingHandCursor);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { view_.choose(list_->row(item)); });
    auto* listRow = new QHBoxLayout();
    listRow->setSpacing(0);
    listRow->addStretch(1);
    listRow->addWidget(list_);
    listRow->addStretch(1);
    column->addLayout(listRow, 1);
    refresh();
}

KindOfBibleSearchViewWidget::~KindOfBibleSearchViewWidget() = default;

void KindOfBibleSearchViewWidget::refresh() {
    const auto rows = static_cast<int>(view_.rowCount());
    if (list_->count() == rows) {
        return;
    }
    list_->clear();
    for (int row = 0; row < rows; ++row) {
        auto* item = new QListWidgetItem(QString::fromStdString(KindOfBibleSearchView::rowLabel(row)), list_);
        item->setTextAlignment(Qt::AlignCenter);
    }
}

void KindOfBibleSearchViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    painter.fillPath(sheet, Qt::white);
}

} // namespace lumenscroll
