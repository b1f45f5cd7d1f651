#pragma once
// HEIC/HEIF pictures (phones' default format) through libheif, which Qt's image readers lack.
// libheif decodes a picture whole; the caller bounds its size before decode() and scales after.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <stdexcept>

struct heif_context;
struct heif_image_handle;

namespace wk::controls {

class HeifError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HeifFile {
public:
    // True when the first bytes of a file (at least 12) start a HEIF file libheif can read.
    static bool recognises(const QByteArray& head);

    // Both read the container's boxes only; the compressed pixels are read by decode(). Throw
    // HeifError when the file is damaged or holds no picture.
    static HeifFile fromPath(const QString& file);
    static HeifFile fromContents(const QByteArray& fileContents);

    QSize storedSize() const; // as coded
    QSize turnedSize() const; // after the container's own rotation and mirroring
    // The picture's EXIF block as TIFF data (from its byte-order mark on); empty when it has none.
    QByteArray exifTiff() const;
    // Throws HeifError. With `containerTurns`, the container's rotation and mirroring are applied
    // (the image has turnedSize()); without, the image is as coded (storedSize()).
    QImage decode(bool containerTurns) const;
    // An embedded thumbnail (phones write one) that is at least `atLeast` on both sides, in the orientation
    // decode() gives; a null image when none is that large. Decoding it takes a fraction of the time the
    // whole picture takes. Throws HeifError.
    QImage decodeThumbnail(const QSize& atLeast, bool containerTurns) const;

private:
    HeifFile() = default;
    void openPrimary();

    QByteArray contents_; // kept alive: libheif reads from it without a copy
    std::shared_ptr<heif_context> context_;
    std::shared_ptr<heif_image_handle> primary_;
};

} // namespace wk::controls
