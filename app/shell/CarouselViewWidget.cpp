#include "app/shell/CarouselViewWidget.h"

#include "app/reading/UserSettings.h"
#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/BibleViewWidget.h"
#include "app/reading/NoticeCapsule.h"
#include "app/reading/SheetBackdrop.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TopAreaPanel.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewPageCell.h"
#include "app/shell/PagingCarouselViewModel.h"
#include "app/shell/PagingCarouselWidget.h"
#include "app/shell/TopAreaPanels.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace lumenscroll {

namespace {

constexpr double backgroundOpacity = 0.2;
// The close button: a large-title symbol, 40 points in from the right edge and 70 below the
// top of the column it heads.
constexpr int closeSymbolSize = 30;
constexpr int closeTrailing = 40;
constexpr int closeTop = 70;
// The platform's spacing between the close button and the counter.
constexpr int columnSpacing = 8;
constexpr int counterBottom = 10;
// The notice: a dark capsule near the bottom of the area, wrapped past this width.
constexpr int toastBottom = 40;
constexpr int toastMaximumWidth = 700;

} // namespace

CarouselViewWidget::CarouselViewWidget(CarouselView& view, QWidget* parent, PageFactory pageFactory,
                                       MoviePlayer* aboutMovie)
    : QWidget(parent)
    , view_(view)
    , panels_(std::make_unique<TopAreaPanels>(view, aboutMovie))
    , pageFactory_(pageFactory ? std::move(pageFactory) : PageFactory([this](BibleView page) -> QWidget* {
        return new BibleViewWidget(std::move(page), nullptr, panels_.get());
    }))
    , watchers_(view.context().scheduler()) {
    setObjectName(QStringLiteral("carouselView"));
    resize(width, height);

    SymbolButton::Style close;
    close.symbol = QStringLiteral("xmark.circle.fill");
    close.symbolSize = closeSymbolSize;
    close.color = Qt::white;
    closeButton_ = new SymbolButton(view_.context().resources(), close, this);
    closeButton_->setObjectName(QStringLiteral("closePageButton"));
    closeButton_->resize(closeButton_->sizeHint());
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { closeCurrentPage(); });

    pageCounter_ = new QLabel(this);
    pageCounter_->setObjectName(QStringLiteral("pageCounter"));
    pageCounter_->setFont(Look::font(TextStyle::title2));
    pageCounter_->setAlignment(Qt::AlignCenter);
    pageCounter_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    toast_ = new NoticeCapsule(this);
    toast_->setObjectName(QStringLiteral("toast"));
    toast_->hide();

    watchers_.observe(view_);
    watchers_.observe(view_.userSettings);
    watchers_.watch([this] { return std::pair(view_.pageCount(), view_.selectedTab()); },
                    [this](const std::pair<std::int64_t, std::int64_t>&) { syncCarousel(); });
    watchers_.watch([this] { return std::pair(view_.isCloseButtonShown(), view_.pageCounterText()); },
                    [this](const std::pair<bool, std::string>&) { refreshOverlay(); });
    watchers_.watch([this] { return std::pair(view_.showToast(), view_.toastMessage()); },
                    [this](const std::pair<bool, std::string>&) { refreshToast(); });
    watchers_.watch([this] { return view_.isShrinked(); }, [this](bool shown) { overviewChanged(shown); });

    // A click with Option held is seen on its way to whichever page widget it is for.
    qApp->installEventFilter(this);
    syncCarousel();
    refreshOverlay();
    refreshToast();
}

CarouselViewWidget::~CarouselViewWidget() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
    // The drawing before the model it draws.
    delete carousel_;
    carousel_ = nullptr;
    model_.reset();
}

CarouselViewPageCell* CarouselViewWidget::cell(int index) const {
    return carousel_ != nullptr ? qobject_cast<CarouselViewPageCell*>(carousel_->pageAt(index)) : nullptr;
}

void CarouselViewWidget::syncCarousel() {
    if (!view_.isCarouselShown()) {
        delete carousel_;
        carousel_ = nullptr;
        model_.reset();
        return;
    }
    const int count = static_cast<int>(view_.pageCount());
    if (model_) {
        model_->update(count);
        return;
    }
    Binding<int> index([this] { return static_cast<int>(view_.selectedTab()); },
                       [this](const int& value) { view_.selectedTab.set(value); });
    AppContext& context = view_.context();
    model_ = std::make_unique<PagingCarouselViewModel>(context, count, std::move(index),
                                                       PagingCarouselViewModel::Options{
                                                           .spacing = spacing,
                                                           .headspace = headspace,
                                                           .sidesScaling = sidesScaling,
                                                           .isWrap = false,
                                                           .autoScroll = PagingCarouselAutoScroll::inactive(),
                                                           .canMove = true,
                                                       });
    carousel_ = new PagingCarouselWidget(
        *model_, context.animations(),
        [this](int item) -> QWidget* {
            return new CarouselViewPageCell(view_, item, [this, item](Binding<std::int64_t> index) {
                BibleView page = view_.pageCell(item);
                // The page follows its cell when pages before it close.
                page.pageIndex = std::move(index);
                return pageFactory_(std::move(page));
            });
        },
        this);
    carousel_->setGeometry(0, carouselTop, width, carouselHeight);
    carousel_->lower();
    carousel_->show();
}

void CarouselViewWidget::closeCurrentPage() {
    const std::int64_t closed = view_.selectedTab();
    const std::int64_t count = view_.pageCount();
    view_.deletePage();
    if (carousel_ == nullptr || view_.pageCount() != count - 1) {
        return;
    }
    // The pages that stay keep their widgets: the closed one goes, the ones after it move
    // down, before the carousel hears of the new count.
    carousel_->removePage(static_cast<int>(closed));
    for (int index = static_cast<int>(closed); index < carousel_->pageCount(); ++index) {
        CarouselViewPageCell* moved = cell(index);
        if (moved == nullptr) {
            continue;
        }
        moved->setIndex(index);
        if (auto* page = qobject_cast<BibleViewWidget*>(moved->page())) {
            page->reactions().pageMoved(index);
        }
    }
}

void CarouselViewWidget::refreshOverlay() {
    const bool closeShown = view_.isCloseButtonShown();
    const QString counter = QString::fromStdString(view_.pageCounterText());
    closeButton_->setVisible(closeShown);
    pageCounter_->setText(counter);
    pageCounter_->setVisible(!counter.isEmpty());

    // The close button heads a column centred in the area, above where the counter would
    // follow it.
    const int closeRow = closeShown ? closeTop + closeButton_->height() : 0;
    const int counterHeight = counter.isEmpty() ? 0 : QFontMetrics(pageCounter_->font()).height();
    const int spacingHeight = closeShown && !counter.isEmpty() ? columnSpacing : 0;
    const int columnHeight = closeRow + spacingHeight + counterHeight + counterBottom;
    const int top = (height - columnHeight) / 2;
    closeButton_->move(width - closeTrailing - closeButton_->width(), top + closeTop);
    // The counter itself stands in the dark band under the shrunk page: white there reads at a
    // glance, where in the column's place it would lie on the page's verses.
    const double pageBottom = carouselTop + CarouselViewPageCell::pageTop +
                              CarouselViewPageCell::pageHeight * (1.0 + CarouselView::shrunkScale) / 2.0;
    const int band = height - static_cast<int>(pageBottom);
    pageCounter_->setGeometry(0, height - band + (band - counterHeight) / 2, width, counterHeight);
    closeButton_->raise();
    pageCounter_->raise();
    placeToast();
}

void CarouselViewWidget::refreshToast() {
    toast_->setText(QString::fromStdString(view_.toastMessage()));
    toast_->setVisible(view_.showToast());
    placeToast();
}

void CarouselViewWidget::placeToast() {
    const QSize size = toast_->sizeFor(toastMaximumWidth);
    // Near the bottom, and above the page counter while it shows.
    int bottom = height - toastBottom;
    if (pageCounter_->isVisibleTo(this)) {
        bottom = std::min(bottom, pageCounter_->y() - columnSpacing);
    }
    toast_->setGeometry((width - size.width()) / 2, bottom - size.height(), size.width(), size.height());
    toast_->raise();
}

void CarouselViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        view_.appear();
    }
}

void CarouselViewWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Look::color(NamedColor::gray, backgroundOpacity));
}

BibleViewWidget* CarouselViewWidget::pageOnScreen() const {
    CarouselViewPageCell* shown = cell(static_cast<int>(view_.selectedTab()));
    return shown != nullptr ? qobject_cast<BibleViewWidget*>(shown->page()) : nullptr;
}

bool CarouselViewWidget::handleKey(QKeyEvent& key) {
    BibleViewWidget* page = isVisible() ? pageOnScreen() : nullptr;
    if (page == nullptr) {
        return false;
    }
    // A key moves only what the reader sees. The overview is for picking a page, and its pages
    // are pictures taken when the shared state changes: a key there would scroll or close
    // something unseen, to be found changed after the overview. So no key acts on a page then.
    if (view_.isShrinked()) {
        return false;
    }
    // The search page in front takes the keys of a scroll view for its hits, the page behind
    // none; Escape is the page's, which closes what stands in front.
    auto* search = qobject_cast<SearchBibleViewWidget*>(page->panel(TopAreaPanel::search));
    const bool escape = key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier;
    const bool taken = !escape && search != nullptr && page->page().frontmost() == BibleView::Front::search
                           ? search->scrollForKey(key)
                           : page->handleKey(key);
    if (!taken) {
        return false;
    }
    key.accept();
    return true;
}

void CarouselViewWidget::overviewChanged(bool shown) {
    // No text field of a page types unseen in the overview: the focus leaves the pages while it
    // is shown, and comes back after it to what held it, when that stands on the page then on
    // screen.
    if (shown) {
        QWidget* focused = window()->focusWidget();
        if (focused != nullptr && isAncestorOf(focused)) {
            focusBeforeOverview_ = focused;
            focused->clearFocus();
        }
        return;
    }
    QWidget* before = std::exchange(focusBeforeOverview_, nullptr).data();
    BibleViewWidget* page = pageOnScreen();
    if (before != nullptr && page != nullptr && page->isAncestorOf(before) && before->isVisible()) {
        before->setFocus(Qt::OtherFocusReason);
    }
}

bool CarouselViewWidget::eventFilter(QObject* watched, QEvent* event) {
    // A key that every widget on its way left reaches the window last: the page on screen
    // takes it, whichever page holds the focus.
    if (event->type() == QEvent::KeyPress && watched == window()) {
        return handleKey(*static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = qobject_cast<const QWidget*>(watched);
        // A press a child ignores passes here again on its way to the parent: only the first
        // counts. One a sheet holds, or one on the sheet, reaches nothing behind the sheet, this
        // included.
        if ((mouse->modifiers() & Qt::AltModifier) && widget != nullptr &&
            (widget == this || isAncestorOf(widget)) && !view_.optionKeyPressed() &&
            !SheetBackdrop::claims(*widget)) {
            view_.optionClicked();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumenscroll
