#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace lumenscroll {

class ResourceLocator;

// The platform symbols the views show ("book", "gear", ...), drawn from our own SVG icons
// among the resources, in a colour of the caller's choice. A symbol without an icon of its own
// is drawn with the nearest one there is; one without either is an empty pixmap.
class SymbolIcon {
public:
    SymbolIcon() = delete;

    // The symbol `symbol` at `size` by `size` logical pixels, its strokes in `color`.
    static QPixmap pixmap(const ResourceLocator& resources, const QString& symbol, const QColor& color, int size,
                          qreal devicePixelRatio = 1.0);

    // The name of the icon resource (type "svg") that draws `symbol`, if there is one.
    static QString iconName(const ResourceLocator& resources, const QString& symbol);
};

} // namespace lumenscroll
