// Picture loading against real BMP, JPEG, PNG and icon files written into a temporary folder,
// and the formats phones and editors give (PNG, WebP, TIFF, HEIC) written by the real tools.
#include "JpegFrame.h"
#include "PictureTools.h"
#include "SampleArtwork.h"
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

TEST_F(PictureFiles, EveryShapeAndFormatLoadsWhateverTheSuffixTurnedByItsCameraOrientation)
{
    const struct {
        const char* name;
        QByteArray bytes;
        QSize shown;
        QPoint red; // where the stored left (red) edge shows
    } rows[] = {
        {"wide.bmp", encode(halves({320, 200}), "bmp"), {320, 200}, {2, 100}},
        {"tall.bmp", encode(halves({150, 260}), "bmp"), {150, 260}, {2, 130}},
        {"wide.jpg", encode(halves({320, 200}), "jpg"), {320, 200}, {2, 100}},
        {"square.jpg", encode(halves({128, 128}), "jpg"), {128, 128}, {2, 64}},
        {"jpeg.bmp", encode(halves({90, 60}), "jpg"), {90, 60}, {2, 30}}, // the content decides
        {"icon.ico", encode(halves({32, 32}), "ico"), {32, 32}, {2, 16}},
        // Turned a quarter clockwise, a quarter back and upside down.
        {"cam6.jpg", encodeJpeg(halves({400, 300}), 90, 6), {300, 400}, {150, 20}},
        {"cam8.jpg", encodeJpeg(halves({400, 300}), 90, 8), {300, 400}, {150, 380}},
        {"cam3.jpg", encodeJpeg(halves({400, 300}), 90, 3), {400, 300}, {380, 150}},
        // Cameras append padding after the end marker.
        {"padded.jpg", encodeJpeg(halves({200, 100}), 90, 1) + QByteArray(500, '\0'), {200, 100}, {2, 50}},
        {"padded.bmp", encode(halves({33, 7}), "bmp") + QByteArray(10, '\0'), {33, 7}, {2, 3}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = write(row.name, row.bytes);
        EXPECT_EQ(pictureSize(path), row.shown);
        const Picture pic = loadPicture(path);
        EXPECT_EQ(pic.naturalSize, row.shown);
        ASSERT_EQ(pic.image.size(), row.shown);
        EXPECT_TRUE(mostlyRed(pic.image.pixel(row.red)));
    }
}

TEST_F(PictureFiles, ScaledDecodeFitsKeepsRatioAndNeverGrows)
{
    for (const char* format : {"jpg", "bmp"}) {
        SCOPED_TRACE(format);
        const QString path = write(QStringLiteral("wide.") + format, encode(halves({800, 400}), format));
        for (const auto& [box, decoded] : {std::pair{QSize(100, 100), QSize(100, 50)},
                                           {QSize(200, 50), QSize(100, 50)},
                                           {QSize(4000, 4000), QSize(800, 400)},
                                           {QSize(1000, 200), QSize(400, 200)},
                                           {QSize(1, 1), QSize(1, 1)}}) {
            const Picture pic = loadPicture(path, box);
            EXPECT_EQ(pic.image.size(), decoded) << box.width();
            EXPECT_EQ(pic.naturalSize, QSize(800, 400));
        }
    }
    // A turned camera picture fits in its shown orientation, not in its stored one.
    const Picture thumb = loadPicture(write("cam.jpg", encodeJpeg(halves({400, 300}), 90, 6)), {60, 60});
    EXPECT_EQ(thumb.image.size(), QSize(45, 60));
    EXPECT_EQ(thumb.naturalSize, QSize(300, 400));
    EXPECT_TRUE(mostlyRed(thumb.image.pixel(22, 5)));

    // 6000 x 6000 needs more memory than the image reader allows by default.
    QImage large(6000, 6000, QImage::Format_RGB32);
    large.fill(QColor(20, 120, 200));
    const QString panorama = write("panorama.jpg", encodeJpeg(large, 50));
    EXPECT_EQ(loadPicture(panorama).image.size(), QSize(6000, 6000));
    EXPECT_EQ(loadPicture(panorama, {160, 120}).image.size(), QSize(120, 120));
}

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
        {write("huge.jpg", wk::testing::withFrameSize(jpeg, {30000, 25000})), true},
        // A few kB whose frame header says 19999 x 19999: decoding it took 1.6 GB of grey filler.
        {write("bomb.jpg", wk::testing::withFrameSize(encode(halves({120, 90}), "jpg"), {19999, 19999})),
         true},
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
