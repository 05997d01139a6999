#include "app/platform/AppActivity.h"

#include <QGuiApplication>

namespace lumenscroll {

AppActivity::~AppActivity() {
    QObject::disconnect(connection_);
}

void AppActivity::followApplication() {
    QObject::disconnect(connection_);
    active_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connection_ = QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged,
                                   [this](Qt::ApplicationState state) {
                                       // Leaving is told once, however many states it passes.
                                       if (state == Qt::ApplicationActive) {
                                           notify(true);
                                       } else if (active_) {
                                           notify(false);
                                       }
                                   });
}

} // namespace lumenscroll
