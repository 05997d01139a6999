#include "app/shell/BitmapImageFrameProvider.h"

#include "app/shell/RatError.h"

#include <cmath>
#include <stdexcept>

namespace lumenscroll {

namespace {

ImageSource sourceOf(const QByteArray& data) {
    std::optional<ImageSource> source = ImageSource::create(data);
    if (!source) {
        throw RatError(RatError::noImages);
    }
    return std::move(*source);
}

// A delay the file gives is taken from a microsecond up.
constexpr double shortestDelay = 0.000001;

} // namespace

BitmapImageFrameProvider::BitmapImageFrameProvider(const QByteArray& data)
    : imageSource_(sourceOf(data))
    , frameCount_(imageSource_.count()) {}

BitmapImageFrameProvider::~BitmapImageFrameProvider() = default;

double BitmapImageFrameProvider::frameDelay(int index) const {
    if (!frameDelays_ || index < 0 || static_cast<std::size_t>(index) >= frameDelays_->size()) {
        throw std::out_of_range("no delay for frame " + std::to_string(index));
    }
    return (*frameDelays_)[static_cast<std::size_t>(index)];
}

std::optional<QImage> BitmapImageFrameProvider::frameImage(int index, QSizeF size) const {
    if (index < 0 || index >= frameCount_) {
        return std::nullopt;
    }
    const QImage frame = imageSource_.image(index);
    if (frame.isNull()) {
        return std::nullopt;
    }
    // Portrait and square frames take the target's height, landscape ones its width.
    const double ratio = static_cast<double>(frame.width()) / frame.height();
    const QSizeF shown = frame.height() >= frame.width() ? QSizeF(ratio * size.height(), size.height())
                                                         : QSizeF(size.width(), size.width() / ratio);
    const QSize pixels(static_cast<int>(std::lround(shown.width())), static_cast<int>(std::lround(shown.height())));
    if (pixels.isEmpty()) {
        return std::nullopt;
    }
    return frame.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

std::optional<double> BitmapImageFrameProvider::delayOf(const ImageSource::Dictionary& dictionary,
                                                        std::string_view unclampedDelayKey,
                                                        std::string_view delayKey) {
    if (const auto unclamped = dictionary.find(unclampedDelayKey);
        unclamped != dictionary.end() && unclamped->second >= shortestDelay) {
        return unclamped->second;
    }
    if (const auto delay = dictionary.find(delayKey); delay != dictionary.end()) {
        return delay->second;
    }
    return std::nullopt;
}

std::vector<double> BitmapImageFrameProvider::collectFrameDelays(std::string_view dictionaryKey,
                                                                 std::string_view unclampedDelayKey,
                                                                 std::string_view delayKey) const {
    const int count = imageSource_.count();
    if (count < 1) {
        throw RatError(RatError::noImages);
    }
    std::vector<ImageSource::Properties> properties;
    properties.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::optional<ImageSource::Properties> frame = imageSource_.properties(i);
        if (!frame) {
            throw RatError(RatError::noImageProperties);
        }
        properties.push_back(std::move(*frame));
    }
    std::vector<const ImageSource::Dictionary*> dictionaries;
    dictionaries.reserve(properties.size());
    for (const ImageSource::Properties& frame : properties) {
        const auto dictionary = frame.find(dictionaryKey);
        if (dictionary == frame.end()) {
            throw RatError(RatError::noImageDictionary);
        }
        dictionaries.push_back(&dictionary->second);
    }
    std::vector<double> delays;
    delays.reserve(dictionaries.size());
    for (const ImageSource::Dictionary* dictionary : dictionaries) {
        const std::optional<double> delay = delayOf(*dictionary, unclampedDelayKey, delayKey);
        if (!delay) {
            throw RatError(RatError::noImageTimingInfo);
        }
        delays.push_back(*delay);
    }
    return delays;
}

} // namespace lumenscroll
