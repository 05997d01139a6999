#include "app/shell/VideoFrameImage.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <algorithm>
#include <cstdint>
#include <optional>

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

QImage fromYuv420(const QVideoFrame& frame, const ChromaLayout& layout) {
    const int width = frame.width();
    const int height = frame.height();
    const YuvMatrix m = matrixFor(frame.surfaceFormat());
    QImage image(width, height, QImage::Format_RGB32);
    const uchar* lumaPlane = frame.bits(0);
    // In an interleaved plane V sits one byte after U (NV12) or one before it (NV21).
    const uchar* uPlane = frame.bits(layout.uPlane) + (layout.vOffset < 0 ? 1 : 0);
    const uchar* vPlane = frame.bits(layout.vPlane) + (layout.vOffset > 0 ? 1 : 0);
    const int lumaStride = frame.bytesPerLine(0);
    const int uStride = frame.bytesPerLine(layout.uPlane);
    const int vStride = frame.bytesPerLine(layout.vPlane);
    for (int y = 0; y < height; ++y) {
        const uchar* luma = lumaPlane + y * lumaStride;
        const uchar* us = uPlane + (y / 2) * uStride;
        const uchar* vs = vPlane + (y / 2) * vStride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int chroma = (x / 2) * layout.step;
            const int l = (luma[x] - m.lumaOffset) * m.luma;
            const int u = us[chroma] - 128;
            const int v = vs[chroma] - 128;
            out[x] = qRgb(clamped(l + m.redFromV * v), clamped(l - m.greenFromU * u - m.greenFromV * v),
                          clamped(l + m.blueFromU * u));
        }
    }
    return image;
}

} // namespace

QImage VideoFrameImage::of(const QVideoFrame& frame) {
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
    QImage image;
    if (chroma) {
        image = fromYuv420(mapped, *chroma);
    } else {
        // A deep copy: the frame's memory goes back to the decoder when it is unmapped.
        image = QImage(mapped.bits(0), mapped.width(), mapped.height(), mapped.bytesPerLine(0), packed).copy();
    }
    mapped.unmap();
    return image;
}

} // namespace lumenscroll
