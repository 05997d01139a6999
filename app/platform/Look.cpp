#include "app/platform/Look.h"

#include <QGuiApplication>

namespace lumenscroll {

QFont Look::font(TextStyle style) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pointSize(style));
    font.setBold(isBold(style));
    return font;
}

QFont Look::font(const QString& family, int points, bool bold) {
    QFont font = QGuiApplication::font();
    if (!family.isEmpty()) {
        font.setFamilies({family});
    }
    font.setPixelSize(points);
    font.setBold(bold);
    return font;
}

QColor Look::color(NamedColor color, qreal opacity) {
    QColor result = QColor::fromRgb(rgb(color));
    result.setAlphaF(static_cast<float>(opacity));
    return result;
}

} // namespace lumenscroll
