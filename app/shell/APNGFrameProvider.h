#pragma once

#include "app/shell/BitmapImageFrameProvider.h"

namespace lumenscroll {

// The frames of an animated PNG, each with the delay of its frame control chunk.
class APNGFrameProvider final : public BitmapImageFrameProvider {
public:
    // Throws RatError when the bytes hold no image or a frame lacks its delay.
    explicit APNGFrameProvider(const QByteArray& data);

protected:
    std::vector<double> loadFrameDelays() const override;
};

} // namespace lumenscroll
