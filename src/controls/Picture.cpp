#include "controls/Picture.h"

#include "controls/Exif.h"
#include "controls/HeifReader.h"
#include "controls/VideoPoster.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

namespace wk::controls {

namespace {

// The decode bound: 64 megapixels, a square of 8192 pixels a side. The allocation limit lets
// the reader hold that many pixels at 4 bytes each (deeper pictures, 16 bits a channel, fail
// beyond half of it).
constexpr int kMaxDecodedSide = 8192;
constexpr qint64 kMaxDecodedPixels = qint64(kMaxDecodedSide) * kMaxDecodedSide;
constexpr qint64 kDecodedPixelBytes = 4;
// The tightest real pictures, flat one-bit PNGs, stay near 8,000 pixels a byte of file; a header
// claiming more than this describes pixels the file cannot hold.
constexpr qint64 kMaxPixelsPerFileByte = 10000;
// Enough of a file's start to tell a HEIF container (its "ftyp" box and brands).
constexpr qint64 kHeifProbeBytes = 64;

qint64 pixelCount(const QSize& size) { return qint64(size.width()) * size.height(); }

quint16 be16(const uchar* p) { return qFromBigEndian<quint16>(p); }

PictureError failure(const QString& file, PictureError::Kind kind, const QString& why)
{
    return PictureError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), why), kind);
}

PictureError failure(const QString& file, const QString& why)
{
    return failure(file, PictureError::Unreadable, why);
}

// Opens the file for reading, telling apart a missing file, a folder and an unreadable file.
void openForReading(QFile& f)
{
    const QFileInfo info(f.fileName());
    if (!info.exists())
        throw failure(f.fileName(), QStringLiteral("file not found"));
    if (!info.isFile())
        throw failure(f.fileName(), QStringLiteral("not a file"));
    if (!f.open(QIODevice::ReadOnly))
        throw failure(f.fileName(), QStringLiteral("cannot be read (%1)").arg(f.errorString()));
}

// SOF2, SOF6, SOF10 and SOF14 start progressive frames.
bool isProgressiveFrame(uchar marker)
{
    return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
}

// Walks the JPEG segment headers up to the first scan for the kind of frame; the compressed
// pixels are never read.
bool isProgressiveJpeg(QIODevice& dev)
{
    if (!dev.seek(0) || dev.read(2) != QByteArrayLiteral("\xFF\xD8"))
        return false;
    for (;;) {
        const QByteArray head = dev.read(4);
        if (head.size() < 4 || uchar(head[0]) != 0xFF)
            return false;
        const uchar marker = uchar(head[1]);
        if (marker == 0xDA || marker == 0xD9)
            return false; // first scan reached
        if (isProgressiveFrame(marker))
            return true;
        const int length = be16(reinterpret_cast<const uchar*>(head.constData()) + 2);
        if (length < 2 || !dev.seek(dev.pos() + length - 2))
            return false;
    }
}

bool swapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

// True when the JPEG data reaches its end-of-image marker after the last scan. A file cut short
// decodes "successfully" with grey filler, so completeness is checked here.
bool jpegComplete(const QByteArray& data)
{
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    qsizetype pos = 2;
    while (pos + 1 < n) {
        if (p[pos] != 0xFF)
            return false;
        while (pos + 1 < n && p[pos + 1] == 0xFF) // fill bytes
            ++pos;
        if (pos + 1 >= n)
            return false;
        const uchar marker = p[pos + 1];
        pos += 2;
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // markers without a length
        if (pos + 2 > n)
            return false;
        const int length = be16(p + pos);
        if (length < 2 || pos + length > n)
            return false;
        pos += length;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data: ends at the first marker that is neither a stuffed zero nor a restart.
        for (;;) {
            while (pos < n && p[pos] != 0xFF)
                ++pos;
            if (pos + 1 >= n)
                return false;
            const uchar next = p[pos + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) {
                pos += next == 0xFF ? 1 : 2;
                continue;
            }
            break;
        }
    }
    return false;
}

// True when an uncompressed BMP holds all the rows its header announces.
bool bmpComplete(const QByteArray& data)
{
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    if (n < 26)
        return false;
    const quint32 offset = qFromLittleEndian<quint32>(p + 10);
    const quint32 header = qFromLittleEndian<quint32>(p + 14);
    qint64 width = 0, height = 0, bits = 0;
    quint32 compression = 0;
    if (header == 12) {
        width = qFromLittleEndian<quint16>(p + 18);
        height = qFromLittleEndian<quint16>(p + 20);
        bits = qFromLittleEndian<quint16>(p + 24);
    } else if (header >= 40 && n >= 34) {
        width = qFromLittleEndian<qint32>(p + 18);
        height = std::llabs(qFromLittleEndian<qint32>(p + 22));
        bits = qFromLittleEndian<quint16>(p + 28);
        compression = qFromLittleEndian<quint32>(p + 30);
    } else {
        return true; // unknown header: leave it to the decoder
    }
    if (compression != 0 && compression != 3)
        return true; // run-length data has no fixed size
    const qint64 rowBytes = ((width * bits + 31) / 32) * 4;
    return qint64(offset) + rowBytes * height <= n;
}

QSize fitted(const QSize& natural, const QSize& fitInto)
{
    if (fitInto.isEmpty() || (fitInto.width() >= natural.width() && fitInto.height() >= natural.height()))
        return natural;
    QSize s = natural.scaled(fitInto, Qt::KeepAspectRatio);
    return s.expandedTo(QSize(1, 1)).boundedTo(natural);
}

struct Header {
    QSize raw;                // as decoded, before the EXIF orientation is applied
    int orientation = 1;      // EXIF orientation still to apply; 1 for none
    bool progressive = false; // a progressive JPEG
    QByteArray format;        // Qt's name of the format; "heif" for HEIC/HEIF
    std::optional<HeifFile> heif;
    bool heifTurns = false; // libheif applies the container's rotation and mirroring
};

// A header claiming far more pixels than the file can hold describes a damaged file.
void checkClaim(const Header& h, qint64 fileSize, const QString& file)
{
    if (!h.raw.isValid() || h.raw.isEmpty())
        throw failure(file, QStringLiteral("picture size cannot be read"));
    if (pixelCount(h.raw) > kMaxPixelsPerFileByte * fileSize)
        throw failure(file,
                      QStringLiteral("picture file is damaged (its header claims %1 x %2 pixels in %3 bytes)")
                          .arg(h.raw.width())
                          .arg(h.raw.height())
                          .arg(fileSize));
}

bool isHeif(QIODevice& dev) { return HeifFile::recognises(dev.peek(kHeifProbeBytes)); }

// A HEIF container turns its picture itself (rotation and mirror boxes); phones also write the
// same turn as EXIF orientation. Exactly one of the two is applied: the EXIF orientation when the
// file has one, else the container's own.
Header heifHeader(HeifFile heif, qint64 fileSize, const QString& file)
{
    const int exifOrientation = readCameraFacts(heif).orientation;
    Header h;
    h.format = QByteArrayLiteral("heif");
    h.heifTurns = exifOrientation == 1;
    h.orientation = exifOrientation;
    h.raw = h.heifTurns ? heif.turnedSize() : heif.storedSize();
    h.heif = std::move(heif);
    checkClaim(h, fileSize, file);
    return h;
}

// Reads a HEIF container, naming the file in the error.
template <typename Open>
HeifFile openHeif(const QString& file, Open open)
{
    try {
        return open();
    } catch (const HeifError& e) {
        throw failure(file,
                      QStringLiteral("HEIF picture cannot be read (%1)").arg(QString::fromUtf8(e.what())));
    }
}

// Reads the header of any format Qt's readers know. Qt is never asked to turn the picture: the
// orientation is the EXIF one given here, applied by the caller.
Header readHeader(QIODevice& dev, const QString& file, int exifOrientation)
{
    QImageReader reader(&dev);
    reader.setDecideFormatFromContent(true);
    Header h;
    h.format = reader.format();
    if (h.format.isEmpty() || !reader.canRead())
        throw failure(file, QStringLiteral("not a picture"));
    h.raw = reader.size();
    checkClaim(h, dev.size(), file);
    h.orientation = exifOrientation;
    h.progressive = h.format == "jpeg" && isProgressiveJpeg(dev);
    dev.seek(0);
    return h;
}

// Turns a decoded picture as its EXIF orientation says (the mapping Qt's own readers use).
QImage oriented(QImage image, int orientation)
{
    const QTransform quarterTurn = QTransform().rotate(90);
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.mirrored(false, true).transformed(quarterTurn);
    case 6:
        return image.transformed(quarterTurn);
    case 7:
        return image.mirrored(true, false).transformed(quarterTurn);
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

// libjpeg decodes at M/8 of the stored size (M = 1 to 8), rounding each side up. Returns the largest
// such step whose sides fit the bound, rounded down: asked for that size, the reader picks that
// same step (asked for the rounded-up size it would pick the next one) and at most scales off the
// last pixel, so no image it makes is larger than the bound. JPEG sides stop at 65535, whose eighth
// is still within the bound.
QSize jpegStepWithinBound(const QSize& stored)
{
    auto roundedUp = [](int side, int m) { return (qint64(side) * m + 7) / 8; };
    int m = 8;
    while (m > 1 && (roundedUp(stored.width(), m) > kMaxDecodedSide ||
                     roundedUp(stored.height(), m) > kMaxDecodedSide))
        --m;
    return QSize(int(qint64(stored.width()) * m / 8), int(qint64(stored.height()) * m / 8))
        .expandedTo(QSize(1, 1));
}

// The size to decode at, in the stored orientation, for a picture shown at `wanted`. Within the
// bound that is `wanted`. Over it only a sequential JPEG can be reduced while decoding; any other
// picture (a progressive JPEG keeps every coefficient of the whole picture) is refused.
QSize decodeSize(const QString& file, const Header& h, const QSize& wanted)
{
    if (pixelCount(h.raw) <= kMaxDecodedPixels)
        return wanted;
    if (h.format != "jpeg" || h.progressive) {
        const QString kind =
            h.format == "jpeg" ? QStringLiteral("progressive JPEG") : QString::fromLatin1(h.format.toUpper());
        throw failure(file, PictureError::TooLarge,
                      QStringLiteral("picture too large (%1 x %2 pixels, over 64 megapixels); %3 pictures "
                                     "cannot be reduced while decoding")
                          .arg(h.raw.width())
                          .arg(h.raw.height())
                          .arg(kind));
    }
    const QSize step = jpegStepWithinBound(h.raw);
    return wanted.width() <= step.width() && wanted.height() <= step.height() ? wanted : step;
}

} // namespace

void limitPictureMemory()
{
    QImageReader::setAllocationLimit(int((kMaxDecodedPixels * kDecodedPixelBytes) >> 20));
}

bool isVideoFile(const QString& file)
{
    if (!hasVideoName(file))
        return false;
    QFile f(file);
    return !f.open(QIODevice::ReadOnly) || (QImageReader::imageFormat(&f).isEmpty() && !isHeif(f));
}

QSize pictureSize(const QString& file)
{
    if (isVideoFile(file))
        return readVideoFacts(file).frameSize;
    QFile f(file);
    openForReading(f);
    const Header h =
        isHeif(f) ? heifHeader(openHeif(file, [&] { return HeifFile::fromPath(file); }), f.size(), file)
                  : readHeader(f, file, readCameraFacts(file).orientation);
    return swapsSides(h.orientation) ? h.raw.transposed() : h.raw;
}

Picture loadPicture(const QString& file, const QSize& fitInto)
{
    if (isVideoFile(file))
        return loadVideoPoster(file, fitInto);
    QByteArray data;
    {
        QFile f(file);
        openForReading(f);
        data = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw failure(file, QStringLiteral("cannot be read (%1)").arg(f.errorString()));
    }
    return decodePicture(file, data, fitInto);
}

Picture decodePicture(const QString& file, QByteArray data, const QSize& fitInto)
{
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const Header h = isHeif(buffer) ? heifHeader(openHeif(file, [&] { return HeifFile::fromContents(data); }),
                                                 data.size(), file)
                                    : readHeader(buffer, file, readCameraFacts(data).orientation);

    if ((h.format == "jpeg" && !jpegComplete(data)) || (h.format == "bmp" && !bmpComplete(data)))
        throw failure(file, QStringLiteral("picture file is truncated"));

    const bool swap = swapsSides(h.orientation);
    const QSize natural = swap ? h.raw.transposed() : h.raw;
    const QSize shown = fitted(natural, fitInto);
    const QSize decoded = decodeSize(file, h, swap ? shown.transposed() : shown); // before turning

    QImage image;
    if (h.heif) {
        try {
            // A phone's embedded thumbnail, when it covers the size shown, decodes many times faster.
            image = h.heif->decodeThumbnail(decoded, h.heifTurns);
            if (image.isNull())
                image = h.heif->decode(h.heifTurns);
        } catch (const HeifError& e) {
            throw failure(file,
                          QStringLiteral("picture cannot be decoded (%1)").arg(QString::fromUtf8(e.what())));
        }
        if (image.size() != decoded) // libheif has no scaled decode
            image = image.scaled(decoded, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        QImageReader reader(&buffer, h.format);
        reader.setAutoTransform(false);
        if (decoded != h.raw)
            reader.setScaledSize(decoded);
        image = reader.read();
        if (image.isNull())
            throw failure(file, QStringLiteral("picture cannot be decoded (%1)").arg(reader.errorString()));
    }

    Picture picture;
    picture.file = file;
    picture.naturalSize = natural;
    picture.image = oriented(std::move(image), h.orientation);
    return picture;
}

} // namespace wk::controls
