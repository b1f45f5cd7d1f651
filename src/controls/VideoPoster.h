#pragma once
// Videos from a phone or camera stand where pictures stand, shown by a poster frame: the first
// frame of the first five seconds that is not black (its mean brightness 16 of 255 or more), else
// the very first frame, turned as the phone recorded it, with a play mark and the video's length
// drawn on it. Read through FFmpeg's libavformat and libavcodec; touches no widget, so it may run
// on any thread.
#include "controls/Picture.h"

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

namespace wk::controls {

// True for the names phones and cameras give videos: .mp4 .mov .m4v .3gp .mkv .webm, any case.
bool hasVideoName(const QString& file);
// The same names as file dialog patterns: "*.mp4;*.mov;...".
QString videoNamePatterns();

struct VideoFacts {
    QSize frameSize;      // as shown: turned as the phone recorded it
    qint64 lengthMs = -1; // -1 when the file does not say
    // When the recording began, in UTC: the container's creation time (where MP4 and MOV keep
    // the phone's or camera's), else the picture stream's. Null when neither says, or when it
    // says 1970 or earlier (a clock that was never set).
    QDateTime recorded;
};

// What a file holds, told by its contents whatever its name: Video when libavformat opens it and
// finds a picture stream with a size in it; NotVideo for sound alone and for what starts as no
// container libavformat knows (an empty file, a document); Unreadable for a container it knows by
// its first bytes but cannot read (a copy cut short, a damaged file) and for a file that cannot
// be opened.
enum class VideoContent { Video, NotVideo, Unreadable };
VideoContent videoContentOf(const QString& file);

// The video's frame size, length and recording time from its container and stream headers.
// Throws PictureError for a file that is missing, unreadable, not a video or without a picture
// stream.
VideoFacts readVideoFacts(const QString& file);

// The poster frame fitted into `fitInto` (never larger than the frame; empty: the frame's own
// size), marked as a video unless `marked` is false: the length is drawn in the fonts of a
// graphical application, which a program without one (the terminal forms) cannot do. Throws
// PictureError as readVideoFacts does, and when no frame decodes. With `facts`, also reads what
// readVideoFacts would into it, from the same opening of the file.
Picture loadVideoPoster(const QString& file, const QSize& fitInto, bool marked = true,
                        VideoFacts* facts = nullptr);

// A video time as "1:05", or "1:02:05" from an hour on (whole seconds, cut down).
QString videoTimeText(qint64 ms);

// Draws the play mark in the middle of `image` and, when known, the length ("1:05") in its
// lower right corner.
void drawVideoMarks(QImage& image, qint64 lengthMs);

} // namespace wk::controls
