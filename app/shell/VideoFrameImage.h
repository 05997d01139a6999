#pragma once

#include <QImage>

class QVideoFrame;

namespace lumenscroll {

// The picture of a decoded video frame, converted on the processor.
//
// Qt's own conversion (QVideoFrame::toImage) first sets up a graphics context to convert on;
// on a machine without a graphics card that loads a software renderer which keeps well over
// a hundred megabytes resident for the rest of the run, for a movie that plays three seconds.
// The intro movie's 4:2:0 YUV frames need only a little arithmetic per pixel.
class VideoFrameImage {
public:
    VideoFrameImage() = delete;

    // The frame as an RGB image; null for an invalid frame or one that cannot be read. Planar
    // and semi-planar 4:2:0 YUV (BT.601 unless the frame says BT.709, video range unless it
    // says full) and packed RGB formats are converted here; any other format goes through
    // Qt's own conversion.
    static QImage of(const QVideoFrame& frame);
};

} // namespace lumenscroll
