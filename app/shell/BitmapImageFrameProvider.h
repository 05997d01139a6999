#pragma once

#include "app/shell/FrameProvider.h"
#include "app/shell/ImageSource.h"

#include <QByteArray>

#include <optional>
#include <string_view>
#include <vector>

namespace lumenscroll {

// The frames of an animated image read from its bytes. What differs between formats is only
// where a frame's delays are kept, which each concrete kind (GIFFrameProvider,
// APNGFrameProvider) says in loadFrameDelays; this class cannot be built on its own.
class BitmapImageFrameProvider : public FrameProvider {
public:
    ~BitmapImageFrameProvider() override;
    BitmapImageFrameProvider(const BitmapImageFrameProvider&) = delete;
    BitmapImageFrameProvider& operator=(const BitmapImageFrameProvider&) = delete;

    const std::optional<std::vector<double>>& frameDelays() const { return frameDelays_; }
    void setFrameDelays(std::optional<std::vector<double>> delays) { frameDelays_ = std::move(delays); }

    int frameCount() const override { return frameCount_; }
    double frameDelay(int index) const override;
    std::optional<QImage> frameImage(int index, QSizeF size) const override;

    // A frame's delay from its format's dictionary: the delay as the file gives it when there
    // is one of at least a microsecond, else the delay as shown, whatever it is; none when
    // neither can be had.
    static std::optional<double> delayOf(const ImageSource::Dictionary& dictionary,
                                         std::string_view unclampedDelayKey, std::string_view delayKey);

protected:
    // Reads the bytes; throws RatError::noImages when they hold no image.
    explicit BitmapImageFrameProvider(const QByteArray& data);

    // Ends the construction of a concrete kind, which calls it from its own constructor: the
    // format's hook cannot be reached while this part of the object is being built.
    void loadDelays() { frameDelays_ = loadFrameDelays(); }

    // The delay of every frame, in frame order; throws RatError.
    virtual std::vector<double> loadFrameDelays() const = 0;

    // Every frame's delay from the dictionary under `dictionaryKey` in its properties. Throws
    // RatError: noImages without frames, noImageProperties for a frame without properties,
    // noImageDictionary for one without the dictionary, noImageTimingInfo for one without a
    // delay; the first failure in that order.
    std::vector<double> collectFrameDelays(std::string_view dictionaryKey, std::string_view unclampedDelayKey,
                                           std::string_view delayKey) const;

private:
    ImageSource imageSource_;
    int frameCount_;
    std::optional<std::vector<double>> frameDelays_;
};

} // namespace lumenscroll
