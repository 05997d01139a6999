#include "app/platform/AppActivity.h"

#include <QGuiApplication>

namespace lumenscroll {

AppActivity::~AppActivity() {
    QObject::disconnect(connection_);
}

void AppActivity::followApplication() {
    QObject::disconnect(connection_);
    wasActive_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connection_ = QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged,
                                   [this](Qt::ApplicationState state) {
                                       const bool active = state == Qt::ApplicationActive;
                                       if (active) {
                                           wasActive_ = true;
                                           notify(true);
                                       } else if (wasActive_) {
                                           wasActive_ = false;
                                           notify(false);
                                       }
                                   });
}

} // namespace lumenscroll
