#include "controls/Picture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace wk::controls {

namespace {

constexpr int kMaxSide = 20000;

quint16 be16(const uchar* p) { return qFromBigEndian<quint16>(p); }

PictureError failure(const QString& file, const QString& why)
{
    return PictureError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), why));
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

// Reads the orientation tag (0x0112) from the TIFF structure inside an EXIF APP1 payload.
int exifOrientation(const QByteArray& payload)
{
    if (!payload.startsWith(QByteArrayLiteral("Exif\0\0")))
        return 1;
    const auto* tiff = reinterpret_cast<const uchar*>(payload.constData()) + 6;
    const qsizetype size = payload.size() - 6;
    if (size < 8)
        return 1;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    const bool big = tiff[0] == 'M' && tiff[1] == 'M';
    if (!little && !big)
        return 1;
    auto u16 = [&](qsizetype at) -> quint32 {
        return little ? qFromLittleEndian<quint16>(tiff + at) : qFromBigEndian<quint16>(tiff + at);
    };
    auto u32 = [&](qsizetype at) -> quint32 {
        return little ? qFromLittleEndian<quint32>(tiff + at) : qFromBigEndian<quint32>(tiff + at);
    };
    if (u16(2) != 42)
        return 1;
    const qsizetype ifd = u32(4);
    if (ifd < 8 || ifd + 2 > size)
        return 1;
    const quint32 count = u16(ifd);
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype entry = ifd + 2 + qsizetype(i) * 12;
        if (entry + 12 > size)
            break;
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3 /* SHORT */) {
            const quint32 value = u16(entry + 8);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

// Walks the JPEG segments up to the first scan and returns the camera orientation (1 = none).
// Only the segment headers and the APP1 payloads are read, never the compressed pixels.
int jpegOrientation(QIODevice& dev)
{
    if (!dev.seek(0) || dev.read(2) != QByteArrayLiteral("\xFF\xD8"))
        return 1;
    for (;;) {
        const QByteArray head = dev.read(4);
        if (head.size() < 4 || uchar(head[0]) != 0xFF)
            return 1;
        const uchar marker = uchar(head[1]);
        if (marker == 0xDA || marker == 0xD9)
            return 1; // first scan reached without an orientation
        const int length = be16(reinterpret_cast<const uchar*>(head.constData()) + 2);
        if (length < 2)
            return 1;
        if (marker == 0xE1) {
            const QByteArray payload = dev.read(length - 2);
            if (payload.size() < length - 2)
                return 1;
            if (payload.startsWith(QByteArrayLiteral("Exif\0\0")))
                return exifOrientation(payload);
        } else if (!dev.seek(dev.pos() + length - 2)) {
            return 1;
        }
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
    QSize raw;       // as stored in the file
    int orientation; // EXIF orientation, 1 when none
    QByteArray format;
};

Header readHeader(QIODevice& dev, const QString& file)
{
    QImageReader reader(&dev);
    reader.setDecideFormatFromContent(true);
    Header h;
    h.format = reader.format();
    if (h.format.isEmpty() || !reader.canRead())
        throw failure(file, QStringLiteral("not a picture"));
    h.raw = reader.size();
    if (!h.raw.isValid() || h.raw.isEmpty())
        throw failure(file, QStringLiteral("picture size cannot be read"));
    if (h.raw.width() > kMaxSide || h.raw.height() > kMaxSide)
        throw failure(file,
                      QStringLiteral("picture too large (%1 x %2)").arg(h.raw.width()).arg(h.raw.height()));
    h.orientation = h.format == "jpeg" ? jpegOrientation(dev) : 1;
    dev.seek(0);
    return h;
}

} // namespace

QSize pictureSize(const QString& file)
{
    QFile f(file);
    openForReading(f);
    const Header h = readHeader(f, file);
    return swapsSides(h.orientation) ? h.raw.transposed() : h.raw;
}

Picture loadPicture(const QString& file, const QSize& fitInto)
{
    QByteArray data;
    {
        QFile f(file);
        openForReading(f);
        data = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw failure(file, QStringLiteral("cannot be read (%1)").arg(f.errorString()));
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const Header h = readHeader(buffer, file);

    if ((h.format == "jpeg" && !jpegComplete(data)) || (h.format == "bmp" && !bmpComplete(data)))
        throw failure(file, QStringLiteral("picture file is truncated"));

    const bool swap = swapsSides(h.orientation);
    const QSize natural = swap ? h.raw.transposed() : h.raw;
    const QSize shown = fitted(natural, fitInto);

    // The decoder allocates at most the natural size (4 bytes a pixel); sizes are already capped.
    const qint64 bytes = qint64(h.raw.width()) * h.raw.height() * 4;
    QImageReader::setAllocationLimit(std::max<int>(QImageReader::allocationLimit(), int(bytes >> 20) + 1));

    QImageReader reader(&buffer, h.format);
    reader.setAutoTransform(true);
    if (shown != natural)
        reader.setScaledSize(swap ? shown.transposed() : shown); // scaled in stored orientation
    QImage image = reader.read();
    if (image.isNull())
        throw failure(file, QStringLiteral("picture cannot be decoded (%1)").arg(reader.errorString()));

    Picture picture;
    picture.file = file;
    picture.naturalSize = natural;
    picture.image = std::move(image);
    return picture;
}

} // namespace wk::controls
