#pragma once

// A left click on a widget as the pointer gives it, for the widget tests of every application
// test program.

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QPointF>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumenscroll::testing {

// A left click at `at` (the widget's centre by default).
inline void click(QWidget* widget, QPoint at = QPoint(-1, -1)) {
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    const QPointF local = at == QPoint(-1, -1) ? QPointF(widget->rect().center()) : QPointF(at);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace lumenscroll::testing
