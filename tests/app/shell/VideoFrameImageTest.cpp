// Decoded movie frames turned into pictures on the processor: each 4:2:0 layout, both ranges
// and both colour spaces give the colour the frame holds, at the size the picture is shown at.

#include "app/shell/VideoFrameImage.h"

#include <QColor>
#include <QImage>
#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace lumenscroll {
namespace {

using Format = QVideoFrameFormat;

struct FrameCase {
    Format::PixelFormat layout;
    Format::ColorSpace space;
    Format::ColorRange range;
    int y, u, v;
    QColor expected;
};

// A 4 by 2 frame of one colour.
QVideoFrame solidFrame(const FrameCase& c) {
    Format format(QSize(4, 2), c.layout);
    format.setColorSpace(c.space);
    format.setColorRange(c.range);
    QVideoFrame frame(format);
    if (!frame.map(QVideoFrame::WriteOnly)) {
        return {};
    }
    std::memset(frame.bits(0), c.y, static_cast<std::size_t>(frame.mappedBytes(0)));
    const bool swapped = c.layout == Format::Format_YV12 || c.layout == Format::Format_NV21;
    const int first = swapped ? c.v : c.u;
    const int second = swapped ? c.u : c.v;
    if (frame.planeCount() == 3) {
        std::memset(frame.bits(1), first, static_cast<std::size_t>(frame.mappedBytes(1)));
        std::memset(frame.bits(2), second, static_cast<std::size_t>(frame.mappedBytes(2)));
    } else {
        for (int i = 0; i + 1 < frame.mappedBytes(1); i += 2) {
            frame.bits(1)[i] = static_cast<uchar>(first);
            frame.bits(1)[i + 1] = static_cast<uchar>(second);
        }
    }
    frame.unmap();
    return frame;
}

TEST(VideoFrameImage, GivesTheColourOfEachLayoutRangeAndColourSpace) {
    const QColor red(255, 0, 0);
    const FrameCase cases[] = {
        {Format::Format_YUV420P, Format::ColorSpace_BT601, Format::ColorRange_Video, 235, 128, 128, Qt::white},
        {Format::Format_YUV420P, Format::ColorSpace_Undefined, Format::ColorRange_Unknown, 16, 128, 128, Qt::black},
        {Format::Format_YUV420P, Format::ColorSpace_BT601, Format::ColorRange_Video, 81, 90, 240, red},
        {Format::Format_YV12, Format::ColorSpace_BT601, Format::ColorRange_Video, 81, 90, 240, red},
        {Format::Format_NV12, Format::ColorSpace_BT601, Format::ColorRange_Video, 81, 90, 240, red},
        {Format::Format_NV21, Format::ColorSpace_BT601, Format::ColorRange_Video, 81, 90, 240, red},
        {Format::Format_YUV420P, Format::ColorSpace_BT601, Format::ColorRange_Full, 76, 85, 255, red},
        {Format::Format_YUV420P, Format::ColorSpace_BT709, Format::ColorRange_Video, 63, 102, 240, red},
    };
    for (const FrameCase& c : cases) {
        const QImage image = VideoFrameImage::of(solidFrame(c));
        ASSERT_EQ(image.size(), QSize(4, 2)) << c.layout;
        const QColor shown = image.pixelColor(3, 1);
        EXPECT_LE(std::abs(shown.red() - c.expected.red()), 2) << c.layout << " " << c.y;
        EXPECT_LE(std::abs(shown.green() - c.expected.green()), 2) << c.layout << " " << c.y;
        EXPECT_LE(std::abs(shown.blue() - c.expected.blue()), 2) << c.layout << " " << c.y;
    }
    EXPECT_TRUE(VideoFrameImage::of(QVideoFrame()).isNull());
}

// An 8 by 4 frame, red on its left half and blue on its right.
QVideoFrame halvesFrame() {
    QVideoFrame frame(Format(QSize(8, 4), Format::Format_YUV420P));
    if (!frame.map(QVideoFrame::WriteOnly)) {
        return {};
    }
    const int values[3][2] = {{81, 41}, {90, 240}, {240, 110}};
    for (int plane = 0; plane < 3; ++plane) {
        const int width = plane == 0 ? 8 : 4;
        for (int y = 0; y < (plane == 0 ? 4 : 2); ++y) {
            uchar* line = frame.bits(plane) + y * frame.bytesPerLine(plane);
            std::memset(line, values[plane][0], static_cast<std::size_t>(width / 2));
            std::memset(line + width / 2, values[plane][1], static_cast<std::size_t>(width / 2));
        }
    }
    frame.unmap();
    return frame;
}

TEST(VideoFrameImage, IsMadeAtTheSizeShownCutToTheBoxAndNeverLargerThanTheFrame) {
    const struct {
        QSize box;
        Qt::AspectRatioMode mode;
        QSize expected;
    } cases[] = {
        {QSize(), Qt::KeepAspectRatio, QSize(8, 4)},
        {QSize(4, 4), Qt::KeepAspectRatio, QSize(4, 2)},
        {QSize(2, 2), Qt::KeepAspectRatioByExpanding, QSize(2, 2)},
        {QSize(6, 2), Qt::KeepAspectRatioByExpanding, QSize(6, 2)},
        {QSize(16, 16), Qt::KeepAspectRatio, QSize(8, 4)},
    };
    for (const auto& c : cases) {
        const QImage image = VideoFrameImage::of(halvesFrame(), c.box, c.mode);
        ASSERT_EQ(image.size(), c.expected) << c.box.width();
        const QColor left = image.pixelColor(0, image.height() - 1);
        const QColor right = image.pixelColor(image.width() - 1, 0);
        EXPECT_TRUE(left.red() > 250 && left.green() < 5 && left.blue() < 5) << c.box.width();
        EXPECT_TRUE(right.blue() > 250 && right.red() < 5 && right.green() < 5) << c.box.width();
    }
}

TEST(VideoFrameImage, IsWrittenOverASpareOnlyWhenNobodyElseHoldsIt) {
    const QImage first = VideoFrameImage::of(halvesFrame(), QSize(4, 4));
    const uchar* const bits = first.constBits();
    QImage spare = first;
    QImage reused = VideoFrameImage::of(halvesFrame(), QSize(4, 4), Qt::KeepAspectRatio, std::move(spare));
    // `first` still holds it: a new picture, and `first` left as it was.
    EXPECT_NE(reused.constBits(), bits);
    EXPECT_EQ(first, reused);

    const uchar* const reusedBits = reused.constBits();
    const QImage written = VideoFrameImage::of(halvesFrame(), QSize(4, 4), Qt::KeepAspectRatio, std::move(reused));
    EXPECT_EQ(written.constBits(), reusedBits);
    EXPECT_EQ(written, first);
    // Of another size, it is not used.
    EXPECT_EQ(VideoFrameImage::of(halvesFrame(), QSize(2, 2), Qt::KeepAspectRatio, written).size(), QSize(2, 1));
}

} // namespace
} // namespace lumenscroll
