#pragma once

#include "app/platform/ChangeWatchers.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace lumenscroll {

class MainViewWidget;
class MoviePlayerWidget;
class ProgressSpinnerWidget;
class SplashView;

// Draws the start-up screen at 1200 by 800, back to front: the intro movie, overflowing the
// screen on every side; the icon and the title in the middle; the main view, sliding in from
// the leading edge once the screen hands over to it; and, while the start-up chapter loads,
// the loading indicator. The screen appears with the widget's first showing.
class SplashViewWidget : public QWidget {
    Q_OBJECT

public:
    // The intro movie's frames come from the view's player.
    explicit SplashViewWidget(SplashView& view, QWidget* parent = nullptr);
    ~SplashViewWidget() override;

    SplashView& view() const { return view_; }
    MoviePlayerWidget* movie() const { return movie_; }
    QWidget* titleBlock() const { return title_; }
    QWidget* loadingBlock() const { return loading_; }
    // Once the main view is shown.
    MainViewWidget* mainViewWidget() const { return mainView_; }

    static constexpr int width = 1200;
    static constexpr int height = 800;
    static constexpr int movieWidth = 1400;
    static constexpr int movieHeight = 1000;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTitle();
    QWidget* buildLoadingBlock();
    void refresh();
    void showMainView();

    SplashView& view_;
    MoviePlayerWidget* movie_;
    QWidget* title_;
    QWidget* loading_;
    MainViewWidget* mainView_ = nullptr;
    ChangeWatchers watchers_;
    bool appeared_ = false;
};

} // namespace lumenscroll
