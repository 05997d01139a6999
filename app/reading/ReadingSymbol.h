#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace lumenscroll {

class ResourceLocator;

// The platform symbols the reading page shows ("magnifyingglass", "bookmark.fill", ...), drawn
// from our own SVG icons among the resources in a colour of the caller's choice. A symbol
// ending in ".circle.fill" is a filled circle with the symbol before it cut out of it; a few
// symbols the resources lack are drawn from outlines kept here. An unknown symbol is an empty
// (transparent) pixmap.
class ReadingSymbol {
public:
    ReadingSymbol() = delete;

    // `symbol` at `size` by `size` logical pixels, in `color` (its alpha included).
    static QPixmap pixmap(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                          qreal devicePixelRatio = 1.0);
};

} // namespace lumenscroll
