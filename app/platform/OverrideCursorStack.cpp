#include "app/platform/OverrideCursorStack.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumenscroll {

void OverrideCursorStack::push(Qt::CursorShape shape) {
    QGuiApplication::setOverrideCursor(QCursor(shape));
    ++depth_;
}

void OverrideCursorStack::pop() {
    if (depth_ == 0) {
        return;
    }
    QGuiApplication::restoreOverrideCursor();
    --depth_;
}

} // namespace lumenscroll
