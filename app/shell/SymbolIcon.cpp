#include "app/shell/SymbolIcon.h"

#include "app/platform/FileSystem.h"
#include "app/platform/ResourceLocator.h"

#include <QByteArray>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <optional>
#include <utility>

namespace lumenscroll {

namespace {

const QString svgType = QStringLiteral("svg");

// Symbols we have no icon of our own for yet, and the icon that stands in.
constexpr std::pair<const char*, const char*> standIns[] = {
    {"plus.square.on.square", "plus"},
    {"gear", "gearshape"},
    {"menucard", "info.circle"},
};

} // namespace

QString SymbolIcon::iconName(const ResourceLocator& resources, const QString& symbol) {
    if (resources.path(symbol, svgType)) {
        return symbol;
    }
    for (const auto& [name, standIn] : standIns) {
        if (symbol == QLatin1String(name) && resources.path(QLatin1String(standIn), svgType)) {
            return QLatin1String(standIn);
        }
    }
    return {};
}

QPixmap SymbolIcon::pixmap(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                           qreal devicePixelRatio) {
    const int pixels = static_cast<int>(std::lround(size * devicePixelRatio));
    QPixmap result(pixels, pixels);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);

    const QString name = iconName(resources, symbol);
    if (name.isEmpty()) {
        return result;
    }
    const std::optional<QString> path = resources.path(name, svgType);
    const std::optional<QByteArray> bytes = path ? FileSystem::read(*path) : std::nullopt;
    if (!bytes) {
        return result;
    }
    // The icons stroke in currentColor, which an SVG renderer without a surrounding document
    // takes as black: the colour is written in.
    QByteArray svg = *bytes;
    svg.replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        return result;
    }
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(color.alphaF());
    renderer.render(&painter, QRectF(0, 0, size, size));
    return result;
}

} // namespace lumenscroll
