#pragma once

#include "app/platform/ChangeWatchers.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPropertyAnimation;

namespace lumenscroll {

class MainViewWidget;
class MoviePlayerWidget;
class ProgressSpinnerWidget;
class SplashView;

// Draws the start-up screen at 1200 by 800, back to front: the intro movie, overflowing the
// screen on every side; the icon and the title in the middle; the main view, sliding in from
// the leading edge once the screen hands over to it; and, while the start-up chapter loads,
// the loading indicator. The screen appears with the widget's first showing.
//
// A press anywhere in the program while the main view slides in lands it in its place first, so
// the press goes to what stands under the pointer there: the pointer resting on a title button's
// place as the view comes is on that button, not on whatever part of the view passes by.
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
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // The main view sliding in, while it does.
    QPointer<QPropertyAnimation> slide_;
    ChangeWatchers watchers_;
    bool appeared_ = false;
};

} // namespace lumenscroll
