#include "app/shell/LumenscrollAppWidget.h"

#include "app/shell/LumenscrollApp.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace lumenscroll {

LumenscrollAppWidget::LumenscrollAppWidget(LumenscrollApp& app, MoviePlayer& movie, QWidget* parent)
    : QWidget(parent)
    , app_(app)
    , splashView_(std::make_unique<SplashView>(app.userSettings(), app.context(), movie, app.pagesRestored()))
    , splashViewWidget_(new SplashViewWidget(*splashView_, this)) {
    setFixedSize(width, height);
    splashViewWidget_->setGeometry(0, 0, width, height);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { app_.applicationWillQuit(); });
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
