// The movie player's frames: announced faster than they are turned into images, they must not
// pile up in the event queue (the window would stop answering); the newest is shown.

#include "app/shell/MediaMoviePlayer.h"

#include <QCoreApplication>
#include <QImage>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <QVideoSink>

#include <gtest/gtest.h>

#include <vector>

namespace lumenscroll {
namespace {

TEST(MediaMoviePlayer, ShowsOnlyTheNewestOfTheFramesAnnouncedBeforeItsTurn) {
    MediaMoviePlayer player;
    std::vector<int> shownWidths;
    const Subscription subscription =
        player.onFrame([&](const QImage& image) { shownWidths.push_back(image.width()); });

    // Frames told apart by their width.
    for (const int width : {2, 4, 6}) {
        player.sink()->setVideoFrame(QVideoFrame(QVideoFrameFormat(QSize(width, 2), QVideoFrameFormat::Format_RGBA8888)));
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(shownWidths, std::vector<int>{6});

    player.sink()->setVideoFrame(QVideoFrame(QVideoFrameFormat(QSize(8, 2), QVideoFrameFormat::Format_RGBA8888)));
    QCoreApplication::processEvents();
    EXPECT_EQ(shownWidths, (std::vector<int>{6, 8}));
}

} // namespace
} // namespace lumenscroll
