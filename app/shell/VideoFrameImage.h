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

    // The frame as an RGB image, at the size it is shown at in `box` (see sizeShown) and, where
    // that overflows the box, only the middle the box shows; null for
    // an invalid frame or one that cannot be read. Planar and semi-planar 4:2:0 YUV (BT.601
    // unless the frame says BT.709, video range unless it says full) and packed RGB formats are
    // converted here; any other format goes through Qt's own conversion, at the frame's size.
    //
    // A `spare` picture nobody else holds any more, of the size and format needed, is written
    // over instead of a new one: a movie's pictures are each over a megabyte, and a new one
    // every frame costs the processor more in clearing fresh memory than the conversion itself.
    static QImage of(const QVideoFrame& frame, QSize box = {}, Qt::AspectRatioMode mode = Qt::KeepAspectRatio,
                     QImage spare = {});

    // The size of a `frame`-sized picture scaled into `box` by `mode`, its proportions kept,
    // where that is smaller than the frame: converting more pixels than the screen shows is
    // most of what a playing movie costs. Without a box, the frame's own size.
    static QSize sizeShown(QSize frame, QSize box, Qt::AspectRatioMode mode);
};

} // namespace lumenscroll
