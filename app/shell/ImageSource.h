#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumenscroll {

// The frames an image file holds, as the frame providers read them: their number, the
// properties of each, and each frame's picture. The delays of animated GIF and PNG frames are
// read from the files' own blocks and chunks, since Qt clamps GIF delays and reads an animated
// PNG as a still. Malformed bytes give fewer frames or none, never a read outside the data.
class ImageSource {
public:
    // A frame's properties: dictionaries by name, each a table of numbers by name.
    using Dictionary = std::map<std::string, double, std::less<>>;
    using Properties = std::map<std::string, Dictionary, std::less<>>;

    // The dictionary of a GIF frame and its delays in seconds: as the file gives it, and as it
    // is shown (a delay up to 10 ms is shown for 100 ms, as browsers show it). A frame without
    // a graphic control block has the dictionary without delays.
    static constexpr std::string_view gifDictionary = "{GIF}";
    static constexpr std::string_view gifUnclampedDelayTime = "UnclampedDelayTime";
    static constexpr std::string_view gifDelayTime = "DelayTime";
    // The same for a PNG frame; a still PNG has the dictionary without delays.
    static constexpr std::string_view pngDictionary = "{PNG}";
    static constexpr std::string_view apngUnclampedDelayTime = "UnclampedDelayTime";
    static constexpr std::string_view apngDelayTime = "DelayTime";

    // None when the bytes hold no image this platform knows.
    static std::optional<ImageSource> create(const QByteArray& data);

    int count() const { return static_cast<int>(frames_.size()); }
    // None for an index outside the frames.
    std::optional<Properties> properties(int index) const;
    // The frame as shown, composed over the frames before it where the format says so; null
    // for an index outside the frames or a frame that cannot be decoded.
    QImage image(int index) const;

private:
    enum class Format { gif, png, animatedPng, other };

    // One frame of an animated PNG: where it stands on the canvas, what becomes of it after it
    // was shown, how it is laid over what stands there, and its compressed pixels.
    struct AnimatedPngFrame {
        QRect region;
        int disposal = 0;
        int blending = 0;
        std::vector<QByteArray> pixelData;
    };

    ImageSource(Format format, QByteArray data);
    void readGif();
    void readPng();
    // The canvas size from a PNG's header chunk; only the first header counts.
    void readPngHeader(const QByteArray& data);
    // An animated PNG's frame control chunk: a frame's region, disposal, blending and timing.
    void readFrameControl(const QByteArray& data);
    QImage animatedPngImage(int index) const;
    QImage animatedPngFrame(const AnimatedPngFrame& frame) const;

    Format format_;
    QByteArray data_;
    std::vector<Properties> frames_;
    // Animated PNG only: the header and the chunks every frame shares.
    QByteArray pngHeader_;
    QSize canvasSize_;
    std::vector<std::pair<QByteArray, QByteArray>> sharedChunks_;
    std::vector<AnimatedPngFrame> pngFrames_;
};

} // namespace lumenscroll
