#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

class QAbstractButton;

namespace lumenscroll {

// The dimmed layer the sheets of a page stand on, over all the page shows; the sheets are its
// children. Whatever opens a sheet on the page (the page's capsules, the search bar of the search
// page standing on it) presents it on this one layer, so that the sheet stands in front of all
// that covers its opener, the preferences and About views included, in sight and within reach.
// The layer stands while a sheet stands on it.
//
// A sheet is modal. While the layer holds the input, the pointer input meant for anything else in
// its window (presses, releases, double clicks, moves, the wheel, a context menu, touch) is
// swallowed before anyone sees it, the layer itself included: a click beside the sheet reaches
// nothing behind it, neither the page under the layer nor the main view's bar nor the carousel
// around it, and leaves the sheet open. The sheet's own widgets, and other windows (a picker's
// pop-up), get their input as always; keys are not held, and Escape closes the frontmost sheet
// as its close button does.
//
// It holds only while a sheet on it can be seen and reached: where the window would hand a click
// at the sheet's middle and at its close button, the sheet gets it. A layer drawn nowhere (its
// page stands out of sight while the carousel's overview draws it from a picture), or one whose
// sheet something else covers, holds nothing: it would hold the window with no way out of it.
class SheetBackdrop : public QWidget {
    Q_OBJECT

public:
    // The dimming keeps to corners of `cornerRadius` (none at 0).
    explicit SheetBackdrop(qreal cornerRadius, QWidget* parent = nullptr);
    ~SheetBackdrop() override;

    // The layer a sheet opened from `opener` stands on: the outermost among the layers of
    // `opener` and of its ancestors. So a search page standing on a reading page presents its
    // sheet on the page's layer, in front of the panels over the search page, and on its own
    // layer when it stands alone. Null without one.
    static SheetBackdrop* of(QWidget& opener);

    // Stands `sheet`, made on this layer, centred in front of all the layer's parent shows, and
    // gives it the keys; Escape on it clicks `closeButton`, one of its own.
    void present(QWidget& sheet, QAbstractButton& closeButton);
    // Escape: clicks the close button of the sheet standing in front; false without a sheet.
    bool closeFrontSheet();

    // Whether the layer holds its window's pointer input now.
    bool isHoldingInput() const;
    // Whether some layer holds the pointer input on its way to `receiver`. What else watches
    // the input on its way (the carousel, which would start a drag from it) asks first and lets
    // held input be, so the hold comes first whichever of them Qt hands the input to first.
    static bool holds(const QObject& receiver);
    // Whether the pointer input on its way to `receiver` is a sheet's concern and nobody's
    // behind it: held, or landing on a layer standing now, its sheets and their controls
    // included. Those controls still get it; what would act on it behind the sheet (the carousel
    // starting a drag that would slide the sheet out of sight with its page) lets it be.
    static bool claims(const QObject& receiver);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Sheet {
        QPointer<QWidget> sheet;
        QPointer<QAbstractButton> closeButton;
    };

    bool holdsFor(const QObject& receiver) const;
    bool isWithinReach(const Sheet& sheet) const;

    qreal cornerRadius_;
    // In the order they were presented: the last one stands in front.
    std::vector<Sheet> sheets_;
};

} // namespace lumenscroll
