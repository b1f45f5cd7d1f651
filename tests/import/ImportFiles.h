#pragma once
// Picture files as phones and cameras leave them, for the import tests: JPEGs with their EXIF
// dates written through exiv2, HEIC files written through libheif (with or without the small
// thumbnail phones embed). Plain bytes are written with sample::writeBytes, and many distinct
// JPEGs are made cheaply from one with sample::jpegVariant.
#include <QByteArray>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QSize>
#include <QString>

#include "SampleArtwork.h"

namespace wk::testing {

// A JPEG of `size` in `colour`; with `taken`, its EXIF DateTimeOriginal (or, with
// `createDateOnly`, only its DateTimeDigitized) holds that day. Makes the folders it needs.
void writeJpeg(const QString& path, QSize size, QColor colour, const QDate& taken = {},
               bool createDateOnly = false);

// A HEIC picture of `size` in `colour` with an EXIF DateTimeOriginal of `taken` when it is
// valid; with `thumbnailSide` > 0, an embedded thumbnail that long on its long side, drawn in
// `thumbnailColour` so a test can tell which of the two was decoded.
void writeHeic(const QString& path, QSize size, QColor colour, const QDate& taken, int thumbnailSide = 0,
               QColor thumbnailColour = Qt::red);

// A file whose name is given as raw bytes (which need not be UTF-8 text).
void writeBytes(const QByteArray& rawPath, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
void setModified(const QString& path, const QDateTime& when);

} // namespace wk::testing
