#pragma once

#include "app/reading/SymbolButton.h"

namespace lumenscroll {

// The close button of the preferences and About panels: a white cross, large-title sized,
// in a faint black shadow that keeps it visible on light pictures.
class PanelCloseButton : public SymbolButton {
    Q_OBJECT

public:
    explicit PanelCloseButton(const ResourceLocator& resources, QWidget* parent = nullptr);
    ~PanelCloseButton() override;
};

} // namespace lumenscroll
