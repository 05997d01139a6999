#pragma once

#include "app/platform/ChangeWatchers.h"

#include <QWidget>

#include <vector>

namespace lumenscroll {

class CarouselViewWidget;
class MainBarButton;
class MainView;
class MoviePlayer;

// Draws the main view at 1200 by 800: white until the first selection; then, on a dark area,
// the page carousel in the carousel area and the capsule-shaped bar of the four buttons, which
// isMainTabBarHide hides. The view appears with the widget's first showing; the carousel with
// the main area's.
class MainViewWidget : public QWidget {
    Q_OBJECT

public:
    // The About panel's movie plays in `aboutMovie`, which must outlive the widget; without one,
    // in a player of the panel's own.
    explicit MainViewWidget(MainView& view, QWidget* parent = nullptr, MoviePlayer* aboutMovie = nullptr);
    ~MainViewWidget() override;

    MainView& view() const { return view_; }
    QWidget* carouselArea() const { return carouselArea_; }
    CarouselViewWidget* carouselView() const { return carouselView_; }
    QWidget* buttonBar() const { return buttonBar_; }
    const std::vector<MainBarButton*>& buttons() const { return buttons_; }

    static constexpr int width = 1200;
    static constexpr int height = 800;
    static constexpr int carouselHeight = 680;
    static constexpr int barWidth = 1176;
    static constexpr int barHeight = 80;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    MainView& view_;
    QWidget* mainArea_;
    QWidget* carouselArea_;
    CarouselViewWidget* carouselView_;
    QWidget* buttonBar_;
    std::vector<MainBarButton*> buttons_;
    ChangeWatchers watchers_;
    bool appeared_ = false;
};

} // namespace lumenscroll
