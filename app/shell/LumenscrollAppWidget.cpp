#include "app/shell/LumenscrollAppWidget.h"

#include "app/shell/LumenscrollApp.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QShortcut>

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
    // The drawing goes before the views it draws.
    delete splashViewWidget_;
    splashView_.reset();
}

void LumenscrollAppWidget::closeEvent(QCloseEvent* event) {
    app_.windowWillClose();
    event->accept();
}

} // namespace lumenscroll
