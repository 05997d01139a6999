#include "app/shell/LumenscrollAppWidget.h"

#include "app/shell/LumenscrollApp.h"
#include "app/shell/ScaledContentView.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"
#include "app/shell/WindowFit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include <algorithm>

namespace lumenscroll {

LumenscrollAppWidget::LumenscrollAppWidget(LumenscrollApp& app, MoviePlayer& movie, QWidget* parent)
    : QWidget(parent)
    , app_(app)
    , splashView_(std::make_unique<SplashView>(app.userSettings(), app.context(), movie, app.pagesRestored()))
    , splashViewWidget_(new SplashViewWidget(*splashView_, this)) {
    setFixedSize(width, height);
    splashViewWidget_->setGeometry(0, 0, width, height);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { app_.applicationWillQuit(); });

    // Ctrl+Q closes the window, so that it quits the way closing the window does. Named
    // outright: not every platform plugin knows the desktop's quit keys.
    quitShortcut_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quitShortcut_->setContext(Qt::ApplicationShortcut);
    connect(quitShortcut_, &QShortcut::activated, this, &QWidget::close);
}

LumenscrollAppWidget::~LumenscrollAppWidget() {
    // The drawing goes before the views it draws. Drawn scaled, it goes with the scene that
    // holds it, which lets go of it first: deleted while held, it would hide itself into a
    // scene that hands the focus on through it as it goes.
    if (scaledView_ != nullptr) {
        delete scaledView_;
    } else {
        delete splashViewWidget_;
    }
    splashView_.reset();
}

void LumenscrollAppWidget::closeEvent(QCloseEvent* event) {
    app_.windowWillClose();
    event->accept();
}

void LumenscrollAppWidget::fitToScreen() {
    followsScreen_ = true;
    followScreen();
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    // The frame is known once the window is on screen; until then it counts as none, and the
    // window is fitted again when it is known.
    const QRect available = shownOn->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize before = size();
    fitTo(available.size() - frame);
    // Whole on the screen, frame included, where the window manager first put it and whenever
    // the room changes its size; where the user moves it afterwards is the user's.
    if (isVisible() && (placing_ || size() != before)) {
        placeWithin(available, size() + frame);
    }
    placing_ = false;
}

void LumenscrollAppWidget::placeWithin(const QRect& available, QSize outer) {
    const auto within = [](int at, int start, int length, int room) {
        return std::clamp(at, start, start + std::max(0, room - length));
    };
    const QPoint inside(within(x(), available.left(), outer.width(), available.width()),
                        within(y(), available.top(), outer.height(), available.height()));
    if (inside != pos()) {
        move(inside);
    }
}

void LumenscrollAppWidget::fitTo(QSize room) {
    const QSize size = WindowFit(room).windowSize();
    if (size != minimumSize() || size != maximumSize()) {
        setFixedSize(size);
    }
    showContentScaled();
}

double LumenscrollAppWidget::contentScale() const {
    return scaledView_ != nullptr ? scaledView_->contentScale() : 1.0;
}

void LumenscrollAppWidget::showContentScaled() {
    // The size the window has, which a window manager may have set in place of the one asked.
    const WindowFit fit(size());
    if (scaledView_ == nullptr) {
        if (!fit.isScaled()) {
            return;
        }
        // Once drawn scaled, the content stays in its view, at scale 1 where there is room: the
        // move into the view shows the content again, which is not worth repeating.
        splashViewWidget_->setParent(nullptr);
        scaledView_ = new ScaledContentView(splashViewWidget_, this);
        scaledView_->show();
        scaledView_->setFocus();
    }
    scaledView_->setGeometry(rect());
    scaledView_->setContentScale(fit.scale());
}

void LumenscrollAppWidget::followScreen() {
    QWindow* window = windowHandle();
    if (window == nullptr) {
        return;
    }
    if (!windowFollowed_) {
        windowFollowed_ = true;
        connect(window, &QWindow::screenChanged, this, &LumenscrollAppWidget::fitToScreen);
    }
    QScreen* shownOn = window->screen();
    if (shownOn == followedScreen_) {
        return;
    }
    if (followedScreen_ != nullptr) {
        disconnect(followedScreen_, &QScreen::availableGeometryChanged, this, nullptr);
    }
    followedScreen_ = shownOn;
    if (shownOn != nullptr) {
        connect(shownOn, &QScreen::availableGeometryChanged, this, &LumenscrollAppWidget::fitToScreen);
    }
}

void LumenscrollAppWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showContentScaled();
}

void LumenscrollAppWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A window manager's frame arrives as a move.
    if (followsScreen_) {
        fitToScreen();
    }
}

void LumenscrollAppWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (followsScreen_) {
        placing_ = true;
        fitToScreen();
    }
}

} // namespace lumenscroll
