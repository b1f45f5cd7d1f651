#pragma once
// What a camera writes into its pictures (EXIF), read with exiv2 from JPEG, HEIC/HEIF, PNG, WebP
// and TIFF files. Pictures without EXIF, unknown formats and damaged metadata give the defaults:
// reading these facts never fails.
#include <QByteArray>
#include <QDate>
#include <QString>

namespace wk::controls {

struct CameraFacts {
    int orientation = 1; // EXIF orientation, 1 to 8; 1 (as stored) when absent or invalid
    QDate taken;         // the day of DateTimeOriginal; null when absent or unreadable
};

CameraFacts readCameraFacts(const QString& file);
CameraFacts readCameraFacts(const QByteArray& fileContents);

} // namespace wk::controls
