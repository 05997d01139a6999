#include "app/reading/BibleViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/BibleSelectionViewWidget.h"
#include "app/reading/CapsuleButton.h"
#include "app/reading/FilledPicture.h"
#include "app/reading/KindOfBibleSelectionViewWidget.h"
#include "app/reading/NoticeCapsule.h"
#include "app/reading/PageHandle.h"
#include "app/reading/PanelFadeWidget.h"
#include "app/reading/PanelShadow.h"
#include "app/reading/SearchButtonWidget.h"
#include "app/reading/SheetBackdrop.h"
#include "app/reading/SheetLook.h"
#include "app/reading/SymbolButton.h"
#include "app/reading/TopAreaPanelProvider.h"
#include "app/reading/UserSettings.h"
#include "app/reading/VerseListWidget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMargins>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <optional>
#include <utility>

namespace lumenscroll {

namespace {

// The button row: 10 points at each end, 20 after each of the three right buttons, the
// capsule 10 in from the row's start; the platform's default spacing between them.
constexpr int rowPadding = 10;
constexpr int capsuleLeading = 10;
constexpr int buttonTrailing = 20;
constexpr int rowSpacing = 8;
// The title block's shadow: black at 0.8, 5 points down, blurred over 5.
constexpr qreal titleShadowOpacity = 0.8;
constexpr int titleShadowDepth = 10;
// The navigation buttons: 30 points square, gray at 0.8, in the bottom corners.
constexpr int navigationSize = 30;
constexpr qreal navigationOpacity = 0.8;
constexpr int navigationPadding = 5;
constexpr int navigationBottom = 10;
constexpr int navigationColumnPadding = 10;
// What the verse list keeps clear around the navigation buttons.
constexpr int navigationClearance = 5;
// Behind the title row when its photo is missing: dark enough for its white labels, the
// dimmed deselect label included, to read at 5:1 or better.
constexpr QColor fallbackPhotoTop(0x2b, 0x4a, 0x6b);
constexpr QColor fallbackPhotoBottom(0x1a, 0x2c, 0x44);
// A pointer that moves further than this between press and release has dragged.
constexpr qreal tapSlop = 10.0;
// The deselect button is dimmed until more than one verse is selected.
constexpr qreal dimmedOpacity = 0.7;
constexpr qreal dimmedSymbolOpacity = 0.6;
// The top area's panels, each framed at its own size so that none is cut and centred in the
// page, as the page's centred stack of layers centres their frames; rounded and casting a black
// shadow.
constexpr QSize searchPanelSize(1000, 600);
constexpr QSize settingsPanelSize(700, 500);
constexpr QSize aboutPanelSize(830, 470);
constexpr qreal panelShadowRadius = 20;
// The notices: the missing text's over the verse area, its text 40 points in from the sides;
// the page's in a capsule 60 points above the bottom, clear of the navigation buttons, at most
// 700 wide.
constexpr int noticeInset = 40;
constexpr int noticeBottom = 60;
constexpr int noticeMaximumWidth = 700;

enum NavigationButton { previousChapter, scrollUp, scrollDown, nextChapter };

SymbolButton::Style labelledStyle(const QString& symbol, int size, const QString& caption) {
    SymbolButton::Style style;
    style.symbol = symbol;
    style.symbolSize = size;
    style.caption = caption;
    style.captionFont = Look::font(TextStyle::headline);
    style.shadow = true;
    return style;
}

SymbolButton::Style navigationStyle(const QString& symbol) {
    SymbolButton::Style style;
    style.symbol = symbol;
    style.symbolSize = navigationSize;
    style.color = Look::color(NamedColor::gray, navigationOpacity);
    return style;
}

} // namespace

BibleViewWidget::BibleViewWidget(BibleView page, QWidget* parent, TopAreaPanelProvider* panels)
    : QWidget(parent)
    , reactions_(std::move(page))
    , watchers_(reactions_.page().userSettings.context().scheduler())
    , searchFade_(reactions_.page().userSettings.context().frames())
    , panelProvider_(panels) {
    setObjectName(QStringLiteral("bibleView"));
    resize(pageWidth, pageHeight);
    // Children stack in the order they are made: the list at the back, the sheets' backdrop in
    // front.
    const BibleView& shown = reactions_.page();
    verseList_ = new VerseListWidget(shown, this);
    connect(verseList_, &VerseListWidget::appeared, this,
            [this] { reactions_.verseAreaAppear(verseList_->scrollReader()); });
    buildButtonRow(shown.userSettings.context());
    buildNavigationButtons(shown.userSettings.context().resources());
    buildPanelHost();
    buildNotices();
    buildSheetBackdrop();

    watchers_.observe(*shown.userSettings);
    if (panelProvider_ != nullptr) {
        watchers_.observe(panelProvider_->publisher());
    }
    watchers_.watch([this] { return pageLook(); }, [this](const PageLook&) { refresh(); });
    refresh();
}

void BibleViewWidget::buildButtonRow(AppContext& context) {
    const BibleView& shown = reactions_.page();
    const ResourceLocator& resources = context.resources();

    translationCapsule_ = new CapsuleButton(context, this);
    translationCapsule_->setObjectName(QStringLiteral("translationCapsule"));
    connect(translationCapsule_, &QAbstractButton::clicked, this,
            [this] { reactions_.page().pressTranslationCapsule(); });

    searchButton_ = new SearchButtonWidget(
        SearchButton(PageHandle::following(*shown.userSettings, shown.pageIndex, &BibleView::searchBtnPressed),
                     searchFade_, context.animations()),
        resources, this);

    deselectButton_ = new SymbolButton(
        resources, labelledStyle(QStringLiteral("arrow.counterclockwise"), 30, QStringLiteral("선택해제")), this);
    deselectButton_->setObjectName(QStringLiteral("deselectButton"));
    connect(deselectButton_, &QAbstractButton::clicked, this, [this] { reactions_.page().deselectVerses(); });

    copyButton_ = new SymbolButton(resources, labelledStyle(QStringLiteral("doc.on.doc"), 25, QStringLiteral("복사")),
                                   this);
    copyButton_->setObjectName(QStringLiteral("copyButton"));
    connect(copyButton_, &QAbstractButton::clicked, this, [this] { reactions_.page().copySelectedVerses(); });

    titleCapsule_ = new CapsuleButton(context, this);
    titleCapsule_->setObjectName(QStringLiteral("titleCapsule"));
    connect(titleCapsule_, &QAbstractButton::clicked, this, [this] { reactions_.page().pressTitleCapsule(); });
}

void BibleViewWidget::buildNavigationButtons(const ResourceLocator& resources) {
    const std::array<std::pair<const char*, const char*>, 4> navigation{{
        {"previousChapterButton", "chevron.left.circle.fill"},
        {"scrollUpButton", "chevron.up.circle.fill"},
        {"scrollDownButton", "chevron.down.circle.fill"},
        {"nextChapterButton", "chevron.right.circle.fill"},
    }};
    for (std::size_t b = 0; b < navigation.size(); ++b) {
        auto* button = new SymbolButton(resources, navigationStyle(QLatin1String(navigation[b].second)), this);
        button->setObjectName(QLatin1String(navigation[b].first));
        navigationButtons_[b] = button;
    }
    connect(navigationButtons_[previousChapter], &QAbstractButton::clicked, this,
            [this] { reactions_.pressPreviousChapter(); });
    connect(navigationButtons_[scrollUp], &QAbstractButton::clicked, this, [this] { reactions_.pressScrollUp(); });
    connect(navigationButtons_[scrollDown], &QAbstractButton::clicked, this, [this] { reactions_.pressScrollDown(); });
    connect(navigationButtons_[nextChapter], &QAbstractButton::clicked, this,
            [this] { reactions_.pressNextChapter(); });
}

// Where the search page and the preferences and About views will stand.
void BibleViewWidget::buildPanelHost() {
    panelHost_ = new QWidget(this);
    panelHost_->setObjectName(QStringLiteral("panelHost"));
    panelHost_->hide();
    panelShadow_ = new PanelShadow(Qt::black, 2 * panelShadowRadius, this);
    searchShadow_ = new PanelShadow(Qt::black, 2 * panelShadowRadius, this);
    searchFading_ = new PanelFadeWidget(searchFade_, reactions_.page().userSettings.context().frames(),
                                        *searchShadow_, TopAreaPanelProvider::searchPageCornerRadius, panelHost_);
    connect(searchFading_, &PanelFadeWidget::finished, this, [this] { refresh(); });
}

void BibleViewWidget::buildNotices() {
    missingText_ = new QLabel(this);
    missingText_->setObjectName(QStringLiteral("missingTextNotice"));
    missingText_->setFont(Look::font(TextStyle::title3));
    missingText_->setAlignment(Qt::AlignCenter);
    missingText_->setWordWrap(true);
    // Opaque, over the verse list, which stays where it is: its first showing is what reads the
    // verses of a chapter that has none yet.
    missingText_->setStyleSheet(QStringLiteral("color: rgb(60, 60, 67); background: white; padding: 0 %1px;")
                                    .arg(noticeInset));
    missingText_->stackUnder(translationCapsule_);
    missingText_->hide();

    notice_ = new NoticeCapsule(this);
    notice_->setObjectName(QStringLiteral("pageNotice"));
    notice_->hide();
}

void BibleViewWidget::buildSheetBackdrop() {
    sheetBackdrop_ = SheetLook::backdrop(*this);
}

BibleViewWidget::~BibleViewWidget() {
    // The shared panels outlive the page that shows them.
    for (const TopAreaPanel panel : {TopAreaPanel::search, TopAreaPanel::settings, TopAreaPanel::about}) {
        showPanel(panel, false);
    }
}

BibleViewWidget::PageLook BibleViewWidget::pageLook() const {
    const BibleView& page = reactions_.page();
    const UserSettings& settings = *page.userSettings;
    PageLook look;
    look.titleBlock = page.isTitleBlockShown();
    look.photo = page.shownTitlePhoto();
    look.translation = page.shownTranslation();
    look.title = page.shownTitle();
    look.selectedVerses = page.selectedVerseCount();
    const BibleView* view = page.state().view();
    look.search = view && view->searchBtnPressed;
    look.settings = settings.settingsViewBtnPressed();
    look.about = settings.aboutViewBtnPressed();
    look.onScreen = panelProvider_ == nullptr || panelProvider_->isOnScreen(page.pageIndex());
    look.missingText = page.shownMissingTextNotice();
    look.notice = page.shownNotice();
    look.chapterSheet = view && view->showBibleSectionSelectionWindow;
    look.translationSheet = view && view->showBibleTranslateSelectionWindow;
    return look;
}

void BibleViewWidget::refresh() {
    const PageLook look = pageLook();
    if (look.photo != shown_.photo || photo_.isNull() != look.photo.empty()) {
        photo_ = filledPicture(reactions_.page().userSettings.context().resources(), look.photo,
                               QSize(pageWidth, titlePhotoHeight));
    }
    shown_ = look;

    for (QWidget* child : std::initializer_list<QWidget*>{translationCapsule_, searchButton_, deselectButton_,
                                                         copyButton_}) {
        child->setVisible(look.titleBlock);
    }
    translationCapsule_->setCaption(QString::fromStdString(look.translation));
    titleCapsule_->setCaption(QString::fromStdString(look.title));
    if (look.selectedVerses > 1) {
        deselectButton_->setLook(1.0, 1.0);
    } else {
        deselectButton_->setLook(dimmedOpacity, dimmedSymbolOpacity);
    }

    // The search page goes at once, or fades out as a picture of it.
    if (searchFade_.follow(look.search) && !look.search && searchFade_.isFading()) {
        if (QWidget* going = panel(TopAreaPanel::search)) {
            searchFading_->keepPictureOf(*going);
        }
    }
    const bool searchShown = searchFade_.isPresent();
    // The panel standing last in front decides the host's frame.
    const bool settingsShown = look.settings && look.onScreen;
    const bool aboutShown = look.about && look.onScreen;
    std::optional<QSize> frame;
    if (searchShown) {
        frame = searchPanelSize;
    }
    if (settingsShown) {
        frame = settingsPanelSize;
    }
    if (aboutShown) {
        frame = aboutPanelSize;
    }
    if (searchShown && frame != searchPanelSize) {
        // The search page is the largest; the host covers it and the other panel together.
        frame = searchPanelSize;
    }
    if (frame) {
        panelHost_->setGeometry((width() - frame->width()) / 2, (height() - frame->height()) / 2, frame->width(),
                                frame->height());
        panelHost_->raise();
    }
    panelHost_->setVisible(frame.has_value());
    // Alone in the host, a search page that takes no click (going out) leaves the host none either.
    panelHost_->setAttribute(Qt::WA_TransparentForMouseEvents,
                             searchShown && !searchFade_.takesClicks() && !settingsShown && !aboutShown);
    // Front to back as the page stacks them: the search page, then the preferences, then About.
    showPanel(TopAreaPanel::search, look.search);
    searchFading_->follow(panel(TopAreaPanel::search));
    showPanel(TopAreaPanel::settings, settingsShown);
    showPanel(TopAreaPanel::about, aboutShown);
    castPanelShadow();

    missingText_->setText(QString::fromStdString(look.missingText));
    missingText_->setVisible(!look.missingText.empty());
    notice_->setText(QString::fromStdString(look.notice));
    notice_->setVisible(!look.notice.empty());

    showSheets(look);
    placeChildren();
    update();
}

void BibleViewWidget::showSheets(const PageLook& look) {
    const BibleView& page = reactions_.page();
    AppContext& context = page.userSettings.context();
    if (look.chapterSheet && !chapterSheet_) {
        chapterSheet_ = new BibleSelectionViewWidget(page.chapterSheetContent(), context, sheetBackdrop_);
        sheetBackdrop_->present(*chapterSheet_, *chapterSheet_->closeButton());
    } else if (!look.chapterSheet && chapterSheet_) {
        delete std::exchange(chapterSheet_, nullptr);
    }
    if (look.translationSheet && !translationSheet_) {
        translationSheet_ =
            new KindOfBibleSelectionViewWidget(page.translationSheetContent(), context, sheetBackdrop_);
        sheetBackdrop_->present(*translationSheet_, *translationSheet_->closeButton());
    } else if (!look.translationSheet && translationSheet_) {
        delete std::exchange(translationSheet_, nullptr);
    }
}

bool BibleViewWidget::handleKey(const QKeyEvent& key) {
    const BibleView& page = reactions_.page();
    if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
        // The sheets stand in front of all the page shows, the search page's among them.
        return sheetBackdrop_->closeFrontSheet() || page.closeFrontmost();
    }
    return page.frontmost() == BibleView::Front::none && verseList_->scrollForKey(key);
}

QWidget* BibleViewWidget::panel(TopAreaPanel panel) const {
    return panels_[static_cast<std::size_t>(panel)];
}

void BibleViewWidget::showPanel(TopAreaPanel panel, bool shown) {
    QPointer<QWidget>& widget = panels_[static_cast<std::size_t>(panel)];
    if (!shown) {
        if (QWidget* given = widget.data(); given != nullptr && panelProvider_ != nullptr) {
            widget = nullptr;
            panelProvider_->giveBack(panel, given, panelHost_);
        }
        return;
    }
    if (widget && widget->parentWidget() != panelHost_) {
        widget = nullptr;
    }
    if (!widget && panelProvider_ != nullptr) {
        widget = panelProvider_->take(panel, reactions_.page(), panelHost_);
    }
    if (widget) {
        // The host is centred in the page: so is a panel centred in the host.
        widget->move((panelHost_->width() - widget->width()) / 2, (panelHost_->height() - widget->height()) / 2);
        widget->raise();
        widget->show();
    }
}

// The panels standing in the host are opaque inside their rounded corners: the shadow falls
// from that outline. The search page's, which fades, falls from it or from its picture.
void BibleViewWidget::castPanelShadow() {
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    QPainterPath search;
    if (panelHost_->isVisible()) {
        for (const TopAreaPanel kind : {TopAreaPanel::settings, TopAreaPanel::about}) {
            if (const QWidget* shown = panel(kind); shown != nullptr && shown->parentWidget() == panelHost_) {
                shape.addRoundedRect(QRectF(shown->geometry().translated(panelHost_->pos())),
                                     TopAreaPanelProvider::panelCornerRadius, TopAreaPanelProvider::panelCornerRadius);
            }
        }
        const QWidget* page = panel(TopAreaPanel::search);
        if (page == nullptr || page->parentWidget() != panelHost_) {
            page = searchFading_->isVisibleTo(panelHost_) ? searchFading_ : nullptr;
        }
        if (page != nullptr) {
            search.addRoundedRect(QRectF(page->geometry().translated(panelHost_->pos())),
                                  TopAreaPanelProvider::searchPageCornerRadius,
                                  TopAreaPanelProvider::searchPageCornerRadius);
        }
    }
    for (const auto& [shadow, outline] : {std::pair(panelShadow_, shape), std::pair(searchShadow_, search)}) {
        shadow->setShape(outline);
        shadow->setVisible(!outline.isEmpty());
    }
    panelShadow_->stackUnder(panelHost_);
    searchShadow_->stackUnder(panelShadow_);
}

void BibleViewWidget::placeChildren() {
    verseList_->setGeometry(0, titleRowHeight + titleBottomPadding + verseListTopPadding, width(),
                            height() - titleRowHeight - titleBottomPadding - verseListTopPadding);

    const auto rowCentre = [](QWidget* child) { return (titleRowHeight - child->height()) / 2; };
    translationCapsule_->move(rowPadding + capsuleLeading, rowCentre(translationCapsule_));
    int right = width() - rowPadding;
    for (QWidget* button : std::initializer_list<QWidget*>{copyButton_, deselectButton_, searchButton_}) {
        right -= buttonTrailing + button->width();
        button->move(right, rowCentre(button));
        right -= rowSpacing;
    }

    // On the title row like the translation capsule, so that its rounded top and its halo
    // show below the page's top edge.
    titleCapsule_->move((width() - titleCapsule_->width()) / 2, rowCentre(titleCapsule_));

    navigationButtons_[previousChapter]->setGeometry(navigationPadding, height() - navigationBottom - navigationSize,
                                                     navigationSize, navigationSize);
    int x = width() - navigationColumnPadding;
    const int y = height() - navigationColumnPadding - navigationBottom - navigationSize;
    for (const int b : {nextChapter, scrollDown, scrollUp}) {
        x -= navigationPadding + navigationSize;
        navigationButtons_[static_cast<std::size_t>(b)]->setGeometry(x, y, navigationSize, navigationSize);
        x -= rowSpacing;
    }
    // No verse runs under a navigation button: the list keeps their corners clear.
    const QRect list = verseList_->geometry();
    QMargins room;
    for (const SymbolButton* button : navigationButtons_) {
        const QRect at = button->geometry();
        if (at.center().x() < list.center().x()) {
            room.setLeft(std::max(room.left(), at.right() + 1 - list.left() + navigationClearance));
        } else {
            room.setRight(std::max(room.right(), list.right() + 1 - at.left() + navigationClearance));
        }
        room.setBottom(std::max(room.bottom(), list.bottom() + 1 - at.top() + navigationClearance));
    }
    verseList_->setButtonRoom(room);
    placeNotices();
    if (sheetBackdrop_->isVisible()) {
        sheetBackdrop_->setGeometry(rect());
        sheetBackdrop_->raise();
    }
}

void BibleViewWidget::placeNotices() {
    missingText_->setGeometry(verseList_->geometry());
    // One line as wide as the text needs, wrapped only past the widest capsule.
    const QSize notice = notice_->sizeFor(std::min(noticeMaximumWidth, width() - 2 * noticeInset));
    notice_->setGeometry((width() - notice.width()) / 2, height() - noticeBottom - notice.height(), notice.width(),
                         notice.height());
    notice_->raise();
}

void BibleViewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void BibleViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        reactions_.appear();
    }
}

void BibleViewWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!shown_.titleBlock) {
        return;
    }
    const int blockHeight = titleRowHeight + titleBottomPadding;
    QLinearGradient shadow(0, blockHeight, 0, blockHeight + titleShadowDepth);
    shadow.setColorAt(0.0, QColor::fromRgbF(0, 0, 0, static_cast<float>(titleShadowOpacity)));
    shadow.setColorAt(1.0, Qt::transparent);
    painter.fillRect(QRect(0, blockHeight, width(), titleShadowDepth), shadow);
    // Centred on the button row, so its top lies above the page.
    painter.setClipRect(QRect(0, 0, width(), blockHeight));
    if (photo_.isNull()) {
        QLinearGradient fallback(0, 0, 0, blockHeight);
        fallback.setColorAt(0.0, fallbackPhotoTop);
        fallback.setColorAt(1.0, fallbackPhotoBottom);
        painter.fillRect(QRect(0, 0, width(), blockHeight), fallback);
        return;
    }
    painter.drawPixmap((width() - photo_.width()) / 2, (titleRowHeight - titlePhotoHeight) / 2, photo_);
}

bool BibleViewWidget::isOnTitlePhoto(const QPointF& position) const {
    // Only where the page itself is under the pointer: a click that a panel or a sheet standing
    // over the photo leaves comes here too, and it is not the photo's.
    return shown_.titleBlock && position.y() >= 0 && position.y() < titleRowHeight + titleBottomPadding &&
           childAt(position.toPoint()) == nullptr;
}

void BibleViewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isOnTitlePhoto(event->position())) {
        photoPress_ = event->globalPosition();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void BibleViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<QPointF> press = std::exchange(photoPress_, std::nullopt);
    if (press && event->button() == Qt::LeftButton && isOnTitlePhoto(event->position()) &&
        (event->globalPosition() - *press).manhattanLength() <= tapSlop) {
        reactions_.page().tapTitlePhoto();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace lumenscroll
