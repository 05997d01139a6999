#pragma once

#include "app/reading/SearchButton.h"
#include "app/reading/SymbolButton.h"

namespace lumenscroll {

class ResourceLocator;

// Draws the search button: the magnifying glass over "검색", white with a soft shadow. A click
// presses the button.
class SearchButtonWidget : public SymbolButton {
    Q_OBJECT

public:
    SearchButtonWidget(SearchButton button, const ResourceLocator& resources, QWidget* parent = nullptr);
    ~SearchButtonWidget() override;

    const SearchButton& button() const { return button_; }

private:
    SearchButton button_;
};

} // namespace lumenscroll
