#include "ProgramWindowTest.h"

#include "app/reading/BibleViewWidget.h"
#include "app/reading/TopAreaPanel.h"
#include "app/reading/VerseListWidget.h"
#include "app/search/SearchBibleViewWidget.h"
#include "app/shell/CarouselView.h"
#include "app/shell/CarouselViewWidget.h"
#include "app/shell/MainBarButton.h"
#include "app/shell/MainView.h"
#include "app/shell/MainViewWidget.h"
#include "app/shell/ScaledContentView.h"
#include "app/shell/SplashView.h"
#include "app/shell/SplashViewWidget.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QSize>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumenscroll::testing {

void ProgramWindowTest::launch(bool scaled) {
    window.reset();
    run.reset();
    home = std::make_unique<QTemporaryDir>();
    start(scaled);
}

void ProgramWindowTest::relaunch() {
    press(Qt::Key_Q, Qt::ControlModifier);
    ASSERT_FALSE(window->isVisible());
    window.reset();
    run.reset();
    start(false);
}

void ProgramWindowTest::start(bool scaled) {
    startProcess();
    run = std::make_unique<Run>(home->path());
    window = std::make_unique<LumenscrollAppWidget>(run->app, run->movie);
    if (scaled) {
        window->fitTo(QSize(1000, 600));
    }
    window->show();
    run->test.manualScheduler().advance(SplashView::startupDelay);
    run->test.manualScheduler().advance(MainView::firstSelectionDelay);
    settle();
    ASSERT_NE(page(), nullptr);
    turnAwayAndBack();
}

void ProgramWindowTest::turnAwayAndBack() {
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    settle();
}

void ProgramWindowTest::settle() {
    run->test.manualScheduler().runReady();
    QCoreApplication::processEvents();
    run->test.manualScheduler().runReady();
}

MainViewWidget& ProgramWindowTest::main() const {
    return *window->splashViewWidget()->mainViewWidget();
}

CarouselView& ProgramWindowTest::carousel() const {
    return main().view().carousel();
}

BibleViewWidget* ProgramWindowTest::page() const {
    return main().carouselView()->pageOnScreen();
}

MainBarButton* ProgramWindowTest::bar(std::int64_t index) const {
    return main().buttons().at(static_cast<std::size_t>(index));
}

SearchBibleViewWidget* ProgramWindowTest::searchPage() const {
    return qobject_cast<SearchBibleViewWidget*>(page()->panel(TopAreaPanel::search));
}

int ProgramWindowTest::scrolled() const {
    return page()->verseList()->verticalScrollBar()->value();
}

QPoint ProgramWindowTest::inWindow(const QWidget* widget, QPoint at) const {
    const QPoint content = widget->mapTo(window->splashViewWidget(), at);
    return window->scaledView() != nullptr ? window->scaledView()->mapFromContent(content) : content;
}

void ProgramWindowTest::click(const QWidget* widget, QPoint at) {
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      inWindow(widget, at == QPoint(-1, -1) ? widget->rect().center() : at));
    settle();
}

void ProgramWindowTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
    settle();
}

void ProgramWindowTest::type(const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, window->windowHandle(), Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
    settle();
}

} // namespace lumenscroll::testing
