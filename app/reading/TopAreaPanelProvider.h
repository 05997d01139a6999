#pragma once

#include "app/reading/TopAreaPanel.h"

#include <cstdint>

class QWidget;

namespace lumenscroll {

class ObjectWillChangePublisher;
struct BibleView;

// What builds the panels of the reading pages' top areas, and says which page is on screen.
// The search page is each page's own. The preferences and the About view are one each for all
// the pages: while its flag is set, such a panel stands on the page on screen alone, and moves
// to the next page that comes on screen; so however many pages are open, one is built and
// what it shows is the same on every page.
class TopAreaPanelProvider {
public:
    // The corners of the preferences and the About view, which the provider's widgets round off
    // themselves: a movie under them repaints only what it covers, not the whole panel apart.
    static constexpr double panelCornerRadius = 30;
    // The corners of each page's search page, which rounds them off itself too; its shadow and
    // the picture it fades out as follow them.
    static constexpr double searchPageCornerRadius = 30;

    virtual ~TopAreaPanelProvider() = default;

    // Announces a change of the page on screen.
    virtual ObjectWillChangePublisher& publisher() = 0;
    // Whether page `pageIndex` is the page on screen: the only page the shared panels stand on.
    virtual bool isOnScreen(std::int64_t pageIndex) const = 0;

    // The widget of `panel` for `page`, now a child of `host`, at its own size; null when it is
    // not drawn. A search page is built for the page; a shared panel is built when its flag has
    // been set and otherwise taken from where it stood.
    virtual QWidget* take(TopAreaPanel panel, const BibleView& page, QWidget* host) = 0;
    // `host` shows `widget`, which take gave it, no longer: a search page goes; a shared panel
    // still standing in `host` is put aside while its flag stays set, and goes once it falls.
    virtual void giveBack(TopAreaPanel panel, QWidget* widget, QWidget* host) = 0;
};

} // namespace lumenscroll
