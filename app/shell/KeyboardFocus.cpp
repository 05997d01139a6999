#include "app/shell/KeyboardFocus.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace lumenscroll {

namespace {

bool isTextField(const QWidget& widget) {
    return qobject_cast<const QLineEdit*>(&widget) != nullptr ||
           qobject_cast<const QTextEdit*>(&widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&widget) != nullptr;
}

} // namespace

KeyboardFocus::KeyboardFocus() {
    qApp->installEventFilter(this);
}

KeyboardFocus::~KeyboardFocus() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (!isTextField(*widget)) {
            widget->setFocusPolicy(Qt::NoFocus);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumenscroll
