#pragma once

#include <QTimer>
#include <QWidget>

namespace lumenscroll {

class Animations;

// An indeterminate progress indicator: white spokes turning on a round, translucent dark
// backdrop, which keeps them readable on the light frames of the movie behind it without
// standing out as a box. It turns while it is shown and animation is on; with animation off it
// stands still.
class ProgressSpinnerWidget : public QWidget {
    Q_OBJECT

public:
    explicit ProgressSpinnerWidget(const Animations& animations, QWidget* parent = nullptr);
    ~ProgressSpinnerWidget() override;

    QSize sizeHint() const override;
    bool isTurning() const { return timer_.isActive(); }

    // The spinner and the padding around it.
    static constexpr int spinnerSize = 32;
    static constexpr int padding = 16;
    static constexpr double backdropOpacity = 0.45;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const Animations& animations_;
    QTimer timer_;
    int step_ = 0;
};

} // namespace lumenscroll
