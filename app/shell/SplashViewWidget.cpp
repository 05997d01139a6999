#include "app/shell/SplashViewWidget.h"

#include "app/platform/AppContext.h"
#include "app/platform/Look.h"
#include "app/reading/DropShadowEffect.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/MoviePlayerWidget.h"
#include "app/shell/ProgressSpinnerWidget.h"
#include "app/shell/SplashView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPropertyAnimation>
#include <QVBoxLayout>

namespace lumenscroll {

namespace {

constexpr int iconSize = 100;
constexpr int iconTrailingPadding = 25;
constexpr int titlePointSize = 45;
// The title is padded 10 points at the top and then drawn 10 points higher.
constexpr int titleRise = 10;
constexpr int loadingTextTopPadding = 20;
constexpr qreal loadingTextShadowRadius = 20;

void paintText(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QFont titleFont() {
    QFont font = Look::font(QString(), titlePointSize);
    font.setFamilies({QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Thin);
    return font;
}

} // namespace

SplashViewWidget::SplashViewWidget(SplashView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
    , movie_(new MoviePlayerWidget(view.player.player(), this))
    , title_(buildTitle())
    , loading_(buildLoadingBlock())
    , watchers_(view.context().scheduler()) {
    resize(width, height);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    movie_->setObjectName(QStringLiteral("introMovie"));
    movie_->setGeometry((width - movieWidth) / 2, (height - movieHeight) / 2, movieWidth, movieHeight);

    const QSize titleSize = title_->sizeHint();
    title_->setGeometry((width - titleSize.width()) / 2, (height - titleSize.height()) / 2, titleSize.width(),
                        titleSize.height());
    loading_->setGeometry(0, 0, width, height);

    watchers_.observe(view_);
    watchers_.watch([this] { return view_.showIndicator(); }, [this](bool) { refresh(); });
    watchers_.watch([this] { return view_.goToMain(); }, [this](bool) { refresh(); });
    refresh();
}

SplashViewWidget::~SplashViewWidget() = default;

QWidget* SplashViewWidget::buildTitle() {
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("titleBlock"));
    block->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* icon = new QLabel(block);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setFixedSize(iconSize, iconSize);
    icon->setAlignment(Qt::AlignCenter);
    if (const std::optional<QString> path =
            view_.context().resources().path(SplashView::iconName, QStringLiteral("png"))) {
        const QPixmap image(*path);
        if (!image.isNull()) {
            icon->setPixmap(image.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }

    auto* title = new QLabel(SplashView::title, block);
    title->setObjectName(QStringLiteral("title"));
    title->setFont(titleFont());
    title->setContentsMargins(0, 0, 0, titleRise);
    paintText(title, Qt::white);

    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(icon, 0, Qt::AlignVCenter);
    row->addSpacing(iconTrailingPadding);
    row->addWidget(title, 0, Qt::AlignVCenter);
    return block;
}

QWidget* SplashViewWidget::buildLoadingBlock() {
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("loadingBlock"));
    block->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* spinner = new ProgressSpinnerWidget(view_.context().animations(), block);
    spinner->setObjectName(QStringLiteral("progress"));

    auto* text = new QLabel(SplashView::loadingText, block);
    text->setObjectName(QStringLiteral("loadingText"));
    text->setFont(Look::font(TextStyle::subheadline));
    paintText(text, Qt::white);
    text->setGraphicsEffect(new DropShadowEffect(Qt::black, loadingTextShadowRadius, QPointF(0, 0), text));

    // Two spaces above and one below: the block sits two thirds of the way down.
    auto* column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addStretch(1);
    column->addStretch(1);
    column->addWidget(spinner, 0, Qt::AlignHCenter);
    column->addSpacing(loadingTextTopPadding);
    column->addWidget(text, 0, Qt::AlignHCenter);
    column->addStretch(1);
    return block;
}

void SplashViewWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!appeared_) {
        appeared_ = true;
        view_.appear();
    }
}

void SplashViewWidget::refresh() {
    loading_->setVisible(view_.showIndicator());
    if (!view_.showIndicator() && view_.goToMain() && !mainView_ && view_.mainView()) {
        showMainView();
    }
    loading_->raise();
}

void SplashViewWidget::showMainView() {
    // The intro movie is done with: its player plays the About panel's movie from now on.
    mainView_ = new MainViewWidget(*view_.mainView(), this, &view_.player.player());
    mainView_->setObjectName(QStringLiteral("mainView"));
    const Animations::Curve curve = view_.context().animations().standard();
    const QPoint target(0, 0);
    if (curve.duration.count() <= 0) {
        mainView_->move(target);
        mainView_->show();
        // Covered from now on: its last frame need not be kept.
        movie_->hide();
        return;
    }
    // In from the leading edge.
    mainView_->move(-width, 0);
    mainView_->show();
    auto* slide = new QPropertyAnimation(mainView_, "pos", mainView_);
    slide->setDuration(static_cast<int>(curve.duration.count()));
    slide->setEasingCurve(curve.easing);
    slide->setStartValue(QPoint(-width, 0));
    slide->setEndValue(target);
    connect(slide, &QAbstractAnimation::finished, movie_, &QWidget::hide);
    // Every press reaches a window before any widget in it is found under the pointer.
    slide_ = slide;
    qApp->installEventFilter(this);
    connect(slide, &QAbstractAnimation::finished, this, [this] { qApp->removeEventFilter(this); });
    slide->start(QAbstractAnimation::DeleteWhenStopped);
}

bool SplashViewWidget::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (press && watched->isWindowType() && slide_ != nullptr) {
        qApp->removeEventFilter(this);
        // Where the slide would end. The movie it covers goes after the press, not during it: a
        // widget hidden under the pointer has the window send enter and leave events, which move
        // the point the press is still being handed over by.
        const QPoint target = slide_->endValue().toPoint();
        slide_->stop();
        mainView_->move(target);
        QMetaObject::invokeMethod(movie_, &QWidget::hide, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumenscroll
