#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace lumenscroll {

class ResourceLocator;

// The platform symbols the views show ("book", "magnifyingglass", "bookmark.fill", ...), drawn
// from our own SVG icons among the resources in a colour of the caller's choice. A symbol
// ending in ".circle.fill" is a filled circle with the symbol before it cut out of it. A symbol
// without an icon of its own is drawn with the nearest icon there is, or from an outline kept
// here; one without any of these is an empty (transparent) pixmap.
class SymbolIcon {
public:
    SymbolIcon() = delete;

    // `symbol` at `size` by `size` logical pixels, in `color` (its alpha included).
    static QPixmap pixmap(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                          qreal devicePixelRatio = 1.0);

private:
    static QPixmap draw(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                        qreal devicePixelRatio);
};

} // namespace lumenscroll
