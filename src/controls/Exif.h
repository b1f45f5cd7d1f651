#pragma once
// What a camera writes into its pictures (EXIF), read with exiv2 from JPEG, HEIC/HEIF, PNG, WebP
// and TIFF files. Pictures without EXIF, unknown formats and damaged metadata give the defaults:
// reading these facts never fails.
//
// HEIF files are not opened by exiv2: its container reader (0.27) ignores the base offsets of
// the item locations, which exiftool and others write, and so finds no EXIF. libheif finds the
// block and exiv2 decodes it.
#include <QByteArray>
#include <QDate>
#include <QString>

namespace wk::controls {

class HeifFile;

struct CameraFacts {
    int orientation = 1; // EXIF orientation, 1 to 8; 1 (as stored) when absent or invalid
    QDate taken;         // the day of DateTimeOriginal, else of CreateDate; null when neither holds one
};

CameraFacts readCameraFacts(const QString& file);
CameraFacts readCameraFacts(const QByteArray& fileContents);
CameraFacts readCameraFacts(const HeifFile& heif);

} // namespace wk::controls
