#pragma once
// A picture is a value: the file it came from, its natural size, and the image decoded at the
// size it is shown. Every window loads pictures through loadPicture()/pictureSize(); a video
// (VideoPoster.h) is loaded the same way, as its poster frame.
#include <QImage>
#include <QSize>
#include <QString>
#include <stdexcept>

namespace wk::controls {

// A picture that could not be read: missing, unreadable, not a picture, truncated, damaged or too
// large to decode.
class PictureError : public std::runtime_error {
public:
    // A picture over the decode bound is whole and fine, only too large to show; every other
    // failure means the file cannot be read as a picture.
    enum Kind { Unreadable, TooLarge };
    explicit PictureError(const QString& message, Kind kind = Unreadable)
        : std::runtime_error(message.toStdString()), kind(kind)
    {
    }
    Kind kind;
};

struct Picture {
    QString file;      // absolute or as given; empty for no picture
    QSize naturalSize; // after the camera's orientation is applied
    QImage image;      // decoded at the requested size (or natural size)
    bool isNull() const { return image.isNull(); }
};

// Sets the image reader's process-wide allocation limit to what the largest decode the loader
// allows needs. Called once at start-up, before the first picture is loaded: the loader itself
// never changes process-wide state, so pictures may be decoded on several threads at once.
void limitPictureMemory();

// True for a file with a video's name whose contents are no picture (a phone may save either
// under either name): loaded as its poster frame, played by the video player.
bool isVideoFile(const QString& file);

// Natural size from the file header only (never decodes the pixels), with the EXIF orientation
// applied, so a camera's portrait photo counts as portrait. A header that claims more than 10,000
// pixels for each byte of the file is refused as damaged. Throws PictureError.
QSize pictureSize(const QString& file);

// Decodes the file so that it fits `fitInto` (keeping the aspect ratio, never larger than the
// natural size); an empty `fitInto` decodes at natural size. JPEGs are scaled while decoding.
// Decodes are bounded by pixel count: up to 64 megapixels decode at full size; a larger JPEG is
// reduced by the decoder to fit 8192 pixels on its long side (its natural size stays the true
// one), and any other picture over the bound is refused, as the decoder would need it whole.
// Throws PictureError for missing, unreadable, truncated, damaged or too large files.
Picture loadPicture(const QString& file, const QSize& fitInto = {});
// The same from the file's contents, already read (an import reads each file once); `file` only
// names the picture.
Picture decodePicture(const QString& file, QByteArray contents, const QSize& fitInto);

} // namespace wk::controls
