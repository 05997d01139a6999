// The animated-image frame providers over GIF and animated PNG files written here, byte by
// byte: frame counts, the delays each frame's own block or chunk gives, the frames' pictures
// and sizes, the errors, and cut-short files.

#include "app/shell/APNGFrameProvider.h"
#include "app/shell/GIFFrameProvider.h"
#include "app/shell/RatError.h"

#include <QBuffer>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <unordered_set>
#include <vector>

namespace lumenscroll {
namespace {

static_assert(std::is_abstract_v<BitmapImageFrameProvider>);
static_assert(!std::is_constructible_v<BitmapImageFrameProvider, QByteArray>);

void append16(QByteArray& bytes, int value, bool bigEndian) {
    const char high = static_cast<char>((value >> 8) & 0xFF);
    const char low = static_cast<char>(value & 0xFF);
    bytes.append(bigEndian ? high : low);
    bytes.append(bigEndian ? low : high);
}

void append32(QByteArray& bytes, std::uint32_t value) {
    append16(bytes, static_cast<int>(value >> 16), true);
    append16(bytes, static_cast<int>(value & 0xFFFF), true);
}

// --- GIF ---

struct GifFrame {
    std::optional<int> hundredths;
    int width = 1;
    int height = 1;
};

// Pixels of colour 0, coded with 3-bit codes: a clear code before every two pixels keeps the
// code table from growing.
QByteArray lzwPixels(int count) {
    std::vector<int> codes;
    for (int p = 0; p < count; ++p) {
        if (p % 2 == 0) {
            codes.push_back(4);
        }
        codes.push_back(0);
    }
    codes.push_back(5);
    QByteArray packed;
    std::uint32_t bits = 0;
    int used = 0;
    for (const int code : codes) {
        bits |= static_cast<std::uint32_t>(code) << used;
        used += 3;
        while (used >= 8) {
            packed.append(static_cast<char>(bits & 0xFF));
            bits >>= 8;
            used -= 8;
        }
    }
    if (used > 0) {
        packed.append(static_cast<char>(bits & 0xFF));
    }
    return packed;
}

// The screen is the first frame's size.
QByteArray gif(const std::vector<GifFrame>& frames) {
    QByteArray bytes("GIF89a");
    append16(bytes, frames.empty() ? 1 : frames.front().width, false);
    append16(bytes, frames.empty() ? 1 : frames.front().height, false);
    bytes.append("\x80\x00\x00", 3);       // a table of two colours
    bytes.append("\x00\x00\x00\xff\xff\xff", 6);
    for (const GifFrame& frame : frames) {
        if (frame.hundredths) {
            bytes.append("\x21\xf9\x04\x00", 4);
            append16(bytes, *frame.hundredths, false);
            bytes.append("\x00\x00", 2);
        }
        bytes.append("\x2c\x00\x00\x00\x00", 5);
        append16(bytes, frame.width, false);
        append16(bytes, frame.height, false);
        bytes.append('\x00');
        bytes.append('\x02');
        const QByteArray pixels = lzwPixels(frame.width * frame.height);
        for (qsizetype at = 0; at < pixels.size(); at += 255) {
            const QByteArray block = pixels.mid(at, 255);
            bytes.append(static_cast<char>(block.size()));
            bytes.append(block);
        }
        bytes.append('\x00');
    }
    bytes.append('\x3b');
    return bytes;
}

// --- Animated PNG ---

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc & 1) != 0 ? 0xEDB88320U ^ (crc >> 1) : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFFU;
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    append32(png, static_cast<std::uint32_t>(data.size()));
    const QByteArray body = QByteArray(type) + data;
    png.append(body);
    append32(png, crc32(body));
}

// An image's rows as a PNG stores them, compressed: RGBA, each row after a filter byte of 0.
QByteArray compressedRows(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    QByteArray rows;
    for (int y = 0; y < rgba.height(); ++y) {
        rows.append('\x00');
        rows.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), static_cast<qsizetype>(rgba.width()) * 4);
    }
    return qCompress(rows).mid(4);
}

struct PngFrame {
    QImage image;
    QPoint at;
    int numerator = 1;
    int denominator = 10;
    int blending = 0;
};

QImage filled(QSize size, Qt::GlobalColor color) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// `animated` false: a still PNG of the first frame.
QByteArray png(QSize canvas, const std::vector<PngFrame>& frames, bool animated = true) {
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    append32(header, static_cast<std::uint32_t>(canvas.width()));
    append32(header, static_cast<std::uint32_t>(canvas.height()));
    header.append("\x08\x06\x00\x00\x00", 5);
    appendChunk(bytes, "IHDR", header);
    if (animated) {
        QByteArray control;
        append32(control, static_cast<std::uint32_t>(frames.size()));
        append32(control, 0);
        appendChunk(bytes, "acTL", control);
    }
    std::uint32_t sequence = 0;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const PngFrame& frame = frames[f];
        if (animated) {
            QByteArray control;
            append32(control, sequence++);
            append32(control, static_cast<std::uint32_t>(frame.image.width()));
            append32(control, static_cast<std::uint32_t>(frame.image.height()));
            append32(control, static_cast<std::uint32_t>(frame.at.x()));
            append32(control, static_cast<std::uint32_t>(frame.at.y()));
            append16(control, frame.numerator, true);
            append16(control, frame.denominator, true);
            control.append('\x00');
            control.append(static_cast<char>(frame.blending));
            appendChunk(bytes, "fcTL", control);
        }
        if (f == 0) {
            appendChunk(bytes, "IDAT", compressedRows(frame.image));
            if (!animated) {
                break;
            }
        } else {
            QByteArray data;
            append32(data, sequence++);
            appendChunk(bytes, "fdAT", data + compressedRows(frame.image));
        }
    }
    appendChunk(bytes, "IEND", {});
    return bytes;
}

QByteArray threeFramePng() {
    return png(QSize(4, 2), {{filled({4, 2}, Qt::red), {0, 0}, 1, 10},
                             {filled({2, 2}, Qt::blue), {2, 0}, 0, 0, 1},
                             {filled({1, 1}, Qt::green), {0, 1}, 3, 0}});
}

std::vector<double> delaysOf(const BitmapImageFrameProvider& provider) {
    std::vector<double> delays;
    for (int f = 0; f < provider.frameCount(); ++f) {
        delays.push_back(provider.frameDelay(f));
    }
    return delays;
}

template <class Provider> std::optional<RatError> errorOf(const QByteArray& bytes) {
    try {
        Provider provider(bytes);
    } catch (const RatError& error) {
        return error;
    }
    return std::nullopt;
}

TEST(FrameProvider, AGifGivesEachFrameTheDelayOfItsOwnControlBlock) {
    const GIFFrameProvider provider(gif({{0, 2, 1}, {5}, {20}, {1}}));
    ASSERT_EQ(provider.frameCount(), 4);
    // No delay at all shows for 100 ms; any other is taken as the file gives it.
    EXPECT_EQ(delaysOf(provider), (std::vector<double>{0.1, 0.05, 0.2, 0.01}));
    EXPECT_THROW((void)provider.frameDelay(4), std::out_of_range);
    EXPECT_THROW((void)provider.frameDelay(-1), std::out_of_range);

    const std::optional<QImage> first = provider.frameImage(0, QSizeF(64, 64));
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size(), QSize(64, 32));
    EXPECT_EQ(first->pixelColor(10, 10), QColor(Qt::black));
    EXPECT_FALSE(provider.frameImage(4, QSizeF(64, 64)).has_value());
}

TEST(FrameProvider, AnAnimatedPngGivesEachFrameItsDelayAndDrawsItOverTheOnesBefore) {
    const APNGFrameProvider provider(threeFramePng());
    ASSERT_EQ(provider.frameCount(), 3);
    // A denominator of 0 counts hundredths.
    EXPECT_EQ(delaysOf(provider), (std::vector<double>{0.1, 0.1, 0.03}));

    const std::optional<QImage> second = provider.frameImage(1, QSizeF(4, 4));
    ASSERT_TRUE(second.has_value());
    ASSERT_EQ(second->size(), QSize(4, 2));
    EXPECT_EQ(second->pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(second->pixelColor(3, 1), QColor(Qt::blue));
    const std::optional<QImage> third = provider.frameImage(2, QSizeF(4, 4));
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(third->pixelColor(0, 1), QColor(Qt::green));
    EXPECT_EQ(third->pixelColor(3, 0), QColor(Qt::blue));
    EXPECT_FALSE(provider.frameImage(3, QSizeF(4, 4)).has_value());
}

TEST(FrameProvider, AFrameIsSizedByTheTargetsHeightUnlessItIsLandscape) {
    struct Case {
        QSize frame;
        QSize shown;
    };
    for (const Case& c : std::vector<Case>{{{200, 100}, {64, 32}}, {{100, 200}, {32, 64}}, {{50, 50}, {64, 64}}}) {
        const APNGFrameProvider provider(png(c.frame, {{filled(c.frame, Qt::red), {0, 0}}}));
        const std::optional<QImage> image = provider.frameImage(0, QSizeF(64, 64));
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->size(), c.shown);
    }
}

TEST(FrameProvider, TheDelayRuleTakesTheFilesDelayFromAMicrosecondUpElseTheShownOne) {
    using Dictionary = ImageSource::Dictionary;
    struct Case {
        Dictionary dictionary;
        std::optional<double> delay;
    };
    const std::vector<Case> cases{{{{"U", 0.0}, {"D", 0.1}}, 0.1},
                                  {{{"U", 0.05}, {"D", 0.1}}, 0.05},
                                  {{{"D", 0.0}}, 0.0},
                                  {{{"U", 0.0000001}}, std::nullopt},
                                  {{}, std::nullopt}};
    for (const Case& c : cases) {
        EXPECT_EQ(BitmapImageFrameProvider::delayOf(c.dictionary, "U", "D"), c.delay);
    }
}

TEST(FrameProvider, EachKindOfBadInputFailsWithItsOwnError) {
    const QByteArray stillPng = png(QSize(2, 2), {{filled({2, 2}, Qt::red), {0, 0}}}, false);
    EXPECT_EQ(errorOf<GIFFrameProvider>("no image at all"), RatError(RatError::noImages));
    EXPECT_EQ(errorOf<GIFFrameProvider>(gif({})), RatError(RatError::noImages));
    EXPECT_EQ(errorOf<GIFFrameProvider>(gif({{5}, {}})), RatError(RatError::noImageTimingInfo));
    EXPECT_EQ(errorOf<GIFFrameProvider>(stillPng), RatError(RatError::noImageDictionary));
    EXPECT_EQ(errorOf<APNGFrameProvider>(stillPng), RatError(RatError::noImageTimingInfo));
    EXPECT_EQ(errorOf<APNGFrameProvider>(gif({{5}})), RatError(RatError::noImageDictionary));
    EXPECT_EQ(RatError(RatError::noImageTimingInfo).code(), 4);

    // Hashed by case, as compared: errors read and errors made of the same case fall together.
    const std::unordered_set<RatError> errors{
        RatError(RatError::noImages), RatError(RatError::noImageTimingInfo),
        RatError(RatError::noImageDictionary), *errorOf<GIFFrameProvider>(gif({})),
        *errorOf<APNGFrameProvider>(stillPng), *errorOf<GIFFrameProvider>(stillPng)};
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_EQ(std::hash<RatError>()(*errorOf<GIFFrameProvider>("no image at all")),
              std::hash<RatError>()(RatError(RatError::noImages)));
}

TEST(FrameProvider, AFileCutShortGivesFewerFramesOrAnErrorNeverAReadPastItsEnd) {
    const QByteArray files[] = {gif({{0, 3, 2}, {5}, {20}}), threeFramePng()};
    for (const QByteArray& whole : files) {
        for (qsizetype length = 0; length < whole.size(); ++length) {
            const QByteArray cut = whole.left(length);
            try {
                std::unique_ptr<BitmapImageFrameProvider> provider;
                if (whole.startsWith("GIF")) {
                    provider = std::make_unique<GIFFrameProvider>(cut);
                } else {
                    provider = std::make_unique<APNGFrameProvider>(cut);
                }
                EXPECT_LE(provider->frameCount(), 3);
                for (int f = 0; f < provider->frameCount(); ++f) {
                    (void)provider->frameImage(f, QSizeF(8, 8));
                }
            } catch (const RatError&) {
            }
        }
    }
}

} // namespace
} // namespace lumenscroll
