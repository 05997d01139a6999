#pragma once

#include "app/reading/PageEnvironment.h"

#include <functional>

class QWidget;

namespace lumenscroll {

// The panels a reading page's top area shows while their flags in the shared state are set.
// The application shell draws them, above this layer, so it hands the page a factory for them.
enum class TopAreaPanel { settings, about };

// Builds the widget of `panel` at its own size as a child of `host`; the page destroys it when
// the panel's flag falls. Null: the panel is not drawn.
using TopAreaPanelFactory = std::function<QWidget*(TopAreaPanel panel, PageEnvironment environment, QWidget* host)>;

} // namespace lumenscroll
