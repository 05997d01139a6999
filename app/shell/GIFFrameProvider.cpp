#include "app/shell/GIFFrameProvider.h"

namespace lumenscroll {

GIFFrameProvider::GIFFrameProvider(const QByteArray& data)
    : BitmapImageFrameProvider(data) {
    loadDelays();
}

std::vector<double> GIFFrameProvider::loadFrameDelays() const {
    return collectFrameDelays(ImageSource::gifDictionary, ImageSource::gifUnclampedDelayTime, ImageSource::gifDelayTime);
}

} // namespace lumenscroll
