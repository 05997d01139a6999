// The start-up screen's behaviour, driven by the manual scheduler: the 3.0-second wait, the
// start-up chapter in the shared state, the movie's loop, and a movie that cannot play.

#include "app/shell/SplashView.h"

#include "FakeMoviePlayer.h"
#include "app/model/BibleBook.h"
#include "app/platform/Binding.h"
#include "app/reading/UserSettings.h"
#include "app/shell/MainView.h"
#include "testing/platform/TestAppContext.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace lumenscroll {
namespace {

using std::chrono::milliseconds;
using Books = std::vector<std::vector<BibleStructure>>;

const QString genesisFile = QStringLiteral("01창세기.txt");

// Genesis 1, shorter than the verse table says, with every kind of line.
const QByteArray shortGenesis = QStringLiteral("1:1 <천지 창조>태초에 하나님이\n"
                                               "1:2 땅이: 혼돈하고\n"
                                               "\n"
                                               "1:3 가라사대: 빛이: 있으라\n"
                                               "1:4-5 합친 구절\n"
                                               "1:6 건너뛰는 줄\n"
                                               "1:7 마지막\n")
                                    .toUtf8();

class SplashViewTest : public ::testing::Test {
protected:
    explicit SplashViewTest(const QString& resources = {})
        : test(resources) {}

    void addMovieAndText(const QByteArray& genesis = shortGenesis) {
        ASSERT_TRUE(test.addResource(QStringLiteral("IntroMovie.mp4"), QByteArrayLiteral("a movie")));
        ASSERT_TRUE(test.addResource(genesisFile, genesis));
    }

    SplashView& makeSplash() {
        splash = std::make_unique<SplashView>(settings, test.context(), movie, Binding<bool>::to(pagesRestored));
        return *splash;
    }

    void advance(milliseconds duration) { test.manualScheduler().advance(duration); }
    bool traced(const QString& line) { return test.traceCapture().contains(line); }

    TestAppContext test;
    UserSettings settings;
    testing::FakeMoviePlayer movie;
    bool pagesRestored = false;
    std::unique_ptr<SplashView> splash;
};

// --- the start-up sequence ------------------------------------------------------------------

TEST_F(SplashViewTest, NothingHappensBeforeThreeSecondsThenTheKoreanGenesisOneIsLoadedAndTheMainViewTakesOver) {
    addMovieAndText();
    SplashView& view = makeSplash();
    EXPECT_TRUE(view.showIndicator());
    EXPECT_FALSE(view.goToMain());

    view.appear();
    EXPECT_TRUE(movie.isPlaying());
    advance(milliseconds{2999});
    EXPECT_TRUE(view.showIndicator());
    EXPECT_FALSE(view.goToMain());
    EXPECT_EQ(view.mainView(), nullptr);
    EXPECT_EQ(settings.BibleWordsContainer(), UserSettings::placeholderBooks());
    EXPECT_TRUE(settings.loadedBibleWordsContainers().empty());
    EXPECT_TRUE(movie.isPlaying());

    advance(milliseconds{1});
    EXPECT_FALSE(view.showIndicator());
    EXPECT_TRUE(view.goToMain());
    ASSERT_NE(view.mainView(), nullptr);
    EXPECT_FALSE(movie.isPlaying());
    // Hidden behind the main view from now on: the player lets the movie go for good.
    EXPECT_EQ(movie.unloads, 1);
    view.startIntroMovie();
    EXPECT_FALSE(movie.isPlaying());

    const Books& books = settings.BibleWordsContainer();
    ASSERT_EQ(books.size(), 66u);
    ASSERT_EQ(books[0].size(), 1u);
    const BibleStructure& genesis = books[0][0];
    EXPECT_EQ(genesis.versesIndex, 1);
    EXPECT_EQ(genesis.order, 0);
    EXPECT_EQ(genesis.language, "kr");
    EXPECT_EQ(genesis.name, "창세기");
    EXPECT_TRUE(genesis.isOldTestment);
    EXPECT_EQ(genesis.sectionIndex, 0);
    EXPECT_EQ(genesis.kindOfBible, BibleKind::kr01);
    EXPECT_EQ(genesis.matchingIndexToMemo, 0);
    EXPECT_EQ(genesis.praises.size(), 6u);
    // The other books keep their placeholder.
    EXPECT_EQ(books[1], std::vector<BibleStructure>(1));
    ASSERT_EQ(settings.loadedBibleWordsContainers().count("kr"), 1u);
    EXPECT_EQ(settings.loadedBibleWordsContainers().at("kr"), books);
    EXPECT_EQ(view.selectedBible().praises, genesis.praises);
    EXPECT_EQ(view.selectedBible().sectionIndex, 0);
}

TEST_F(SplashViewTest, AnAlreadyLoadedTextGoesOnToTheMainViewAtOnceWithoutLoading) {
    addMovieAndText();
    settings.BibleWordsContainer.modify([](Books& books) { books[0][0].name = "창세기"; });
    const Books before = settings.BibleWordsContainer();
    SplashView& view = makeSplash();

    view.appear();
    EXPECT_FALSE(view.showIndicator());
    EXPECT_TRUE(view.goToMain());
    EXPECT_NE(view.mainView(), nullptr);
    EXPECT_FALSE(movie.isPlaying());
    EXPECT_EQ(test.manualScheduler().pendingCount(), 0u);

    advance(milliseconds{5000});
    EXPECT_EQ(settings.BibleWordsContainer(), before);
    EXPECT_TRUE(settings.loadedBibleWordsContainers().empty());
}

TEST_F(SplashViewTest, TheScreenAppearsOnceAndItsMainViewCarriesTheRestoreFlagOfTheApplication) {
    addMovieAndText();
    SplashView& view = makeSplash();
    view.appear();
    view.appear();
    EXPECT_EQ(test.manualScheduler().pendingCount(), 1u);
    EXPECT_EQ(movie.plays, 1);

    advance(SplashView::startupDelay);
    ASSERT_NE(view.mainView(), nullptr);
    EXPECT_EQ(settings.BibleWordsContainer()[0].size(), 1u);
    view.mainView()->pagesRestored.set(true);
    EXPECT_TRUE(pagesRestored);
}

TEST_F(SplashViewTest, AScreenClosedBeforeThreeSecondsLoadsNothing) {
    addMovieAndText();
    makeSplash().appear();
    splash.reset();
    advance(milliseconds{5000});
    EXPECT_EQ(settings.BibleWordsContainer(), UserSettings::placeholderBooks());
}

// --- the movie --------------------------------------------------------------------------------

TEST_F(SplashViewTest, TheMovieStartsAgainFromTheStartAfterItsEndOnceHoweverOftenItsViewAppeared) {
    addMovieAndText();
    SplashView& view = makeSplash();
    EXPECT_TRUE(movie.source.endsWith(QStringLiteral("IntroMovie.mp4")));
    view.startIntroMovie();
    view.startIntroMovie();
    view.startIntroMovie();
    EXPECT_EQ(movie.endListenerCount(), 1u);

    movie.reachEnd();
    // Posted, not done inside the player's notification.
    EXPECT_EQ(movie.seeks, 0);
    test.manualScheduler().runReady();
    EXPECT_EQ(movie.seeks, 1);
    EXPECT_TRUE(movie.isPlaying());

    movie.reachEnd();
    test.manualScheduler().runReady();
    EXPECT_EQ(movie.seeks, 2);
    EXPECT_TRUE(movie.isPlaying());
}

TEST_F(SplashViewTest, AMovieEndingJustBeforeTheStartUpFinishesStaysStopped) {
    addMovieAndText();
    SplashView& view = makeSplash();
    view.appear();
    advance(milliseconds{2999});
    // The end arrives, then the finish step runs before the replay it posted.
    movie.reachEnd();
    view.finishStartup();
    test.manualScheduler().runReady();
    EXPECT_TRUE(view.goToMain());
    EXPECT_FALSE(movie.isPlaying());
    EXPECT_EQ(movie.seeks, 0);
}

TEST_F(SplashViewTest, AMissingMovieIsReportedAndTheStartUpRunsUnchanged) {
    ASSERT_TRUE(test.addResource(genesisFile, shortGenesis));
    SplashView& view = makeSplash();
    EXPECT_TRUE(traced(QStringLiteral("error IntroMovie.mp4 is not among the resources")));
    EXPECT_TRUE(view.player.hasFailed());

    view.appear();
    EXPECT_EQ(movie.plays, 0);
    advance(milliseconds{2999});
    EXPECT_FALSE(view.goToMain());
    advance(milliseconds{1});
    EXPECT_TRUE(view.goToMain());
    EXPECT_FALSE(view.showIndicator());
    EXPECT_EQ(settings.BibleWordsContainer()[0].size(), 1u);
    EXPECT_EQ(settings.BibleWordsContainer()[0][0].praises.size(), 6u);
}

TEST_F(SplashViewTest, AMovieThePlayerCannotDecodeIsReportedAndTheStartUpRunsUnchanged) {
    addMovieAndText();
    SplashView& view = makeSplash();
    view.appear();
    movie.fail(QStringLiteral("Could not open file"));
    EXPECT_TRUE(traced(QStringLiteral("error Could not open file")));
    EXPECT_TRUE(view.player.hasFailed());

    // A failed movie is never replayed.
    movie.reachEnd();
    test.manualScheduler().runReady();
    EXPECT_EQ(movie.seeks, 0);

    advance(SplashView::startupDelay);
    EXPECT_TRUE(view.goToMain());
    EXPECT_EQ(settings.BibleWordsContainer()[0].size(), 1u);
}

// --- the start-up chapter loader -------------------------------------------------------------

TEST_F(SplashViewTest, TheLoaderReadsHeadingsColonsAndMergedVersesAndKeepsTheBlankBeforeAPlainVerse) {
    addMovieAndText();
    SplashView& view = makeSplash();
    settings.BibleWordsContainer.modify([](Books& books) { books[0].clear(); });
    view.loadBibleText(0, 1);

    const std::vector<BiblePraise>& verses = view.selectedBible().praises;
    ASSERT_EQ(verses.size(), 6u);
    EXPECT_EQ(verses[0].word, "태초에 하나님이");
    EXPECT_EQ(verses[0].theme, "천지 창조");
    EXPECT_TRUE(verses[0].hasTheme);
    EXPECT_EQ(verses[1].word, " 땅이: 혼돈하고");
    EXPECT_FALSE(verses[1].hasTheme);
    EXPECT_EQ(verses[2].word, " 가라사대: 빛이: 있으라");
    // The merged line gives two verses of one text; the line after it is not read.
    EXPECT_EQ(verses[3].word, " 합친 구절");
    EXPECT_EQ(verses[4].word, " 합친 구절");
    EXPECT_EQ(verses[4].index, 4);
    EXPECT_NE(verses[3].memo, verses[4].memo);
    EXPECT_EQ(verses[5].word, " 마지막");
    for (std::size_t i = 0; i < verses.size(); ++i) {
        EXPECT_EQ(verses[i].index, static_cast<std::int64_t>(i));
        EXPECT_FALSE(verses[i].isSelected);
        EXPECT_EQ(verses[i].bgColor, 0);
        ASSERT_NE(verses[i].memo, nullptr);
    }
}

TEST_F(SplashViewTest, AMergedLastLineGivesItsSecondVerseTheIndexPastTheLines) {
    addMovieAndText(QByteArrayLiteral("1:1 a\n1:2-3 b\n"));
    SplashView& view = makeSplash();
    view.loadBibleText(0, 1);
    const std::vector<BiblePraise>& verses = view.selectedBible().praises;
    ASSERT_EQ(verses.size(), 3u);
    EXPECT_EQ(verses[2].index, 2);
    EXPECT_EQ(verses[2].word, " b");
}

TEST_F(SplashViewTest, TheLoaderCountsOnlyNonEmptyLinesFedByLineFeedsToFindAChapter) {
    // Chapter 2 starts after Genesis 1's 31 verses, blank lines not counted.
    QByteArray text;
    for (int verse = 1; verse <= 31; ++verse) {
        text += QByteArray("1:") + QByteArray::number(verse) + " one\n\n";
    }
    text += "2:1 two\n";
    addMovieAndText(text);
    SplashView& view = makeSplash();
    view.loadBibleText(0, 2);
    ASSERT_EQ(view.selectedBible().praises.size(), 1u);
    EXPECT_EQ(view.selectedBible().praises[0].word, " two");
    EXPECT_EQ(settings.BibleWordsContainer()[0].back().versesIndex, 2);
}

TEST_F(SplashViewTest, ABookWhoseEntryIsFullIsLeftAsItIs) {
    addMovieAndText();
    settings.BibleWordsContainer.modify([](Books& books) { books[0].assign(50, BibleStructure{}); });
    const Books before = settings.BibleWordsContainer();
    SplashView& view = makeSplash();
    view.loadBibleText(0, 1);
    EXPECT_EQ(view.selectedBible().praises.size(), 6u);
    EXPECT_EQ(settings.BibleWordsContainer(), before);
    EXPECT_TRUE(settings.loadedBibleWordsContainers().empty());
}

TEST_F(SplashViewTest, AMissingTextIsReportedAndStoresTheChapterWithoutVerses) {
    ASSERT_TRUE(test.addResource(QStringLiteral("IntroMovie.mp4"), QByteArrayLiteral("a movie")));
    SplashView& view = makeSplash();
    settings.BibleWordsContainer.modify([](Books& books) { books[0].clear(); });
    view.loadBibleText(0, 1);
    EXPECT_TRUE(traced(QStringLiteral("file is not exist")));
    EXPECT_TRUE(view.selectedBible().praises.empty());
    ASSERT_EQ(settings.BibleWordsContainer()[0].size(), 1u);
    EXPECT_TRUE(settings.BibleWordsContainer()[0][0].praises.empty());
    EXPECT_EQ(settings.BibleWordsContainer()[0][0].name, "창세기");
}

TEST_F(SplashViewTest, MalformedShortOrNonUtf8TextsGiveFewerOrNoVersesNeverACrash) {
    struct Case {
        QByteArray text;
        std::size_t verses;
    };
    const std::vector<Case> cases{
        {QByteArrayLiteral("no colon at all\n1:2\n1:3 <heading without text>\n1:4-\n:\n"), 5},
        {QByteArrayLiteral("1:1 one\r\n1:2 two\r\n"), 1}, // CR LF does not end a Korean line
        {QByteArrayLiteral("1:1 \xff\xfe broken\n"), 0},
        {QByteArray(), 0},
    };
    for (const Case& c : cases) {
        TestAppContext local;
        ASSERT_TRUE(local.addResource(genesisFile, c.text));
        UserSettings localSettings;
        testing::FakeMoviePlayer localMovie;
        SplashView view(localSettings, local.context(), localMovie);
        view.loadBibleText(0, 1);
        EXPECT_EQ(view.selectedBible().praises.size(), c.verses) << c.text.toStdString();
    }
}

TEST_F(SplashViewTest, AnInvalidBookOrChapterLoadsAndStoresNothing) {
    addMovieAndText();
    SplashView& view = makeSplash();
    const Books before = settings.BibleWordsContainer();
    for (const auto& [book, chapter] : std::vector<std::pair<std::int64_t, std::int64_t>>{
             {-1, 1}, {66, 1}, {1000, 1}, {0, 0}, {0, -3}, {0, 51}}) {
        view.loadBibleText(book, chapter);
        EXPECT_TRUE(view.selectedBible().praises.empty()) << book << " " << chapter;
        EXPECT_EQ(view.selectedBible().sectionIndex, book);
    }
    EXPECT_EQ(settings.BibleWordsContainer(), before);
    EXPECT_TRUE(settings.loadedBibleWordsContainers().empty());
}

// --- the real text ----------------------------------------------------------------------------

class SplashViewRealTextTest : public SplashViewTest {
protected:
    SplashViewRealTextTest()
        : SplashViewTest(QStringLiteral(LUMENSCROLL_RESOURCE_DIR)) {}
};

TEST_F(SplashViewRealTextTest, TheStartUpLoadsTheThirtyOneVersesOfGenesisOne) {
    if (!test.context().resources().path(QStringLiteral("01창세기"), QStringLiteral("txt"))) {
        GTEST_SKIP() << "the Korean text is not among the built resources";
    }
    SplashView& view = makeSplash();
    view.appear();
    advance(SplashView::startupDelay);
    ASSERT_TRUE(view.goToMain());
    const BibleStructure& genesis = settings.BibleWordsContainer()[0][0];
    ASSERT_EQ(genesis.praises.size(), 31u);
    EXPECT_EQ(genesis.praises[0].word, " 태초에 하나님이 천지를 창조하시니라");
    EXPECT_EQ(genesis.praises[30].index, 30);
    EXPECT_EQ(genesis.name, "창세기");
}

} // namespace
} // namespace lumenscroll
