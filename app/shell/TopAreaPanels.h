#pragma once

#include "app/reading/TopAreaPanel.h"

namespace lumenscroll {

// The shell's factory of a reading page's panels: the search page, the preferences and the
// About view. Each panel holds its own view, and the About panel its own movie player: a panel
// lives exactly as long as its flag keeps it on the page.
class TopAreaPanels {
public:
    TopAreaPanels() = delete;

    static QWidget* make(TopAreaPanel panel, const BibleView& page, QWidget* host);
};

} // namespace lumenscroll
