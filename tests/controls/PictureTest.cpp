// Picture loading against real BMP, JPEG, PNG and icon files written into a temporary folder,
// and the formats phones and editors give (PNG, WebP, TIFF, HEIC) written by the real tools.
#include "JpegFrame.h"
#include "PictureTools.h"
#include "controls/Picture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using wk::controls::loadPicture;
using wk::controls::Picture;
using wk::controls::PictureError;
using wk::controls::pictureSize;
using wk::testing::havePictureTools;
using wk::testing::withFrameSize;
using wk::testing::writeExif;
using wk::testing::writeWithConvert;

namespace {

// Left half red, right half blue: shows where the stored left edge ends up after rotation.
QImage halves(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
    p.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), Qt::blue);
    return image;
}

QByteArray encode(const QImage& image, const char* format, int quality = 90, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
    return bytes;
}

// An APP1 segment holding `tiff` as its EXIF block.
QByteArray app1(const QByteArray& tiff)
{
    QByteArray segment("\xFF\xE1\0\0Exif\0\0", 10);
    qToBigEndian<quint16>(quint16(segment.size() - 2 + tiff.size()), segment.data() + 2);
    return segment + tiff;
}

// Inserts an EXIF block with one entry, the orientation tag, right after the start-of-image
// marker, as cameras do.
QByteArray withOrientation(const QByteArray& jpeg, int orientation, bool little = false)
{
    QByteArray tiff = little ? "II" : "MM";
    const auto put = [&](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            tiff.append(char(value >> 8 * (little ? i : bytes - 1 - i)));
    };
    put(42, 2);
    put(8, 4);      // IFD0 right after the header
    put(1, 2);      // one entry
    put(0x0112, 2); // orientation
    put(3, 2);      // SHORT
    put(1, 4);      // one value
    put(quint32(orientation), 2);
    put(0, 2); // value padding
    put(0, 4); // no next IFD
    return jpeg.left(2) + app1(tiff) + jpeg.mid(2);
}

class PictureFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

// The reason the loader gives for refusing the file; empty when it loads.
QString refusal(const QString& path, QSize fitInto = {})
{
    try {
        loadPicture(path, fitInto);
        return {};
    } catch (const PictureError& e) {
        return QString::fromUtf8(e.what());
    }
}

// A flat grey of 16001 x 4201 pixels: 67.2 megapixels, just over the decode bound.
QImage greyPanorama()
{
    QImage image(16001, 4201, QImage::Format_Grayscale8);
    image.fill(128);
    return image;
}

bool mostlyRed(QRgb c) { return qRed(c) > 180 && qBlue(c) < 90; }
bool mostlyBlue(QRgb c) { return qBlue(c) > 180 && qRed(c) < 90; }

} // namespace

TEST_F(PictureFiles, SizesOfEveryShapeAndFormatWhateverTheSuffix)
{
    struct Row {
        const char* format;
        const char* suffix;
        QSize shape;
    };
    const Row rows[] = {
        {"bmp", "bmp", {320, 200}}, {"bmp", "bmp", {150, 260}}, {"bmp", "bmp", {128, 128}},
        {"jpg", "jpg", {320, 200}}, {"jpg", "jpg", {150, 260}}, {"jpg", "jpg", {128, 128}},
        {"jpg", "bmp", {90, 60}}, // the content decides the format, not the suffix
        {"ico", "ico", {32, 32}},
    };
    for (const Row& row : rows) {
        const QSize shape = row.shape;
        const QString path =
            write(QStringLiteral("p%1x%2.%3").arg(shape.width()).arg(shape.height()).arg(row.suffix),
                  encode(halves(shape), row.format));
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(pictureSize(path), shape);
        const Picture pic = loadPicture(path);
        EXPECT_EQ(pic.naturalSize, shape);
        EXPECT_EQ(pic.image.size(), shape);
        EXPECT_FALSE(pic.isNull());
        EXPECT_TRUE(mostlyRed(pic.image.pixel(2, shape.height() / 2)));
    }
}

TEST_F(PictureFiles, CameraOrientationTurnsLandscapeIntoPortrait)
{
    const QByteArray plain = encode(halves({400, 300}), "jpg");
    struct Row {
        int orientation;
        bool little;
        QSize size;
        bool topRed; // the stored left (red) edge shown at the top
    };
    const Row rows[] = {
        {1, false, {400, 300}, false}, {6, false, {300, 400}, true}, {6, true, {300, 400}, true},
        {8, false, {300, 400}, false}, {3, true, {400, 300}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.orientation);
        const QString path = write(QStringLiteral("cam%1%2.jpg").arg(row.orientation).arg(row.little),
                                   withOrientation(plain, row.orientation, row.little));
        EXPECT_EQ(pictureSize(path), row.size);
        const Picture pic = loadPicture(path);
        EXPECT_EQ(pic.naturalSize, row.size);
        ASSERT_EQ(pic.image.size(), row.size);
        if (row.orientation == 6 || row.orientation == 8) {
            const QRgb top = pic.image.pixel(150, 20), bottom = pic.image.pixel(150, 380);
            EXPECT_EQ(mostlyRed(top), row.topRed);
            EXPECT_EQ(mostlyBlue(bottom), row.topRed);
        }
    }
}

TEST_F(PictureFiles, ScaledDecodeFitsKeepsRatioAndNeverGrows)
{
    const QString jpeg = write("wide.jpg", encode(halves({800, 400}), "jpg"));
    const QString bmp = write("wide.bmp", encode(halves({800, 400}), "bmp"));
    for (const QString& path : {jpeg, bmp}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(loadPicture(path, {100, 100}).image.size(), QSize(100, 50));
        EXPECT_EQ(loadPicture(path, {200, 50}).image.size(), QSize(100, 50));
        const Picture big = loadPicture(path, {4000, 4000});
        EXPECT_EQ(big.image.size(), QSize(800, 400));
        EXPECT_EQ(big.naturalSize, QSize(800, 400));
        EXPECT_EQ(loadPicture(path, {1000, 200}).image.size(), QSize(400, 200));
        EXPECT_EQ(loadPicture(path, {1, 1}).image.size(), QSize(1, 1));
    }
    // A turned camera picture fits in its shown orientation, not in its stored one.
    const QString cam = write("cam.jpg", withOrientation(encode(halves({400, 300}), "jpg"), 6));
    const Picture thumb = loadPicture(cam, {60, 60});
    EXPECT_EQ(thumb.image.size(), QSize(45, 60));
    EXPECT_EQ(thumb.naturalSize, QSize(300, 400));
    EXPECT_TRUE(mostlyRed(thumb.image.pixel(22, 5)));

    // 6000 x 6000 needs more memory than the image reader allows by default.
    QImage large(6000, 6000, QImage::Format_RGB32);
    large.fill(QColor(20, 120, 200));
    const QString panorama = write("panorama.jpg", encode(large, "jpg", 50));
    EXPECT_EQ(loadPicture(panorama).image.size(), QSize(6000, 6000));
    EXPECT_EQ(loadPicture(panorama, {160, 120}).image.size(), QSize(120, 120));
}

TEST_F(PictureFiles, BadFilesFailCleanly)
{
    const QByteArray jpeg = encode(halves({300, 200}), "jpg");
    const QByteArray bmp = encode(halves({300, 200}), "bmp");
    QByteArray garbage(4096, '\x5a');
    garbage.prepend("not a picture at all");

    // A BMP header announcing 30000 x 30000 pixels with almost no data behind it.
    QByteArray hugeBmp = bmp.left(54);
    qToLittleEndian<qint32>(30000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(30000, hugeBmp.data() + 22);
    const QByteArray hugeJpeg = withFrameSize(jpeg, {30000, 25000});
    // A few kB whose frame header says 19999 x 19999: decoding it took 1.6 GB of grey filler.
    const QString bomb = write("bomb.jpg", withFrameSize(encode(halves({120, 90}), "jpg"), {19999, 19999}));

    const QString missing = dir.filePath("missing.jpg");
    const QString folder = dir.filePath("folder.jpg");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));
    const QString cases[] = {
        missing,
        folder,
        write("empty.jpg", {}),
        write("garbage.jpg", garbage),
        write("cut.jpg", jpeg.left(jpeg.size() / 2)),
        write("cut-header.jpg", jpeg.left(40)),
        write("cut.bmp", bmp.left(bmp.size() - 300)),
        write("huge.bmp", hugeBmp),
        write("huge.jpg", hugeJpeg),
    };
    for (const QString& path : cases) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_THROW(loadPicture(path), PictureError);
        EXPECT_THROW(loadPicture(path, {64, 64}), PictureError);
    }
    // Header-only reading: size fails only where the header itself is unusable.
    for (const QString& path : {missing, folder, cases[2], cases[3], cases[5], cases[7], cases[8], bomb}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_THROW(pictureSize(path), PictureError);
    }
    // The message names the file, so a person can tell which picture failed.
    EXPECT_TRUE(refusal(missing).contains("missing.jpg")) << refusal(missing).toStdString();
    for (const QSize& fitInto : {QSize(), QSize(64, 64)})
        EXPECT_TRUE(refusal(bomb, fitInto).contains("damaged")) << refusal(bomb, fitInto).toStdString();
}

TEST_F(PictureFiles, CompleteFilesWithTrailingBytesOrEmbeddedMarkersStillLoad)
{
    // Cameras append padding after the end marker; an EXIF block may carry its own small JPEG.
    const QByteArray exif = app1(QByteArray("MM\0\x2A\0\0\0\x08\0\0", 10) + encode(halves({16, 12}), "jpg"));
    const QByteArray jpeg = encode(halves({200, 100}), "jpg");
    const QString path = write("padded.jpg", jpeg.left(2) + exif + jpeg.mid(2) + QByteArray(500, '\0'));
    EXPECT_EQ(loadPicture(path).image.size(), QSize(200, 100));

    const QString bmpPath = write("padded.bmp", encode(halves({33, 7}), "bmp") + QByteArray(10, '\0'));
    EXPECT_EQ(loadPicture(bmpPath).image.size(), QSize(33, 7));
}

TEST_F(PictureFiles, JpegsOverSixtyFourMegapixelsAreReducedByTheDecoderToFit8192)
{
    const QByteArray panorama = encode(greyPanorama(), "jpg");
    const QString path = write("panorama.jpg", panorama);
    const QString turned = write("turned.jpg", withOrientation(panorama, 6));

    const Picture pic = loadPicture(path);
    EXPECT_EQ(pic.naturalSize, QSize(16001, 4201));
    // As large as the decoder's eighths allow within 8192 a side, keeping the shape.
    EXPECT_LE(pic.image.width(), 8192);
    EXPECT_GT(pic.image.width(), 8192 * 7 / 8);
    EXPECT_NEAR(double(pic.image.width()) / pic.image.height(), 16001.0 / 4201, 0.005);

    const Picture standing = loadPicture(turned);
    EXPECT_EQ(standing.naturalSize, QSize(4201, 16001));
    EXPECT_EQ(standing.image.size(), pic.image.size().transposed());
    EXPECT_EQ(loadPicture(path, {200, 200}).image.width(), 200);
}

TEST_F(PictureFiles, OtherPicturesOverTheBoundAreRefusedWithAReason)
{
    // One-bit noise of 8200 x 8200: 67 megapixels in 8 MB, so nothing here looks damaged.
    QImage noise(8200, 8200, QImage::Format_Mono);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        random.fillRange(reinterpret_cast<quint32*>(noise.scanLine(y)), noise.bytesPerLine() / 4);
    // A progressive JPEG keeps the coefficients of the whole picture while it decodes.
    const QString paths[] = {write("big.png", encode(noise, "png")), write("big.bmp", encode(noise, "bmp")),
                             write("progressive.jpg", encode(greyPanorama(), "jpg", 90, true))};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_NO_THROW(pictureSize(path)); // reading the header is no decode
        for (const QSize& fitInto : {QSize(), QSize(160, 120)}) {
            const QString why = refusal(path, fitInto);
            EXPECT_TRUE(why.contains("too large") && why.contains("cannot be reduced while decoding"))
                << why.toStdString();
        }
    }
}

TEST_F(PictureFiles, EachToolWrittenFormatLoadsTurnedOnceByItsExifOrientation)
{
    if (!havePictureTools())
        GTEST_SKIP() << "ImageMagick's convert or exiftool is not installed";
    struct Row {
        const char* name;
        int orientation; // 0: no EXIF at all
    };
    const Row rows[] = {{"plain.png", 0}, {"turned.png", 6},  {"plain.webp", 0}, {"turned.webp", 6},
                        {"plain.tif", 0}, {"turned.tiff", 6}, {"plain.heic", 0}, {"turned.heic", 6},
                        {"left.heif", 8}, {"upside.heic", 3}, {"turned.JPEG", 6}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(writeWithConvert(halves({400, 300}), path));
        if (row.orientation != 0) {
            ASSERT_TRUE(writeExif(path, {QStringLiteral("-Orientation=%1").arg(row.orientation)}));
        }
        const bool standing = row.orientation == 6 || row.orientation == 8;
        const QSize shown = standing ? QSize(300, 400) : QSize(400, 300);
        EXPECT_EQ(pictureSize(path), shown);
        const Picture pic = loadPicture(path);
        EXPECT_EQ(pic.naturalSize, shown);
        ASSERT_EQ(pic.image.size(), shown);
        // The stored left (red) half: on top after a quarter turn clockwise, at the bottom after
        // one back; on the right when upside down.
        const int w = shown.width(), h = shown.height();
        if (standing)
            EXPECT_EQ(mostlyRed(pic.image.pixel(w / 2, 20)), row.orientation == 6);
        else
            EXPECT_EQ(mostlyRed(pic.image.pixel(20, h / 2)), row.orientation != 3);
        EXPECT_EQ(mostlyBlue(pic.image.pixel(standing ? w / 2 : 20, standing ? 20 : h / 2)),
                  row.orientation == 8 || row.orientation == 3);
        EXPECT_EQ(loadPicture(path, {60, 60}).image.size(), shown.scaled(60, 60, Qt::KeepAspectRatio));
    }
    // A damaged HEIC fails cleanly.
    const QString heic = dir.filePath(QStringLiteral("turned.heic"));
    QFile file(heic);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qsizetype whole = file.size();
    for (const qsizetype keep : {whole - 40, whole / 2, qsizetype(40)}) {
        SCOPED_TRACE(keep);
        file.resize(keep);
        EXPECT_THROW(loadPicture(heic), PictureError);
    }
}
