#pragma once

#include "app/platform/ChangeWatchers.h"
#include "app/reading/TopAreaPanelProvider.h"

#include <QPointer>
#include <QWidget>

#include <array>

namespace lumenscroll {

class CarouselView;
class MoviePlayer;

// The panels of the carousel's reading pages: each page's search page, and one preferences and
// one About panel for all of them, standing on the carousel's current page. A shared panel is
// built when its flag has been set and a page on screen asks for it, moves from page to page
// with the current page (the About panel's movie playing on from where it was), and goes with
// its views and its movie player once its flag falls.
class TopAreaPanels final : public TopAreaPanelProvider {
public:
    // The About panel's movie plays in `movie`, the program's one movie player, or, without
    // one, in a player of the panel's own. `carousel` and `movie` must outlive the panels.
    explicit TopAreaPanels(CarouselView& carousel, MoviePlayer* movie = nullptr);
    ~TopAreaPanels() override;
    TopAreaPanels(const TopAreaPanels&) = delete;
    TopAreaPanels& operator=(const TopAreaPanels&) = delete;

    ObjectWillChangePublisher& publisher() override;
    bool isOnScreen(std::int64_t pageIndex) const override;
    QWidget* take(TopAreaPanel panel, const BibleView& page, QWidget* host) override;
    void giveBack(TopAreaPanel panel, QWidget* widget, QWidget* host) override;

    // The preferences or About panel while it is built; null otherwise.
    QWidget* shared(TopAreaPanel panel) const;

private:
    bool isFlagSet(TopAreaPanel panel) const;
    QWidget* build(TopAreaPanel panel);
    QPointer<QWidget>& slot(TopAreaPanel panel);
    // A shared panel whose flag has fallen goes.
    void dropLowered();

    CarouselView& carousel_;
    MoviePlayer* movie_;
    // Where a shared panel waits, hidden, between two pages.
    QWidget aside_;
    std::array<QPointer<QWidget>, 2> shared_;
    ChangeWatchers watchers_;
};

} // namespace lumenscroll
