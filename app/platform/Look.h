#pragma once

#include "app/platform/NamedColor.h"
#include "app/platform/TextStyle.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace lumenscroll {

// Fonts and colours for the drawing layer. Sizes are in points, and a point is a logical
// pixel, so fonts are sized in pixels: a 13-point body text is 13 logical pixels tall
// whatever the screen's DPI.
class Look {
public:
    Look() = delete;

    static QFont font(TextStyle style);
    // A named family at a size; a family that is not installed falls back to the default
    // family without complaint.
    static QFont font(const QString& family, int points, bool bold = false);
    static QColor color(NamedColor color, qreal opacity = 1.0);
};

} // namespace lumenscroll
