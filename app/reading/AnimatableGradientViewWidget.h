#pragma once

#include "app/platform/Animations.h"
#include "app/platform/AppContext.h"
#include "app/platform/Binding.h"
#include "app/platform/Subscription.h"
#include "app/reading/AnimatableGradientView.h"

#include <QVariantAnimation>
#include <QWidget>

namespace lumenscroll {

// Draws an AnimatableGradientView over its whole area, fading the upper plane as the view
// swaps; transparent while `Colored` is true (its host repaints when that changes). The timer
// runs from when the widget is shown until it is hidden.
class AnimatableGradientViewWidget : public QWidget {
    Q_OBJECT

public:
    AnimatableGradientViewWidget(AppContext& context, Binding<bool> colored, QWidget* parent = nullptr);
    ~AnimatableGradientViewWidget() override;

    AnimatableGradientView& view() { return view_; }
    const AnimatableGradientView& view() const { return view_; }
    // The upper plane's opacity as drawn now (it trails the view's while fading).
    double shownUpperOpacity() const { return shownUpperOpacity_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fade(AnimatableGradientView::Fade fade);

    const Animations& animations_;
    AnimatableGradientView view_;
    QVariantAnimation fading_;
    double shownUpperOpacity_;
    Subscription changes_;
};

} // namespace lumenscroll
