#pragma once

// A widget filled with one colour, for the renders of every application test program.

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace lumenscroll::testing {

inline QWidget* solidWidget(const QColor& color) {
    auto* widget = new QWidget;
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    return widget;
}

} // namespace lumenscroll::testing
