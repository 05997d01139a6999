#pragma once

#include <QWidget>

#include <memory>

class QShortcut;

namespace lumenscroll {

class LumenscrollApp;
class MoviePlayer;
class SplashView;
class SplashViewWidget;

// The application's one window: 1200 by 800, not resizable, without a title of its own. Its
// content is the start-up screen, which hands over to the main view by itself. Closing the
// window, or quitting the application, tells the application before it goes; Ctrl+Q closes
// the window. The intro movie plays in `movie` (MediaMoviePlayer in the program), which must
// outlive the window.
class LumenscrollAppWidget : public QWidget {
    Q_OBJECT

public:
    LumenscrollAppWidget(LumenscrollApp& app, MoviePlayer& movie, QWidget* parent = nullptr);
    ~LumenscrollAppWidget() override;

    SplashView& splashView() const { return *splashView_; }
    SplashViewWidget* splashViewWidget() const { return splashViewWidget_; }
    QShortcut* quitShortcut() const { return quitShortcut_; }

    static constexpr int width = 1200;
    static constexpr int height = 800;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    LumenscrollApp& app_;
    std::unique_ptr<SplashView> splashView_;
    SplashViewWidget* splashViewWidget_;
    QShortcut* quitShortcut_ = nullptr;
};

} // namespace lumenscroll
