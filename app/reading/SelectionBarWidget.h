#pragma once

#include "app/platform/NamedColor.h"

#include <QWidget>

#include <cstdint>
#include <vector>

namespace lumenscroll {

class AnimatableGradientViewWidget;
class AppContext;
class HighlightSwatchButton;
class SymbolButton;

// The bar under the one selected verse: the bookmark button and the highlighter, one swatch
// per highlight colour but the first (white, no highlight), on the animated gradient in a
// rounded rectangle. It shows the verse's marks; its buttons only say what was pressed.
class SelectionBarWidget : public QWidget {
    Q_OBJECT

public:
    // `colors`: the page's highlight colours, index 0 first.
    SelectionBarWidget(AppContext& context, const std::vector<NamedColor>& colors, QWidget* parent = nullptr);
    ~SelectionBarWidget() override;

    // The marks of the verse the bar stands under.
    void showMarks(bool bookmarked, std::int64_t bgColor);

    SymbolButton* bookmarkButton() const { return bookmarkButton_; }
    // The swatch of colour `color` (from 1); null for one the bar has not.
    HighlightSwatchButton* swatch(std::int64_t color) const;
    std::size_t swatchCount() const { return swatches_.size(); }
    AnimatableGradientViewWidget& background() const { return *gradient_; }

    static constexpr int barWidth = 1060;
    static constexpr int barHeight = 40;

signals:
    void bookmarkPressed();
    void highlightPressed(std::int64_t color);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* face_;
    AnimatableGradientViewWidget* gradient_;
    QWidget* row_;
    SymbolButton* bookmarkButton_;
    std::vector<HighlightSwatchButton*> swatches_;
};

} // namespace lumenscroll
