#pragma once

#include <QColor>

class QWidget;

namespace lumenscroll {

class ResourceLocator;
class SheetBackdrop;
class SymbolButton;

// What the reading page's sheets (the book chooser and both translation choosers) share in
// their look: a rounded sheet on a soft shadow, closed with an "xmark" on a dark halo, standing
// on a dimmed layer over the page that opened it.
class SheetLook {
public:
    SheetLook() = delete;

    // The dimmed layer sheets stand on, a child of `parent` that holds the window's pointer
    // input while a sheet stands on it (see SheetBackdrop); hidden to begin with, named
    // "sheetBackdrop". Over a parent with corners of `cornerRadius`, the dimming keeps to them.
    static SheetBackdrop* backdrop(QWidget& parent, qreal cornerRadius = 0);
    // The shadow the sheet casts on the page under it.
    static void castShadow(QWidget& sheet);
    // Fills the sheet's rounded frame; called from its paintEvent.
    static void paint(QWidget& sheet, const QColor& fill);
    // The close button: "xmark" at the title size in `color`, named "closeButton".
    static SymbolButton* closeButton(const ResourceLocator& resources, const QColor& color, QWidget* parent);

    static constexpr int cornerRadius = 10;
};

} // namespace lumenscroll
