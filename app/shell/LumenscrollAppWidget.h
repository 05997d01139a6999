#pragma once

#include "app/shell/KeyboardFocus.h"

#include <QPointer>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include <memory>

class QShortcut;

namespace lumenscroll {

class LumenscrollApp;
class MoviePlayer;
class ScaledContentView;
class SplashView;
class SplashViewWidget;

// The application's one window: 1200 by 800, not resizable, without a title of its own. Its
// content is the start-up screen, which hands over to the main view by itself. Closing the
// window, or quitting the application, tells the application before it goes; Ctrl+Q closes
// the window. The intro movie plays in `movie` (MediaMoviePlayer in the program), which must
// outlive the window. Of its widgets only the text fields take the keyboard focus
// (KeyboardFocus).
//
// Where the room is smaller (a small screen, or a window manager that sets the window's size
// itself), the whole content is drawn smaller by one scale that fits it, laid out as at 1200 by
// 800, with every control whole and reachable (WindowFit); with room enough nothing changes.
class LumenscrollAppWidget : public QWidget {
    Q_OBJECT

public:
    LumenscrollAppWidget(LumenscrollApp& app, MoviePlayer& movie, QWidget* parent = nullptr);
    ~LumenscrollAppWidget() override;

    SplashView& splashView() const { return *splashView_; }
    SplashViewWidget* splashViewWidget() const { return splashViewWidget_; }
    QShortcut* quitShortcut() const { return quitShortcut_; }

    // Fits the window to the room its screen leaves it (the available area less the window's
    // frame), and again whenever that room changes.
    void fitToScreen();
    // Fits the window to `room`, the frame not included.
    void fitTo(QSize room);
    // The scale the content is drawn at now.
    double contentScale() const;
    // The view the content is drawn through once it was drawn scaled; null until then.
    ScaledContentView* scaledView() const { return scaledView_; }

    static constexpr int width = 1200;
    static constexpr int height = 800;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Draws the content at the scale that fits the window's size now.
    void showContentScaled();
    void followScreen();
    // Moves the window, `outer` large with its frame, as little as keeps it whole in `available`.
    void placeWithin(const QRect& available, QSize outer);

    LumenscrollApp& app_;
    // Before the content, whose widgets it is given to as they are polished.
    KeyboardFocus keyboardFocus_;
    std::unique_ptr<SplashView> splashView_;
    SplashViewWidget* splashViewWidget_;
    QShortcut* quitShortcut_ = nullptr;
    ScaledContentView* scaledView_ = nullptr;
    bool followsScreen_ = false;
    // Up from the window's showing until it is first fitted on screen.
    bool placing_ = false;
    bool windowFollowed_ = false;
    QPointer<QScreen> followedScreen_;
};

} // namespace lumenscroll
