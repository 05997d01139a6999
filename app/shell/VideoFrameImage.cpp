#include "app/shell/VideoFrameImage.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace lumenscroll {

namespace {

// Fixed point with 16 fractional bits.
constexpr int fractionBits = 16;
constexpr double one = 1 << fractionBits;

// Y'CbCr to R'G'B' for one colour space and range, in fixed point.
struct YuvMatrix {
    int lumaOffset;
    int luma;
    int redFromV;
    int greenFromU;
    int greenFromV;
    int blueFromU;
};

YuvMatrix matrixFor(const QVideoFrameFormat& format) {
    // Red and blue weights of the luma: BT.601 unless the frame says BT.709.
    const bool hd = format.colorSpace() == QVideoFrameFormat::ColorSpace_BT709;
    const double kr = hd ? 0.2126 : 0.299;
    const double kb = hd ? 0.0722 : 0.114;
    const double kg = 1.0 - kr - kb;
    const bool full = format.colorRange() == QVideoFrameFormat::ColorRange_Full;
    const double lumaScale = full ? 1.0 : 255.0 / 219.0;
    const double chromaScale = full ? 1.0 : 255.0 / 224.0;
    const auto fixed = [](double value) { return static_cast<int>(value * one + 0.5); };
    return {
        full ? 0 : 16,
        fixed(lumaScale),
        fixed(2.0 * (1.0 - kr) * chromaScale),
        fixed(2.0 * (1.0 - kb) * kb / kg * chromaScale),
        fixed(2.0 * (1.0 - kr) * kr / kg * chromaScale),
        fixed(2.0 * (1.0 - kb) * chromaScale),
    };
}

std::uint8_t clamped(int value) {
    return static_cast<std::uint8_t>(std::clamp((value + (1 << (fractionBits - 1))) >> fractionBits, 0, 255));
}

// Where a 4:2:0 frame keeps its chroma: two planes, or one plane of interleaved pairs.
struct ChromaLayout {
    int uPlane;
    int vPlane;
    // Bytes from one sample of a plane to the next, and from U to V in an interleaved plane.
    int step;
    int vOffset;
};

std::optional<ChromaLayout> chromaLayoutOf(QVideoFrameFormat::PixelFormat format) {
    switch (format) {
    case QVideoFrameFormat::Format_YUV420P:
        return ChromaLayout{1, 2, 1, 0};
    case QVideoFrameFormat::Format_YV12:
        return ChromaLayout{2, 1, 1, 0};
    case QVideoFrameFormat::Format_NV12:
        return ChromaLayout{1, 1, 2, 1};
    case QVideoFrameFormat::Format_NV21:
        return ChromaLayout{1, 1, 2, -1};
    default:
        return std::nullopt;
    }
}

// Where one column (or row) of the picture samples the frame: the two frame samples around
// it, the weight of the second in 256ths, and the chroma sample nearest to it.
struct Tap {
    int first;
    int second;
    int weight;
    int chroma;
};

// The taps of `count` columns from `skip` on, of `from` columns scaled to `to`.
std::vector<Tap> tapsFor(int from, int to, int skip, int count) {
    std::vector<Tap> taps(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double at = std::max(0.0, (i + skip + 0.5) * from / to - 0.5);
        const int first = std::min(static_cast<int>(at), from - 1);
        const int weight = static_cast<int>((at - first) * 256 + 0.5);
        const int nearest = std::min(weight < 128 ? first : first + 1, from - 1);
        taps[static_cast<std::size_t>(i)] = {first, std::min(first + 1, from - 1), weight, nearest / 2};
    }
    return taps;
}

// The part `part` of the frame converted at `scaled`: the luma sampled between its four
// neighbours, the chroma at the nearest sample, which the eye does not tell apart at a
// picture's size.
QImage fromYuv420(const QVideoFrame& frame, const ChromaLayout& layout, QSize scaled, const QRect& part,
                  QImage spare) {
    const YuvMatrix m = matrixFor(frame.surfaceFormat());
    const std::vector<Tap> columns = tapsFor(frame.width(), scaled.width(), part.x(), part.width());
    const std::vector<Tap> rows = tapsFor(frame.height(), scaled.height(), part.y(), part.height());
    const QSize size = part.size();
    QImage image = spare.size() == size && spare.format() == QImage::Format_RGB32 && spare.isDetached()
                       ? std::move(spare)
                       : QImage(size, QImage::Format_RGB32);
    const uchar* lumaPlane = frame.bits(0);
    // In an interleaved plane V sits one byte after U (NV12) or one before it (NV21).
    const uchar* uPlane = frame.bits(layout.uPlane) + (layout.vOffset < 0 ? 1 : 0);
    const uchar* vPlane = frame.bits(layout.vPlane) + (layout.vOffset > 0 ? 1 : 0);
    const int lumaStride = frame.bytesPerLine(0);
    const int uStride = frame.bytesPerLine(layout.uPlane);
    const int vStride = frame.bytesPerLine(layout.vPlane);
    for (int y = 0; y < size.height(); ++y) {
        const Tap& row = rows[static_cast<std::size_t>(y)];
        const uchar* top = lumaPlane + row.first * lumaStride;
        const uchar* bottom = lumaPlane + row.second * lumaStride;
        const uchar* us = uPlane + row.chroma * uStride;
        const uchar* vs = vPlane + row.chroma * vStride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const Tap& column = columns[static_cast<std::size_t>(x)];
            const int upper = top[column.first] * (256 - column.weight) + top[column.second] * column.weight;
            const int lower =
                bottom[column.first] * (256 - column.weight) + bottom[column.second] * column.weight;
            const int luma = (upper * (256 - row.weight) + lower * row.weight + (1 << 15)) >> 16;
            const int chroma = column.chroma * layout.step;
            const int l = (luma - m.lumaOffset) * m.luma;
            const int u = us[chroma] - 128;
            const int v = vs[chroma] - 128;
            out[x] = qRgb(clamped(l + m.redFromV * v), clamped(l - m.greenFromU * u - m.greenFromV * v),
                          clamped(l + m.blueFromU * u));
        }
    }
    return image;
}

} // namespace

QSize VideoFrameImage::sizeShown(QSize frame, QSize box, Qt::AspectRatioMode mode) {
    if (box.isEmpty() || frame.isEmpty()) {
        return frame;
    }
    const QSize scaled = frame.scaled(box, mode).expandedTo(QSize(1, 1));
    return scaled.width() < frame.width() ? scaled : frame;
}

QImage VideoFrameImage::of(const QVideoFrame& frame, QSize box, Qt::AspectRatioMode mode, QImage spare) {
    if (!frame.isValid()) {
        return {};
    }
    const QVideoFrameFormat::PixelFormat format = frame.pixelFormat();
    const std::optional<ChromaLayout> chroma = chromaLayoutOf(format);
    const QImage::Format packed = QVideoFrameFormat::imageFormatFromPixelFormat(format);
    if (!chroma && packed == QImage::Format_Invalid) {
        return frame.toImage();
    }
    QVideoFrame mapped = frame;
    if (!mapped.map(QVideoFrame::ReadOnly)) {
        return {};
    }
    const QSize scaled = sizeShown(mapped.size(), box, mode);
    // Of a picture scaled down to overflow the box, only what the box shows.
    const QSize visible = scaled == mapped.size() ? scaled : scaled.boundedTo(box);
    const QRect part(QPoint((scaled.width() - visible.width()) / 2, (scaled.height() - visible.height()) / 2),
                     visible);
    QImage image;
    if (chroma) {
        image = fromYuv420(mapped, *chroma, scaled, part, std::move(spare));
    } else {
        // A copy either way: the frame's memory goes back to the decoder when it is unmapped.
        const QImage shared(mapped.bits(0), mapped.width(), mapped.height(), mapped.bytesPerLine(0), packed);
        image = scaled == shared.size()
                    ? shared.copy()
                    : shared.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).copy(part);
    }
    mapped.unmap();
    return image;
}

} // namespace lumenscroll
