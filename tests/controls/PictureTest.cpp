// Picture loading against real BMP, JPEG, PNG and icon files written into a temporary folder,
// and the formats phones and editors give (PNG, WebP, TIFF, HEIC) written by the real tools.
#include "PictureTools.h"
#include "SampleArtwork.h"
#include "controls/Picture.h"

#include <QBuffer>
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
using wk::sample::encodeJpeg;

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

QByteArray encode(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
    return bytes;
}

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

// `jpeg` (baseline, as Qt writes it) with its frame header claiming `size`.
QByteArray withFrameSize(QByteArray jpeg, QSize size)
{
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(quint16(size.height()), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(size.width()), jpeg.data() + frame + 7);
    return jpeg;
}

bool mostlyRed(QRgb c) { return qRed(c) > 180 && qBlue(c) < 90; }
bool mostlyBlue(QRgb c) { return qBlue(c) > 180 && qRed(c) < 90; }

class PictureFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        wk::sample::writeBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PictureFiles, BadFilesFailCleanly)
{
    const QByteArray jpeg = encode(halves({300, 200}), "jpg");
    const QByteArray bmp = encode(halves({300, 200}), "bmp");
    // A BMP header announcing 30000 x 30000 pixels with almost no data behind it.
    QByteArray hugeBmp = bmp.left(54);
    qToLittleEndian<qint32>(30000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(30000, hugeBmp.data() + 22);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));
    const struct {
        QString path;
        bool sizeFails; // reading the header alone fails too
    } cases[] = {
        {dir.filePath("missing.jpg"), true},
        {dir.filePath("folder.jpg"), true},
        {write("empty.jpg", {}), true},
        {write("garbage.jpg", "not a picture at all" + QByteArray(4096, '\x5a')), true},
        {write("cut.jpg", jpeg.left(jpeg.size() / 2)), false},
        {write("cut-header.jpg", jpeg.left(40)), true},
        {write("cut.bmp", bmp.left(bmp.size() - 300)), false},
        {write("huge.bmp", hugeBmp), true},
        {write("huge.jpg", withFrameSize(jpeg, {30000, 25000})), true},
        // A few kB whose frame header says 19999 x 19999: decoding it took 1.6 GB of grey filler.
        {write("bomb.jpg", withFrameSize(encode(halves({120, 90}), "jpg"), {19999, 19999})), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_THROW(loadPicture(c.path), PictureError);
        EXPECT_THROW(loadPicture(c.path, {64, 64}), PictureError);
        if (c.sizeFails) {
            EXPECT_THROW(pictureSize(c.path), PictureError);
        }
    }
    // The message names the file, and says why.
    EXPECT_TRUE(refusal(cases[0].path).contains("missing.jpg")) << refusal(cases[0].path).toStdString();
    for (const QSize& fitInto : {QSize(), QSize(64, 64)})
        EXPECT_TRUE(refusal(cases[9].path, fitInto).contains("damaged"));
}

TEST_F(PictureFiles, PicturesOverSixtyFourMegapixelsAreReducedByAJpegDecoderOrRefused)
{
    const QByteArray panorama = encodeJpeg(greyPanorama(), 90);
    const QString path = write("panorama.jpg", panorama);
    const Picture pic = loadPicture(path);
    EXPECT_EQ(pic.naturalSize, QSize(16001, 4201));
    // As large as the decoder's eighths allow within 8192 a side, keeping the shape.
    EXPECT_LE(pic.image.width(), 8192);
    EXPECT_GT(pic.image.width(), 8192 * 7 / 8);
    EXPECT_NEAR(double(pic.image.width()) / pic.image.height(), 16001.0 / 4201, 0.005);
    const Picture standing = loadPicture(write("turned.jpg", encodeJpeg(greyPanorama(), 90, 6)));
    EXPECT_EQ(standing.naturalSize, QSize(4201, 16001));
    EXPECT_EQ(standing.image.size(), pic.image.size().transposed());
    EXPECT_EQ(loadPicture(path, {200, 200}).image.width(), 200);

    // One-bit noise of 8200 x 8200: 67 megapixels in 8 MB, so nothing here looks damaged. A
    // progressive JPEG keeps the coefficients of the whole picture while it decodes.
    QImage noise(8200, 8200, QImage::Format_Mono);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        random.fillRange(reinterpret_cast<quint32*>(noise.scanLine(y)), noise.bytesPerLine() / 4);
    for (const QString& refused :
         {write("big.png", encode(noise, "png")), write("big.bmp", encode(noise, "bmp")),
          write("progressive.jpg", encode(greyPanorama(), "jpg", true))}) {
        SCOPED_TRACE(refused.toStdString());
        EXPECT_NO_THROW(pictureSize(refused)); // reading the header is no decode
        for (const QSize& fitInto : {QSize(), QSize(160, 120)}) {
            const QString why = refusal(refused, fitInto);
            EXPECT_TRUE(why.contains("too large") && why.contains("cannot be reduced while decoding"))
                << why.toStdString();
        }
    }
}

TEST_F(PictureFiles, EachToolWrittenFormatLoadsTurnedOnceByItsExifOrientation)
{
    if (!wk::testing::havePictureTools())
        GTEST_SKIP() << "ImageMagick's convert or exiftool is not installed";
    const struct {
        const char* name;
        int orientation; // 0: no EXIF at all
    } rows[] = {{"plain.png", 0}, {"turned.png", 6},  {"plain.webp", 0}, {"turned.webp", 6},
                {"plain.tif", 0}, {"turned.tiff", 6}, {"plain.heic", 0}, {"turned.heic", 6},
                {"left.heif", 8}, {"upside.heic", 3}, {"turned.JPEG", 6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(wk::testing::writeWithConvert(halves({400, 300}), path));
        if (row.orientation != 0) {
            ASSERT_TRUE(
                wk::testing::writeExif(path, {QStringLiteral("-Orientation=%1").arg(row.orientation)}));
        }
        const bool standing = row.orientation == 6 || row.orientation == 8;
        const QSize shown = standing ? QSize(300, 400) : QSize(400, 300);
        EXPECT_EQ(pictureSize(path), shown);
        const Picture pic = loadPicture(path);
        EXPECT_EQ(pic.naturalSize, shown);
        ASSERT_EQ(pic.image.size(), shown);
        // The stored left (red) half: on top after a quarter turn clockwise, at the bottom after
        // one back; on the right when upside down.
        const QPoint probe = standing ? QPoint(150, 20) : QPoint(20, 150);
        EXPECT_EQ(mostlyRed(pic.image.pixel(probe)), row.orientation != 3 && row.orientation != 8);
        EXPECT_EQ(mostlyBlue(pic.image.pixel(probe)), row.orientation == 8 || row.orientation == 3);
        EXPECT_EQ(loadPicture(path, {60, 60}).image.size(), shown.scaled(60, 60, Qt::KeepAspectRatio));
    }
    // A damaged HEIC fails cleanly.
    QFile heic(dir.filePath(QStringLiteral("turned.heic")));
    ASSERT_TRUE(heic.open(QIODevice::ReadWrite));
    const qsizetype whole = heic.size();
    for (const qsizetype keep : {whole - 40, whole / 2, qsizetype(40)}) {
        SCOPED_TRACE(keep);
        heic.resize(keep);
        EXPECT_THROW(loadPicture(heic.fileName()), PictureError);
    }
}
