// The About panel's behaviour: the support row's states and sounds as the pointer comes and
// goes, the payment link, the movie's loop, and a missing movie or sound or a bad link.

#include "app/shell/AboutView.h"

#include "FakeMoviePlayer.h"
#include "app/reading/UserSettings.h"
#include "testing/platform/TestAppContext.h"

#include <QDir>

#include <gtest/gtest.h>

namespace lumenscroll {
namespace {

class AboutViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const QString& name : {AboutView::cheeringSound, AboutView::disappointedSound,
                                    QStringLiteral("IntroMovie.mp4")}) {
            ASSERT_TRUE(test.addResource(name, QByteArrayLiteral("media")));
        }
        view = std::make_unique<AboutView>(settings, test.context(), movie);
    }

    void settle() { test.manualScheduler().runReady(); }
    QString resource(const QString& name) {
        return QDir(test.context().resources().directory()).filePath(name);
    }
    const QStringList& played() { return test.recordingSoundPlayer().played(); }

    TestAppContext test;
    UserSettings settings;
    testing::FakeMoviePlayer movie;
    std::unique_ptr<AboutView> view;
};

TEST_F(AboutViewTest, PointingAtTheSupportRowRevealsTheLinkWithCheersAndLeavingHidesItDisappointed) {
    EXPECT_EQ(view->paymentLine(), "👉 토스 후원 계좌 보기 👈");
    view->hoverSupportRow(true);
    settle();
    EXPECT_TRUE(view->hoverOnToss());
    EXPECT_EQ(view->paymentLine(), view->tossLink);
    EXPECT_EQ(played(), QStringList{resource(AboutView::cheeringSound)});

    view->hoverSupportRow(false);
    settle();
    EXPECT_FALSE(view->hoverOnToss());
    EXPECT_EQ(view->paymentLine(), view->supportLink);
    EXPECT_EQ(played(), (QStringList{resource(AboutView::cheeringSound), resource(AboutView::disappointedSound)}));
    EXPECT_EQ(view->audioPlayer(), resource(AboutView::disappointedSound));
}

TEST_F(AboutViewTest, AClickOpensTheLinkAndKeepsTheRowRevealedInSilence) {
    view->hoverSupportRow(true);
    settle();
    view->pressPaymentLine();
    view->hoverSupportRow(false);
    settle();
    ASSERT_EQ(test.recordingUrlOpener().urls().size(), 1);
    EXPECT_EQ(test.recordingUrlOpener().urls().front(), QUrl(QString::fromStdString(view->tossLink)));
    EXPECT_TRUE(view->tappedTossLink());
    EXPECT_TRUE(view->hoverOnToss());
    EXPECT_EQ(played().size(), 1);
    // The cursor is the row's own: nothing was pushed over the application.
    EXPECT_EQ(test.recordingCursorStack().depth(), 0);
}

TEST_F(AboutViewTest, AMissingMovieOrSoundOrAnInvalidLinkIsSkippedAndTheClickStillCounts) {
    ASSERT_TRUE(QFile::remove(resource(QStringLiteral("IntroMovie.mp4"))));
    testing::FakeMoviePlayer noMovie;
    AboutView withoutMovie(settings, test.context(), noMovie);
    withoutMovie.startMovie();
    EXPECT_TRUE(withoutMovie.player.hasFailed());
    EXPECT_EQ(noMovie.plays, 0);

    view->tossLink = "http://exa mple.org/<bad>";
    ASSERT_TRUE(QFile::remove(resource(AboutView::cheeringSound)));
    view->hoverSupportRow(true);
    settle();
    EXPECT_TRUE(played().isEmpty());
    EXPECT_EQ(view->audioPlayer(), std::nullopt);
    view->pressPaymentLine();
    EXPECT_TRUE(test.recordingUrlOpener().urls().isEmpty());
    EXPECT_TRUE(view->tappedTossLink());
}

TEST_F(AboutViewTest, TheMovieStartsAgainFromTheStartAtItsEndWithOneHandlerPerPanel) {
    EXPECT_TRUE(movie.source.endsWith(QStringLiteral("IntroMovie.mp4")));
    view->startMovie();
    view->startMovie();
    EXPECT_EQ(movie.endListenerCount(), 1u);
    EXPECT_TRUE(movie.isPlaying());
    movie.reachEnd();
    settle();
    EXPECT_EQ(movie.seeks, 1);
    EXPECT_TRUE(movie.isPlaying());
}

TEST_F(AboutViewTest, AMovieUnloadedOrGoneLeavesItsPlayerToTheNextMovie) {
    // The intro movie played in the same player before the panel's.
    LoopingMovie intro(movie, test.context(), AboutView::movieName, AboutView::movieType);
    intro.start();
    intro.unload();
    view->startMovie();
    EXPECT_EQ(movie.endListenerCount(), 1u);
    movie.fail(QStringLiteral("the panel's movie cannot be played"));
    EXPECT_FALSE(intro.hasFailed());

    view.reset();
    EXPECT_EQ(movie.unloads, 2);
    EXPECT_EQ(movie.endListenerCount(), 0u);
}

TEST_F(AboutViewTest, CloseClearsOnlyItsFlag) {
    settings.aboutViewBtnPressed.set(true);
    settings.settingsViewBtnPressed.set(true);
    view->close();
    EXPECT_FALSE(settings.aboutViewBtnPressed());
    EXPECT_TRUE(settings.settingsViewBtnPressed());
}

} // namespace
} // namespace lumenscroll
