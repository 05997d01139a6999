#pragma once

#include "app/shell/BitmapImageFrameProvider.h"

namespace lumenscroll {

// The frames of a GIF, each with the delay of the graphic control block before it.
class GIFFrameProvider final : public BitmapImageFrameProvider {
public:
    // Throws RatError when the bytes hold no image or a frame lacks its delay.
    explicit GIFFrameProvider(const QByteArray& data);

protected:
    std::vector<double> loadFrameDelays() const override;
};

} // namespace lumenscroll
