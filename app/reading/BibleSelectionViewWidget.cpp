#include "app/reading/BibleSelectionViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/SheetLook.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/UserSettings.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <utility>

namespace lumenscroll {

namespace {

// The header: the title with 25 points above and below; "이동" 15 points in from the right,
// the close button 15 points in from the top-left corner.
constexpr int titlePadding = 25;
constexpr int buttonPadding = 15;
// The columns, side by side and centred together: 400 / 3 points for the books, 100 for the
// chapters and for the verses.
constexpr int bookColumnWidth = 133;
constexpr int numberColumnWidth = 100;
constexpr int rowPadding = 5;
// The columns end this far above the sheet's rounded bottom edge, so that no row runs into it.
constexpr int columnBottom = 10;

QColor colorOf(NamedColor color, double opacity = 1.0) {
    return Look::color(color, opacity);
}

QListWidget* makeColumn(const QString& name, int columnWidth, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setFixedWidth(columnWidth);
    list->setFrameShape(QFrame::NoFrame);
    list->setFont(Look::font(TextStyle::subheadline));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setCursor(Qt::PointingHandCursor);
    list->viewport()->setAutoFillBackground(false);
    list->setStyleSheet(QStringLiteral("QListWidget { background: transparent; } "
                                       "QListWidget::item { padding: 3px %1px; } ")
                            .arg(rowPadding));
    // A slim bar without arrows, over the narrow column rather than beside it.
    list->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { width: 8px; background: transparent; margin: 2px 0px 2px 0px; }"
        "QScrollBar::handle:vertical { background: #C7C7CC; border-radius: 3px; min-height: 30px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    return list;
}

// Lists `count` rows labelled by `label`, keeping the rows there are when they already read so,
// and colours each as marked or not.
void fillColumn(QListWidget* list, std::int64_t count, const std::function<std::string(std::int64_t)>& label,
                const std::function<bool(std::int64_t)>& marked, const BibleSelectionView& view) {
    const auto rows = static_cast<int>(count);
    const auto text = [&](int row) { return QString::fromStdString(label(row)); };
    if (list->count() != rows || (rows > 0 && list->item(0)->text() != text(0))) {
        list->clear();
        for (int row = 0; row < rows; ++row) {
            auto* item = new QListWidgetItem(text(row), list);
            item->setTextAlignment(Qt::AlignCenter);
        }
    }
    for (int row = 0; row < rows; ++row) {
        const BibleSelectionView::RowColors colors = view.rowColors(marked(row));
        QListWidgetItem* item = list->item(row);
        item->setForeground(colorOf(colors.text));
        item->setBackground(colorOf(colors.background, colors.backgroundOpacity));
    }
}

} // namespace

BibleSelectionViewWidget::BibleSelectionViewWidget(BibleSelectionView view, AppContext& context, QWidget* parent)
    : QWidget(parent)
    , view_(std::move(view))
    , watchers_(context.scheduler()) {
    setObjectName(QStringLiteral("bibleSelectionView"));
    setFixedSize(width, height);
    SheetLook::castShadow(*this);

    const BibleSelectionView::RowColors plain = view_.rowColors(false);
    const QString textColor = colorOf(plain.text).name();

    auto* title = new QLabel(QStringLiteral("성경 선택"), this);
    title->setObjectName(QStringLiteral("title"));
    title->setFont(Look::font(TextStyle::headline));
    title->setStyleSheet(QStringLiteral("color: %1;").arg(textColor));
    title->adjustSize();
    const int headerHeight = title->height() + 2 * titlePadding;
    title->move((width - title->width()) / 2, titlePadding);

    auto* move = new QPushButton(QStringLiteral("이동"), this);
    move->setObjectName(QStringLiteral("moveButton"));
    move->setFont(Look::font(TextStyle::title3));
    move->setFlat(true);
    move->setCursor(Qt::PointingHandCursor);
    move->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; color: %1; padding: 2px; }")
            .arg(textColor));
    move->setGraphicsEffect(new DropShadowEffect(QColor::fromRgbF(0, 0, 0, 0.5f), 15, QPointF(0, 0), move,
                                                 DropShadowEffect::Outline::layout));
    move->adjustSize();
    move->move(width - buttonPadding - move->width(), (headerHeight - move->height()) / 2);
    connect(move, &QAbstractButton::clicked, this, [this] { view_.confirm(); });
    moveButton_ = move;

    SymbolButton* close = SheetLook::closeButton(context.resources(), colorOf(plain.text), this);
    close->move(buttonPadding, buttonPadding);
    connect(close, &QAbstractButton::clicked, this, [this] { view_.close(); });
    closeButton_ = close;

    bookList_ = makeColumn(QStringLiteral("bookList"), bookColumnWidth, this);
    chapterList_ = makeColumn(QStringLiteral("chapterList"), numberColumnWidth, this);
    verseList_ = makeColumn(QStringLiteral("verseList"), numberColumnWidth, this);
    int x = (width - bookColumnWidth - 2 * numberColumnWidth) / 2;
    for (QListWidget* column : {bookList_, chapterList_, verseList_}) {
        column->setGeometry(x, headerHeight, column->width(), height - headerHeight - columnBottom);
        x += column->width();
    }
    // Above the columns, whose rows would otherwise take its clicks.
    close->raise();

    connect(bookList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        view_.tapBook(bookList_->row(item));
        refresh();
        chapterList_->scrollToTop();
        verseList_->scrollToTop();
    });
    connect(chapterList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        view_.tapChapter(chapterList_->row(item));
        refresh();
        verseList_->scrollToTop();
    });
    connect(verseList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        view_.tapVerse(verseList_->row(item));
        refresh();
    });

    watchers_.observe(view_.userSettings);
    watchers_.watch([this] { return rows(); }, [this](const Rows&) { refresh(); });
    refresh();
}

BibleSelectionViewWidget::~BibleSelectionViewWidget() = default;

BibleSelectionViewWidget::Rows BibleSelectionViewWidget::rows() const {
    return {.firstBook = view_.bookLabel(0), .verse = view_.selectedPraise.get(), .books = view_.bookCount()};
}

void BibleSelectionViewWidget::refresh() {
    const BibleSelectionView& view = view_;
    fillColumn(
        bookList_, view.bookCount(), [&](std::int64_t book) { return view.bookLabel(book); },
        [&](std::int64_t book) { return view.isBookMarked(book); }, view);
    fillColumn(chapterList_, view.chapterCount(), &BibleSelectionView::chapterLabel,
               [&](std::int64_t chapter) { return view.isChapterMarked(chapter); }, view);
    fillColumn(verseList_, view.verseCount(), &BibleSelectionView::verseLabel,
               [&](std::int64_t verse) { return view.isVerseMarked(verse); }, view);
}

void BibleSelectionViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (appeared_) {
        return;
    }
    appeared_ = true;
    view_.appear();
    refresh();
    // The page's verse, which the sheet marks from the start, in sight.
    if (QListWidgetItem* verse = verseList_->item(static_cast<int>(view_.selectedPraise.get()))) {
        verseList_->scrollToItem(verse, QAbstractItemView::PositionAtCenter);
    }
}

void BibleSelectionViewWidget::paintEvent(QPaintEvent*) {
    const BibleSelectionView::RowColors plain = view_.rowColors(false);
    SheetLook::paint(*this, colorOf(plain.background, plain.backgroundOpacity));
}

} // namespace lumenscroll
