#pragma once

#include <QAbstractButton>

#include <cstdint>

class QLabel;

namespace lumenscroll {

class AnimatableGradientViewWidget;
class DropShadowEffect;
class MainView;

// One button of the main view's bar: its symbol and label in the title font on a capsule,
// with the animated gradient behind them while the button is the selected one (unselected
// buttons show no background), and a soft shadow. Clicks go to the main view's handler of the
// button.
class MainBarButton : public QAbstractButton {
    Q_OBJECT

public:
    MainBarButton(MainView& view, std::int64_t buttonIndex, QWidget* parent = nullptr);
    ~MainBarButton() override;

    std::int64_t buttonIndex() const { return buttonIndex_; }
    AnimatableGradientViewWidget& background() const { return *gradient_; }

    // Redraws from the view's selection and colour scheme.
    void refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MainView& view_;
    std::int64_t buttonIndex_;
    QString symbol_;
    QWidget* face_;
    AnimatableGradientViewWidget* gradient_;
    QLabel* symbolLabel_;
    QLabel* textLabel_;
    DropShadowEffect* shadow_;
};

} // namespace lumenscroll
