#pragma once
// Picture files as phones and cameras leave them, for the import tests: JPEGs with their EXIF
// dates written through exiv2, HEIC files written through libheif (with or without the small
// thumbnail phones embed), and many distinct JPEGs made cheaply from one.
#include <QByteArray>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QSize>
#include <QString>

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

// `jpeg` with a comment segment holding `n` after its start marker: the same picture with other
// bytes, as quick to make as a copy.
QByteArray variantOf(const QByteArray& jpeg, int n);

void writeBytes(const QString& path, const QByteArray& bytes);
// A file whose name is given as raw bytes (which need not be UTF-8 text).
void writeBytes(const QByteArray& rawPath, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
void setModified(const QString& path, const QDateTime& when);

} // namespace wk::testing
