#include "app/shell/ImageSource.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace lumenscroll {

namespace {

const QByteArray gifSignature87 = QByteArrayLiteral("GIF87a");
const QByteArray gifSignature89 = QByteArrayLiteral("GIF89a");
const QByteArray pngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");

// A canvas larger than this is refused rather than allocated.
constexpr qint64 maximumCanvasPixels = qint64{1} << 26;

// Reads forward through bytes; every read is checked against the end first.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& data, qsizetype position = 0)
        : data_(data)
        , position_(position) {}

    bool has(qsizetype count) const { return count >= 0 && data_.size() - position_ >= count; }
    bool skip(qsizetype count) {
        if (!has(count)) {
            return false;
        }
        position_ += count;
        return true;
    }
    std::uint8_t byte() { return static_cast<std::uint8_t>(data_[position_++]); }
    std::uint8_t peek() const { return static_cast<std::uint8_t>(data_[position_]); }
    std::uint16_t littleEndian16() {
        const std::uint16_t low = byte();
        return static_cast<std::uint16_t>(low | (byte() << 8));
    }
    std::uint16_t bigEndian16() {
        const std::uint16_t high = byte();
        return static_cast<std::uint16_t>((high << 8) | byte());
    }
    std::uint32_t bigEndian32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | byte();
        }
        return value;
    }
    QByteArray take(qsizetype count) {
        QByteArray bytes = data_.mid(position_, count);
        position_ += count;
        return bytes;
    }

private:
    const QByteArray& data_;
    qsizetype position_;
};

// What a frame is shown for: browsers show a delay up to 10 ms for 100 ms, so that a file
// asking for no delay at all does not flash.
double shownDelay(double delay) {
    return delay < 0.011 ? 0.1 : delay;
}

ImageSource::Properties timing(std::string_view dictionary, std::string_view unclampedKey,
                               std::string_view delayKey, std::optional<double> delay) {
    ImageSource::Dictionary entries;
    if (delay) {
        entries.emplace(unclampedKey, *delay);
        entries.emplace(delayKey, shownDelay(*delay));
    }
    ImageSource::Properties properties;
    properties.emplace(dictionary, std::move(entries));
    return properties;
}

// The data sub-blocks of a GIF block, up to and including the empty one that ends them.
bool skipSubBlocks(ByteReader& reader) {
    while (reader.has(1)) {
        const std::uint8_t size = reader.byte();
        if (size == 0) {
            return true;
        }
        if (!reader.skip(size)) {
            return false;
        }
    }
    return false;
}

bool skipColorTable(ByteReader& reader, std::uint8_t packed) {
    constexpr std::uint8_t hasTable = 0x80;
    return (packed & hasTable) == 0 || reader.skip(3 * (qsizetype{2} << (packed & 0x07)));
}

std::uint32_t crc32(const QByteArray& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char c : bytes) {
        crc = table[(crc ^ static_cast<std::uint8_t>(c)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFU;
}

void appendBigEndian32(QByteArray& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

void appendChunk(QByteArray& png, const QByteArray& type, const QByteArray& data) {
    appendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    const QByteArray body = type + data;
    png.append(body);
    appendBigEndian32(png, crc32(body));
}

// Animated PNG frame control.
enum Disposal { disposeNone = 0, disposeBackground = 1, disposePrevious = 2 };
enum Blending { blendSource = 0, blendOver = 1 };
constexpr qsizetype frameControlSize = 26;
constexpr qsizetype headerSize = 13;

} // namespace

std::optional<ImageSource> ImageSource::create(const QByteArray& data) {
    if (data.startsWith(gifSignature87) || data.startsWith(gifSignature89)) {
        ImageSource source(Format::gif, data);
        source.readGif();
        return source;
    }
    if (data.startsWith(pngSignature)) {
        ImageSource source(Format::png, data);
        source.readPng();
        if (source.pngHeader_.isEmpty()) {
            return std::nullopt;
        }
        return source;
    }
    QByteArray bytes = data;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    if (!reader.canRead()) {
        return std::nullopt;
    }
    ImageSource source(Format::other, data);
    // Formats that hold one image answer 0.
    source.frames_.resize(static_cast<std::size_t>(std::max(reader.imageCount(), 1)));
    return source;
}

ImageSource::ImageSource(Format format, QByteArray data)
    : format_(format)
    , data_(std::move(data)) {}

void ImageSource::readGif() {
    ByteReader reader(data_, gifSignature89.size());
    // The screen descriptor: its packed byte says whether a colour table follows.
    if (!reader.has(7)) {
        return;
    }
    reader.skip(4);
    const std::uint8_t screen = reader.byte();
    reader.skip(2);
    if (!skipColorTable(reader, screen)) {
        return;
    }
    constexpr std::uint8_t extension = 0x21;
    constexpr std::uint8_t graphicControl = 0xF9;
    constexpr std::uint8_t imageDescriptor = 0x2C;
    // The delay of the graphic control block waiting for its image; the block counts hundredths.
    std::optional<double> delay;
    while (reader.has(1)) {
        const std::uint8_t block = reader.byte();
        if (block == extension) {
            if (!reader.has(1)) {
                return;
            }
            if (reader.byte() == graphicControl && reader.has(5) && reader.peek() == 4) {
                reader.skip(2);
                delay = reader.littleEndian16() / 100.0;
                reader.skip(1);
            }
            if (!skipSubBlocks(reader)) {
                return;
            }
        } else if (block == imageDescriptor) {
            if (!reader.has(9)) {
                return;
            }
            reader.skip(8);
            const std::uint8_t image = reader.byte();
            // The colour table, the code size and the pixels: an image cut short is no frame.
            if (!skipColorTable(reader, image) || !reader.skip(1) || !skipSubBlocks(reader)) {
                return;
            }
            frames_.push_back(timing(gifDictionary, gifUnclampedDelayTime, gifDelayTime, delay));
            delay.reset();
        } else {
            // The trailer, or a block no GIF has: nothing more to read either way.
            return;
        }
    }
}

void ImageSource::readPng() {
    ByteReader reader(data_, pngSignature.size());
    bool animated = false;
    bool pixelsSeen = false;
    bool framePixelsSeen = false;
    while (reader.has(8)) {
        const std::uint32_t length = reader.bigEndian32();
        const QByteArray type = reader.take(4);
        if (length > 0x7FFFFFFFU || !reader.has(static_cast<qsizetype>(length) + 4)) {
            break;
        }
        const QByteArray data = reader.take(static_cast<qsizetype>(length));
        reader.skip(4);

        if (type == "IHDR") {
            readPngHeader(data);
        } else if (type == "acTL") {
            animated = true;
        } else if (type == "fcTL") {
            readFrameControl(data);
        } else if (type == "IDAT") {
            // The default image is the first frame when its frame control comes before it.
            if (pngFrames_.size() == 1 && !framePixelsSeen) {
                pngFrames_.front().pixelData.push_back(data);
            }
            pixelsSeen = true;
        } else if (type == "fdAT") {
            framePixelsSeen = true;
            if (!pngFrames_.empty() && data.size() > 4) {
                pngFrames_.back().pixelData.push_back(data.mid(4));
            }
        } else if (type == "IEND") {
            break;
        } else if (!pixelsSeen) {
            // Palette, transparency, colour space: every frame is decoded with them.
            sharedChunks_.emplace_back(type, data);
        }
    }
    if (pngHeader_.isEmpty()) {
        frames_.clear();
        return;
    }
    if (animated && !pngFrames_.empty()) {
        format_ = Format::animatedPng;
        return;
    }
    pngFrames_.clear();
    frames_.assign(1, timing(pngDictionary, {}, {}, std::nullopt));
}

void ImageSource::readPngHeader(const QByteArray& data) {
    if (data.size() != headerSize || !pngHeader_.isEmpty()) {
        return;
    }
    pngHeader_ = data;
    ByteReader size(data);
    const auto width = static_cast<int>(std::min<std::uint32_t>(size.bigEndian32(), 0x7FFFFFFF));
    const auto height = static_cast<int>(std::min<std::uint32_t>(size.bigEndian32(), 0x7FFFFFFF));
    canvasSize_ = QSize(width, height);
}

void ImageSource::readFrameControl(const QByteArray& data) {
    if (data.size() != frameControlSize) {
        return;
    }
    ByteReader control(data, 4);
    AnimatedPngFrame frame;
    const std::uint32_t width = control.bigEndian32();
    const std::uint32_t height = control.bigEndian32();
    const std::uint32_t x = control.bigEndian32();
    const std::uint32_t y = control.bigEndian32();
    // A region beyond any canvas is left empty, so that no frame is drawn from it.
    if (std::max({width, height, x, y}) <= 0x7FFFFFFFU) {
        frame.region =
            QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height));
    }
    const std::uint16_t numerator = control.bigEndian16();
    std::uint16_t denominator = control.bigEndian16();
    // A denominator of 0 counts hundredths.
    if (denominator == 0) {
        denominator = 100;
    }
    frame.disposal = control.byte();
    frame.blending = control.byte();
    pngFrames_.push_back(std::move(frame));
    frames_.push_back(
        timing(pngDictionary, apngUnclampedDelayTime, apngDelayTime, static_cast<double>(numerator) / denominator));
}

std::optional<ImageSource::Properties> ImageSource::properties(int index) const {
    if (index < 0 || index >= count()) {
        return std::nullopt;
    }
    return frames_[static_cast<std::size_t>(index)];
}

QImage ImageSource::image(int index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    if (format_ == Format::animatedPng) {
        return animatedPngImage(index);
    }
    QByteArray bytes = data_;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    // GIF frames are drawn over the ones before them, so they are read in order.
    if (format_ != Format::gif && index > 0 && !reader.jumpToImage(index)) {
        return {};
    }
    QImage frame;
    for (int i = format_ == Format::gif ? 0 : index; i <= index; ++i) {
        frame = reader.read();
        if (frame.isNull()) {
            return {};
        }
    }
    return frame;
}

QImage ImageSource::animatedPngImage(int index) const {
    if (canvasSize_.isEmpty() || qint64{canvasSize_.width()} * canvasSize_.height() > maximumCanvasPixels) {
        return {};
    }
    QImage canvas(canvasSize_, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    for (int k = 0; k <= index; ++k) {
        const AnimatedPngFrame& frame = pngFrames_[static_cast<std::size_t>(k)];
        const QImage pixels = animatedPngFrame(frame);
        if (pixels.isNull()) {
            return {};
        }
        const QImage before = frame.disposal == disposePrevious ? canvas.copy(frame.region) : QImage();
        QPainter painter(&canvas);
        painter.setCompositionMode(frame.blending == blendOver ? QPainter::CompositionMode_SourceOver
                                                               : QPainter::CompositionMode_Source);
        painter.drawImage(frame.region.topLeft(), pixels);
        if (k == index) {
            break;
        }
        // Before the next frame is drawn.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (frame.disposal == disposeBackground) {
            painter.fillRect(frame.region, Qt::transparent);
        } else if (frame.disposal == disposePrevious) {
            painter.drawImage(frame.region.topLeft(), before);
        }
    }
    return canvas;
}

QImage ImageSource::animatedPngFrame(const AnimatedPngFrame& frame) const {
    if (frame.region.isEmpty() || frame.pixelData.empty() ||
        !QRect(QPoint(0, 0), canvasSize_).contains(frame.region)) {
        return {};
    }
    // The frame as a PNG of its own: the file's header at the frame's size, the shared
    // chunks, and the frame's pixels.
    QByteArray header;
    appendBigEndian32(header, static_cast<std::uint32_t>(frame.region.width()));
    appendBigEndian32(header, static_cast<std::uint32_t>(frame.region.height()));
    header.append(pngHeader_.mid(8));
    QByteArray png = pngSignature;
    appendChunk(png, QByteArrayLiteral("IHDR"), header);
    for (const auto& [type, data] : sharedChunks_) {
        appendChunk(png, type, data);
    }
    for (const QByteArray& data : frame.pixelData) {
        appendChunk(png, QByteArrayLiteral("IDAT"), data);
    }
    appendChunk(png, QByteArrayLiteral("IEND"), {});
    QImage image = QImage::fromData(png, "PNG");
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace lumenscroll
