#pragma once

namespace lumenscroll {

// The panels a reading page's top area shows while their flags are set: the search page while
// the page's searchBtnPressed is, the preferences and About views while their flags in the
// shared state are. The layers above this one draw them (the search page, the application
// shell): the shell hands the page a TopAreaPanelProvider for them.
enum class TopAreaPanel { search, settings, about };

} // namespace lumenscroll
