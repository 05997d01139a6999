#include "app/shell/LumenscrollAppWidget.h"

#include "app/shell/LumenscrollApp.h"
#include "app/shell/MediaMoviePlayer.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace lumenscroll {

LumenscrollAppWidget::LumenscrollAppWidget(LumenscrollApp& app, QWidget* parent)
    : QWidget(parent)
    , app_(app)
    , movie_(new MediaMoviePlayer(this))
    , splashView_(std::make_unique<SplashView>(app.userSettings(), app.context(), *movie_, app.pagesRestored()))
    , splashViewWidget_(new SplashViewWidget(*splashView_, movie_->videoSink(), this)) {
    setFixedSize(width, height);
    splashViewWidget_->setGeometry(0, 0, width, height);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { app_.applicationWillQuit(); });
}

LumenscrollAppWidget::~LumenscrollAppWidget() {
    // The drawing goes before the views it draws, and the views before the player they hold.
    delete splashViewWidget_;
    splashView_.reset();
    delete movie_;
}

void LumenscrollAppWidget::closeEvent(QCloseEvent* event) {
    app_.windowWillClose();
    event->accept();
}

} // namespace lumenscroll
