#include "app/reading/TranslationChoiceSheet.h"

#include "app/model/BibleKind.h"
#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/SheetLook.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TranslationChoiceTitle.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace lumenscroll {

namespace {

constexpr int closePadding = 15;
// 400 / 3 points: the list column.
constexpr int listWidth = 133;

} // namespace

TranslationChoiceSheet::TranslationChoiceSheet(AppContext& context, QWidget* parent)
    : QWidget(parent) {
    setFixedSize(width, height);
    SheetLook::castShadow(*this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The header: the title across it, the close button over its trailing end.
    auto* header = new QWidget(this);
    auto* title = translationChoiceTitle(header);
    closeButton_ = SheetLook::closeButton(context.resources(), Qt::black, header);
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { closeSheet(); });
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
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { chooseRow(list_->row(item)); });
    auto* listRow = new QHBoxLayout();
    listRow->setSpacing(0);
    listRow->addStretch(1);
    listRow->addWidget(list_);
    listRow->addStretch(1);
    column->addLayout(listRow, 1);
}

TranslationChoiceSheet::~TranslationChoiceSheet() = default;

void TranslationChoiceSheet::refresh() {
    const auto rows = static_cast<int>(rowCount());
    if (list_->count() == rows) {
        return;
    }
    list_->clear();
    for (int row = 0; row < rows; ++row) {
        const std::string_view name = translationDisplayName(row);
        auto* item = new QListWidgetItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), list_);
        item->setTextAlignment(Qt::AlignCenter);
    }
}

void TranslationChoiceSheet::paintEvent(QPaintEvent*) {
    SheetLook::paint(*this, Qt::white);
}

} // namespace lumenscroll
