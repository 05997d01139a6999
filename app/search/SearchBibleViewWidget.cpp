#include "app/search/SearchBibleViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/DropShadowEffect.h"
#include "app/reading/FilledPicture.h"
#include "app/reading/PanelTopPicture.h"
#include "app/reading/ReadingFontFace.h"
#include "app/reading/RoundedClipEffect.h"
#include "app/reading/SheetBackdrop.h"
#include "app/reading/SheetLook.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/UserSettings.h"
#include "app/search/KindOfBibleSearchViewWidget.h"
#include "app/search/SearchBarWidget.h"
#include "app/search/SearchHitDelegate.h"
#include "app/search/SearchHitListModel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScrollBar>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace lumenscroll {

namespace {

// The close button: the large-title symbol, 20 points below the top and in from the side.
constexpr int closeSize = 26;
constexpr int closePadding = 20;
constexpr int headerSpacing = 8;
constexpr qreal closeShadowRadius = 20.0;
constexpr qreal closeShadowOffset = 2.0;
constexpr int messageMargin = 40;

QString messageText(SearchBibleView::Message message) {
    switch (message) {
    case SearchBibleView::Message::notFound:
        return QString::fromStdString(SearchBibleView::notFoundText);
    case SearchBibleView::Message::prompt:
        return QString::fromStdString(SearchBibleView::promptText);
    case SearchBibleView::Message::none:
        break;
    }
    return {};
}

} // namespace

SearchBibleViewWidget::SearchBibleViewWidget(Binding<std::int64_t> pageIndex, Binding<bool> openSearch,
                                             UserSettings& userSettings, AppContext& context, QWidget* parent)
    : QWidget(parent)
    , view_(std::move(pageIndex), std::move(openSearch), userSettings, context)
    , context_(context)
    , watchers_(context.scheduler()) {
    setObjectName(QStringLiteral("searchBibleView"));
    setFixedSize(width, height);

    header_ = new QWidget(this);
    header_->setObjectName(QStringLiteral("searchHeader"));
    searchBar_ = new SearchBarWidget(view_.searchBar, context, header_);
    SymbolButton::Style closeStyle;
    closeStyle.symbol = QStringLiteral("xmark.circle");
    closeStyle.symbolSize = closeSize;
    closeButton_ = new SymbolButton(context.resources(), closeStyle, header_);
    closeButton_->setGraphicsEffect(new DropShadowEffect(Qt::black, closeShadowRadius,
                                                         QPointF(closeShadowOffset, closeShadowOffset),
                                                         closeButton_, DropShadowEffect::Outline::layout));
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton_, &QAbstractButton::clicked, this, [this] { view_.closeSearchPage(); });

    makeHitList();
    makeResultsPane();

    sheetBackdrop_ = SheetLook::backdrop(*this, cornerRadius);

    placeChildren();

    watchers_.observe(view_);
    watchers_.observe(userSettings);
    watchers_.watch([this] { return hits(); },
                    [this](const std::pair<const void*, std::size_t>&) { showHits(); });
    watchers_.watch([this] { return pageLook(); }, [this](const PageLook&) { refresh(); });
    refresh();
}

void SearchBibleViewWidget::makeHitList() {
    hitList_ = new QListView(this);
    hitList_->setObjectName(QStringLiteral("hitList"));
    // The page rounds its own corners off; the list, which ends it, its bottom ones. A clip over
    // the whole page would render it all apart with every frame of the search bar's gradient.
    hitList_->setGraphicsEffect(new RoundedClipEffect(cornerRadius, hitList_, RoundedClipEffect::Corners::bottom));
    hitList_->setFrameShape(QFrame::NoFrame);
    // The page paints the white under the rows: a list that filled its own background would
    // count as opaque, and the window would leave the corners the rounded clip cuts off unpainted.
    hitList_->viewport()->setAutoFillBackground(false);
    hitList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hitList_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    hitList_->verticalScrollBar()->setSingleStep(20);
    // A slim bar without arrows, kept out of the rounded bottom corner.
    hitList_->verticalScrollBar()->setStyleSheet(
        QStringLiteral(
            "QScrollBar:vertical { width: 10px; background: transparent; margin: 2px 2px %1px 0px; }"
            "QScrollBar::handle:vertical { background: #C7C7CC; border-radius: 4px; min-height: 30px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(cornerRadius));
    hitList_->setSelectionMode(QAbstractItemView::NoSelection);
    hitList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hitList_->setMouseTracking(true);
    hitList_->viewport()->setAttribute(Qt::WA_Hover);
    hitList_->setCursor(Qt::PointingHandCursor);
    hitList_->setItemDelegate(new SearchHitDelegate(*hitList_));
    hitModel_ = new SearchHitListModel(view_, hitList_);
    hitList_->setModel(hitModel_);
    connect(hitList_, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { view_.openHit(index.row()); });
}

void SearchBibleViewWidget::makeResultsPane() {
    // Over the middle of the page; clicks go through to the list.
    resultsPane_ = new QWidget(this);
    resultsPane_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* pane = new QVBoxLayout(resultsPane_);
    pane->setContentsMargins(messageMargin, 0, messageMargin, 0);
    message_ = new QLabel(resultsPane_);
    message_->setObjectName(QStringLiteral("resultsMessage"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignCenter);
    message_->setFont(Look::font(TextStyle::body));
    message_->setStyleSheet(QStringLiteral("color: black;"));
    progress_ = new QProgressBar(resultsPane_);
    progress_->setObjectName(QStringLiteral("searchProgress"));
    // No range: the platform's indeterminate indicator.
    progress_->setRange(0, 0);
    progress_->setTextVisible(false);
    progress_->setFixedWidth(120);
    pane->addStretch(1);
    pane->addWidget(message_);
    pane->addWidget(progress_, 0, Qt::AlignHCenter);
    pane->addStretch(1);
}

SearchBibleViewWidget::~SearchBibleViewWidget() {
    // The children refer to the page: they go before it does, and so does the chooser, which
    // stands on the reading page's layer rather than on this page.
    delete chooser_.data();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        delete child;
    }
}

KindOfBibleSearchViewWidget* SearchBibleViewWidget::chooser() const {
    return chooser_.data();
}

std::pair<const void*, std::size_t> SearchBibleViewWidget::hits() const {
    // foundWordArray is only ever replaced whole, and a new list lives in new storage: a
    // cheap test for a change that copies and compares no text.
    return {view_.foundWordArray->data(), view_.foundWordArray->size()};
}

SearchBibleViewWidget::PageLook SearchBibleViewWidget::pageLook() const {
    PageLook look;
    look.message = view_.message();
    look.progress = view_.isProgressShown();
    look.photo = view_.headerPhoto();
    look.fontSize = view_.fontSize();
    const std::optional<ReadingFont> font = view_.hitFont();
    look.font = font ? std::string(font->fileName) : std::string();
    look.label = view_.searchBar.label();
    look.query = view_.searchWord();
    look.chooser = view_.showBibleTranslateSelectionWindow();
    look.chooserRows = view_.userSettings.currentlyProvidedBibleNumber();
    return look;
}

void SearchBibleViewWidget::showHits() {
    // The rows read the font choices afresh whenever they come on screen.
    if (!view_.foundWordArray->empty()) {
        view_.loadFontSettings();
    }
    hitModel_->reload();
    hitList_->scrollToTop();
}

void SearchBibleViewWidget::refresh() {
    const PageLook look = pageLook();
    if (look.photo != shown_.photo || photo_.isNull() != look.photo.empty()) {
        photo_ = filledPicture(context_.resources(), look.photo, QSize(headerPhotoWidth, headerPhotoHeight));
        headerPicture_ = QPixmap();
        update();
    }

    const QFont rows = readingFontFace(view_.hitFont(), static_cast<int>(look.fontSize));
    if (hitList_->font() != rows) {
        hitList_->setFont(rows);
        // Row heights depend on the font.
        hitList_->doItemsLayout();
    }

    message_->setText(messageText(look.message));
    message_->setVisible(look.message != SearchBibleView::Message::none);
    if (look.message == SearchBibleView::Message::prompt && shown_.message != look.message) {
        view_.promptAppeared();
    }
    progress_->setVisible(look.progress);

    searchBar_->refresh();

    if (look.chooser && !chooser_) {
        focusBeforeChooser_ = window()->focusWidget();
        // On the layer of the reading page this page stands on, as the page's own sheets: in
        // front of the preferences or About view over this page. On its own, on this page's.
        SheetBackdrop& layer = *SheetBackdrop::of(*this);
        chooser_ = new KindOfBibleSearchViewWidget(view_.chooser(), context_, &layer);
        layer.present(*chooser_, *chooser_->closeButton());
    } else if (!look.chooser && chooser_) {
        delete chooser_.data();
        // The sheet took the focus only to have the keys first while it stood: what held it
        // before has it back, the query field as the page came up with.
        QWidget* before = std::exchange(focusBeforeChooser_, nullptr).data();
        if (before == nullptr || !before->isVisible()) {
            before = searchBar_->queryField();
        }
        before->setFocus(Qt::OtherFocusReason);
    }
    if (chooser_) {
        chooser_->refresh();
    }
    shown_ = look;
    placeChildren();
}

void SearchBibleViewWidget::placeChildren() {
    const int barHeight = searchBar_->sizeHint().height();
    const int headerHeight = barTopPadding + barHeight + barBottomPadding;
    header_->setGeometry(0, 0, width, headerHeight);
    const int closeFrame = closePadding + closeSize;
    const int closeLeft = width - closePadding - closeSize;
    searchBar_->setGeometry(0, barTopPadding, closeLeft - headerSpacing, barHeight);
    // Centred on the header row with its padding above it.
    closeButton_->setGeometry(closeLeft, (headerHeight - closeFrame) / 2 + closePadding, closeSize,
                              closeSize);
    hitList_->setGeometry(0, headerHeight, width, height - headerHeight);
    resultsPane_->setGeometry(rect());
    resultsPane_->raise();
    sheetBackdrop_->raise();
}

void SearchBibleViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        view_.appear();
        refresh();
    }
}

bool SearchBibleViewWidget::scrollForKey(const QKeyEvent& key) {
    if (chooser_ != nullptr) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool shifted = modifiers == Qt::ShiftModifier && key.key() == Qt::Key_Space;
    if (modifiers != Qt::NoModifier && !shifted) {
        return false;
    }
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (key.key()) {
    case Qt::Key_Up:
        action = QAbstractSlider::SliderSingleStepSub;
        break;
    case Qt::Key_Down:
        action = QAbstractSlider::SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = QAbstractSlider::SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Space:
        action = shifted ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = QAbstractSlider::SliderToMinimum;
        break;
    case Qt::Key_End:
        action = QAbstractSlider::SliderToMaximum;
        break;
    default:
        return false;
    }
    hitList_->verticalScrollBar()->triggerAction(action);
    return true;
}

void SearchBibleViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    painter.fillPath(frame, Qt::white);
    // The picture is centred on the header, whose top it overhangs; what falls outside the
    // header is the list's.
    const QSize header(width, header_->height());
    if (!photo_.isNull() && (headerPicture_.isNull() || headerPicture_.deviceIndependentSize() != QSizeF(header))) {
        headerPicture_ = panelTopPicture(photo_, header, cornerRadius);
    }
    painter.drawPixmap(0, 0, headerPicture_);
}

} // namespace lumenscroll
