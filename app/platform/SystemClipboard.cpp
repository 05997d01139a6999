#include "app/platform/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lumenscroll {

void SystemClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString SystemClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

} // namespace lumenscroll
