#pragma once

#include <functional>

class QWidget;

namespace lumenscroll {

struct BibleView;

// The panels a reading page's top area shows while their flags are set: the search page while
// the page's searchBtnPressed is, the preferences and About views while their flags in the
// shared state are. The layers above this one draw them (the search page, the application
// shell), so the shell hands the page a factory for them.
enum class TopAreaPanel { search, settings, about };

// Builds the widget of `panel` for `page` at its own size as a child of `host`; the page
// destroys it when the panel's flag falls. Null: the panel is not drawn.
using TopAreaPanelFactory = std::function<QWidget*(TopAreaPanel panel, const BibleView& page, QWidget* host)>;

} // namespace lumenscroll
