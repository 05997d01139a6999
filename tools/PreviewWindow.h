#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The window the preview tools show their view in: 1200 by 800 points, as large as the main
// window, in a dark grey that sets the view's own edges apart.
inline void dressPreviewWindow(QWidget& window) {
    window.setFixedSize(1200, 800);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x3A, 0x3A, 0x3C));
    window.setPalette(palette);
}
