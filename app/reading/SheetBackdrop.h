#pragma once

#include <QWidget>

namespace lumenscroll {

// The dimmed layer a sheet stands on, over what opened the sheet; the sheet is its child.
//
// A sheet is modal. While the layer is shown and in sight, the pointer input meant for anything
// else in its window (presses, releases, double clicks, moves, the wheel, a context menu, touch)
// is swallowed before anyone sees it, the layer itself included: a click beside the sheet reaches
// nothing behind it, neither the page under the layer nor the main view's bar nor the carousel
// around it, and leaves the sheet open. The sheet's own widgets, and other windows (a picker's
// pop-up), get their input as always; keys are not held, so Escape still closes the sheet.
//
// A layer that is shown but drawn nowhere (its page stands out of sight while the carousel's
// overview draws it from a picture) holds nothing: it would hold the window with nothing to
// show for it.
class SheetBackdrop : public QWidget {
    Q_OBJECT

public:
    // The dimming keeps to corners of `cornerRadius` (none at 0).
    explicit SheetBackdrop(qreal cornerRadius, QWidget* parent = nullptr);
    ~SheetBackdrop() override;

    // Whether the layer holds its window's pointer input now.
    bool isHoldingInput() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInSight() const;

    qreal cornerRadius_;
};

} // namespace lumenscroll
