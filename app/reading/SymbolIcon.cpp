#include "app/reading/SymbolIcon.h"

#include "app/platform/FileSystem.h"
#include "app/platform/ResourceLocator.h"

#include <QByteArray>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <cmath>
#include <optional>
#include <utility>

namespace lumenscroll {

namespace {

const QString svgType = QStringLiteral("svg");
const QString circleFillSuffix = QStringLiteral(".circle.fill");
// How much of a filled circle the symbol cut out of it takes.
constexpr qreal cutOutScale = 0.6;

// Symbols we have no icon of our own for yet, and the icon that stands in.
constexpr std::pair<const char*, const char*> standIns[] = {
    {"plus.square.on.square", "plus"},
    {"gear", "gearshape"},
    {"menucard", "info.circle"},
};

// Outlines in the style of the icons among the resources (24 by 24, strokes in currentColor),
// for the symbols those lack.
constexpr std::pair<const char*, const char*> builtInOutlines[] = {
    {"arrow.counterclockwise",
     R"(<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24" fill="none" )"
     R"(stroke="currentColor" stroke-width="2" stroke-linecap="round" stroke-linejoin="round">)"
     R"(<path d="M12 5.5 A7.5 7.5 0 1 1 4.5 13"/><path d="M15 2.8 L12 5.5 L15 8.2"/></svg>)"},
};

std::optional<QByteArray> iconFile(const ResourceLocator& resources, const QString& name) {
    const std::optional<QString> path = resources.path(name, svgType);
    return path ? FileSystem::read(*path) : std::nullopt;
}

// The symbol's own icon, else the icon standing in for it, else an outline kept here.
std::optional<QByteArray> outline(const ResourceLocator& resources, const QString& symbol) {
    if (std::optional<QByteArray> own = iconFile(resources, symbol)) {
        return own;
    }
    for (const auto& [name, standIn] : standIns) {
        if (symbol == QLatin1String(name)) {
            if (std::optional<QByteArray> substitute = iconFile(resources, QLatin1String(standIn))) {
                return substitute;
            }
        }
    }
    for (const auto& [name, svg] : builtInOutlines) {
        if (symbol == QLatin1String(name)) {
            return QByteArray(svg);
        }
    }
    return std::nullopt;
}

// Draws the outline of `symbol` into `area`; false when there is none.
bool render(QPainter& painter, const ResourceLocator& resources, const QString& symbol, const QColor& color,
            const QRectF& area) {
    std::optional<QByteArray> svg = outline(resources, symbol);
    if (!svg) {
        return false;
    }
    // The icons stroke in currentColor, which a renderer without a surrounding document takes
    // as black: the colour is written in.
    svg->replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    QSvgRenderer renderer(*svg);
    if (!renderer.isValid()) {
        return false;
    }
    renderer.render(&painter, area);
    return true;
}

} // namespace

QPixmap SymbolIcon::pixmap(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                           qreal devicePixelRatio) {
    // Every page draws the same few symbols: each is read and drawn once, and shared.
    const QString key = QStringLiteral("lumenscroll-symbol:%1/%2/%3/%4/%5")
                            .arg(resources.directory(), symbol, color.name(QColor::HexArgb))
                            .arg(size)
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return cached;
    }
    QPixmap drawn = draw(resources, symbol, color, size, devicePixelRatio);
    QPixmapCache::insert(key, drawn);
    return drawn;
}

QPixmap SymbolIcon::draw(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                         qreal devicePixelRatio) {
    const int pixels = static_cast<int>(std::lround(size * devicePixelRatio));
    QPixmap result(pixels, pixels);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    if (size <= 0) {
        return result;
    }

    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, size, size);
    if (symbol.endsWith(circleFillSuffix)) {
        const QString inner = symbol.chopped(circleFillSuffix.size());
        QColor opaque = color;
        opaque.setAlpha(255);
        painter.setPen(Qt::NoPen);
        painter.setBrush(opaque);
        painter.drawEllipse(area);
        const qreal side = size * cutOutScale;
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        render(painter, resources, inner, Qt::black,
               QRectF((size - side) / 2.0, (size - side) / 2.0, side, side));
    } else if (!render(painter, resources, symbol, color, area)) {
        return result;
    }
    painter.end();

    if (color.alpha() == 255) {
        return result;
    }
    // The colour's own opacity applies to the symbol as a whole, overlapping strokes included.
    QPixmap faded(pixels, pixels);
    faded.setDevicePixelRatio(devicePixelRatio);
    faded.fill(Qt::transparent);
    QPainter fading(&faded);
    fading.setOpacity(color.alphaF());
    fading.drawPixmap(0, 0, result);
    return faded;
}

} // namespace lumenscroll
