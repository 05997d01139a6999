#include "app/shell/APNGFrameProvider.h"

namespace lumenscroll {

APNGFrameProvider::APNGFrameProvider(const QByteArray& data)
    : BitmapImageFrameProvider(data) {
    loadDelays();
}

std::vector<double> APNGFrameProvider::loadFrameDelays() const {
    return collectFrameDelays(ImageSource::pngDictionary, ImageSource::apngUnclampedDelayTime, ImageSource::apngDelayTime);
}

} // namespace lumenscroll
