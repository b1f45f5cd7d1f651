#pragma once
// A decoded video frame as a picture of the size it is shown at: the planes the decoder filled are
// scaled and turned into RGB in one step by swscale, so a 4K frame shown in a window is never
// converted at its full size first. Touches no widget, so it may run on the player's own thread.
#include <QImage>
#include <QSize>

class QVideoFrame;

namespace wk::controls {

// `frame` fitted into `box` (keeping its shape), as RGB32; a null image for an invalid frame or an
// empty box. Pixel formats swscale is not given here are converted by Qt and then scaled.
QImage fittedFrameImage(const QVideoFrame& frame, QSize box);

} // namespace wk::controls
