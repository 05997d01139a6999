// The preferences and About panels through their real widgets, over the built pictures: the
// pickers, the support row under the pointer, the payment line clicked, the movie shown and
// hidden, and every part of both panels inside the panel.

#include "app/shell/AboutView.h"
#include "app/shell/AboutViewWidget.h"
#include "app/shell/MoviePlayerWidget.h"
#include "app/shell/SettingsPicker.h"
#include "app/shell/SettingsView.h"
#include "app/shell/SettingsViewWidget.h"

#include "FakeMoviePlayer.h"
#include "app/reading/UserSettings.h"
#include "app/shell/PanelCloseButton.h"
#include "testing/platform/TestAppContext.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <memory>

namespace lumenscroll {
namespace {

void click(QWidget* target) {
    const QPointF at = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// Every shown label, picker and button stands wholly inside `panel`.
void expectNothingCut(QWidget* panel) {
    for (QWidget* part : panel->findChildren<QWidget*>()) {
        if (!part->isVisible() || !(qobject_cast<QLabel*>(part) || qobject_cast<QAbstractButton*>(part) ||
                                    qobject_cast<QComboBox*>(part))) {
            continue;
        }
        const QRect placed(part->mapTo(panel, QPoint(0, 0)), part->size());
        EXPECT_TRUE(panel->rect().contains(placed))
            << part->objectName().toStdString() << " at " << placed.x() << "," << placed.y() << " "
            << placed.width() << "x" << placed.height();
    }
}

class PanelWidgetsTest : public ::testing::Test {
protected:
    void settle() {
        test.manualScheduler().runReady();
        QCoreApplication::processEvents();
    }

    TestAppContext test{QStringLiteral(LUMENSCROLL_RESOURCE_DIR)};
    UserSettings settings;
};

TEST_F(PanelWidgetsTest, ThePickersShowTheStoredChoicesAndWriteTheUsersChoice) {
    SettingsView view(settings, test.context());
    SettingsViewWidget widget(view);
    widget.show();
    settle();
    EXPECT_EQ(widget.size(), QSize(700, 500));
    EXPECT_EQ(widget.picker(0)->currentText(), "14");
    EXPECT_EQ(widget.picker(0)->count(), 17);
    EXPECT_EQ(widget.picker(1)->currentText(), "검은색");
    EXPECT_EQ(widget.picker(1)->itemData(11, Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
    EXPECT_EQ(widget.picker(2)->currentText(), "배민 도현");
    EXPECT_TRUE(widget.notice()->text().contains(QStringLiteral("Option(Alt)키를")));
    expectNothingCut(&widget);

    emit widget.picker(1)->activated(11);
    settle();
    EXPECT_EQ(settings.pickerIndex2(), 11);
    EXPECT_EQ(test.context().settings().integer(QStringLiteral("fontColor")), 11);
    EXPECT_EQ(widget.picker(1)->currentText(), "하얀색");

    settings.settingsViewBtnPressed.set(true);
    click(widget.closeButton());
    EXPECT_FALSE(settings.settingsViewBtnPressed());
}

TEST_F(PanelWidgetsTest, TheSupportRowRevealsTheLinkUnderThePointerAndAClickOpensIt) {
    testing::FakeMoviePlayer movie;
    AboutView view(settings, test.context(), movie);
    {
        AboutViewWidget widget(view, movie);
        widget.show();
        settle();
        EXPECT_EQ(widget.size(), QSize(830, 470));
        EXPECT_TRUE(movie.isPlaying());
        expectNothingCut(&widget);

        QWidget* row = widget.supportRow();
        EXPECT_EQ(row->cursor().shape(), Qt::PointingHandCursor);
        const auto linePicture = [&widget] { return widget.paymentLine()->grab().toImage(); };
        const QImage before = linePicture();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), row->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(row, &enter);
        settle();
        EXPECT_EQ(widget.paymentLine()->text(), QString::fromStdString(view.tossLink));
        // Its shimmer masks the link now, not the text it kept before.
        EXPECT_NE(linePicture(), before);
        ASSERT_EQ(test.recordingSoundPlayer().played().size(), 1);
        EXPECT_TRUE(test.recordingSoundPlayer().played().front().endsWith(AboutView::cheeringSound));

        click(widget.paymentLine());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(row, &leave);
        settle();
        EXPECT_EQ(test.recordingUrlOpener().urls(), QList<QUrl>{QUrl(QString::fromStdString(view.tossLink))});
        EXPECT_EQ(widget.paymentLine()->text(), QString::fromStdString(view.tossLink));

        widget.hide();
        EXPECT_FALSE(movie.isPlaying());
    }
    // The hand went with the row.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(PanelWidgetsTest, AMovieViewKeepsNoFrameWhileItIsNotShown) {
    testing::FakeMoviePlayer movie;
    MoviePlayerWidget view(movie);
    QImage frame(8, 6, QImage::Format_RGB32);
    frame.fill(Qt::red);
    movie.showFrame(frame);
    EXPECT_FALSE(view.hasFrame());
    view.show();
    movie.showFrame(frame);
    EXPECT_TRUE(view.hasFrame());
    view.hide();
    movie.showFrame(frame);
    EXPECT_FALSE(view.hasFrame());
}

TEST_F(PanelWidgetsTest, AMovieViewShownAsksForFramesAtTheSizeItShowsThem) {
    testing::FakeMoviePlayer movie;
    MoviePlayerWidget view(movie);
    view.resize(830, 470);
    view.setFillsFrame(true);
    EXPECT_TRUE(movie.shownIn.isEmpty());
    view.show();
    EXPECT_EQ(movie.shownIn, QSize(830, 470) * view.devicePixelRatio());
    EXPECT_EQ(movie.shownMode, Qt::KeepAspectRatioByExpanding);
    view.resize(400, 300);
    EXPECT_EQ(movie.shownIn, QSize(400, 300) * view.devicePixelRatio());
}

TEST_F(PanelWidgetsTest, ARoundedMovieViewLeavesItsCornersToWhatLiesUnderItAndDimsItsFrames) {
    testing::FakeMoviePlayer movie;
    QWidget under;
    under.resize(200, 100);
    under.setAutoFillBackground(true);
    under.setPalette(QPalette(Qt::white));
    auto* view = new MoviePlayerWidget(movie, &under);
    view->setGeometry(under.rect());
    view->setFillsFrame(true);
    view->setCornerRadius(30);
    view->setVeil(QColor(0, 0, 0, 128));
    under.show();
    QImage frame(400, 100, QImage::Format_RGB32);
    frame.fill(Qt::red);
    movie.showFrame(frame);
    const QImage shown = under.grab().toImage();
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(Qt::white));
    const QColor middle = shown.pixelColor(100, 50);
    EXPECT_NEAR(middle.red(), 127, 2);
    EXPECT_EQ(middle.green(), 0);

    // Pixel for pixel the rounded shape filled with the frame's middle and dimmed, corners and
    // edges alike.
    QLinearGradient colours(0, 0, 400, 100);
    colours.setColorAt(0, Qt::red);
    colours.setColorAt(1, Qt::blue);
    QPainter(&frame).fillRect(frame.rect(), colours);
    movie.showFrame(frame);
    QImage expected(200, 100, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(0, 0, 200, 100), 30, 30);
        QBrush brush(frame);
        brush.setTransform(QTransform::fromTranslate(-100, 0));
        painter.fillPath(shape, brush);
        painter.fillPath(shape, QColor(0, 0, 0, 128));
    }
    const QImage rounded = under.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QColor a = rounded.pixelColor(x, y);
            const QColor b = expected.pixelColor(x, y);
            differing += std::abs(a.red() - b.red()) > 2 || std::abs(a.blue() - b.blue()) > 2 ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(PanelWidgetsTest, TheMovieHoldsWhileAnotherProgramIsInFront) {
    testing::FakeMoviePlayer movie;
    AboutView view(settings, test.context(), movie);
    AboutViewWidget widget(view, movie);
    widget.show();
    EXPECT_TRUE(movie.isPlaying());
    test.context().activity().notify(false);
    EXPECT_FALSE(movie.isPlaying());
    test.context().activity().notify(true);
    EXPECT_TRUE(movie.isPlaying());
    widget.hide();
    test.context().activity().notify(true);
    EXPECT_FALSE(movie.isPlaying());
}

} // namespace
} // namespace lumenscroll
