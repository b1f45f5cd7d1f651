#pragma once
// A picture is a value: the file it came from, its natural size, and the image decoded at the
// size it is shown. Every window loads pictures through loadPicture()/pictureSize().
#include <QImage>
#include <QSize>
#include <QString>
#include <stdexcept>

namespace wk::controls {

// A picture that could not be read: missing, unreadable, not a picture, truncated or too large.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct Picture {
    QString file;      // absolute or as given; empty for no picture
    QSize naturalSize; // after the camera's orientation is applied
    QImage image;      // decoded at the requested size (or natural size)
    bool isNull() const { return image.isNull(); }
};

// Natural size from the file header only (never decodes the pixels), with the EXIF orientation
// applied, so a camera's portrait photo counts as portrait. Throws PictureError.
QSize pictureSize(const QString& file);

// Decodes the file so that it fits `fitInto` (keeping the aspect ratio, never larger than the
// natural size); an empty `fitInto` decodes at natural size. JPEGs are scaled while decoding.
// Throws PictureError for missing, unreadable, truncated or too large (over 20000 x 20000) files.
Picture loadPicture(const QString& file, const QSize& fitInto = {});

} // namespace wk::controls
