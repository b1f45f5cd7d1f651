// Every picture format a camera, phone or editor gives, written by the real tools, read through
// the one loader with the camera's orientation.
#include "PictureTools.h"
#include "controls/Picture.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using wk::controls::loadPicture;
using wk::controls::PictureError;
using wk::controls::pictureSize;
using wk::testing::havePictureTools;
using wk::testing::writeExif;
using wk::testing::writeWithConvert;

namespace {

// Left half red, right half blue, 400 x 300: after a quarter turn clockwise red is on top.
QImage halves()
{
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 200, 300, Qt::red);
    p.fillRect(200, 0, 200, 300, Qt::blue);
    return image;
}

bool mostlyRed(QRgb c) { return qRed(c) > 170 && qBlue(c) < 100; }
bool mostlyBlue(QRgb c) { return qBlue(c) > 170 && qRed(c) < 100; }

class PictureFormats : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!havePictureTools())
            GTEST_SKIP() << "ImageMagick's convert or exiftool is not installed";
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PictureFormats, EachFormatLoadsTurnedOnceByItsExifOrientation)
{
    struct Row {
        const char* name;
        int orientation; // 0: no EXIF at all
        QSize shown;
        bool redOnTop;
    };
    const Row rows[] = {
        {"plain.jpg", 0, {400, 300}, false},   {"turned.JPEG", 6, {300, 400}, true},
        {"plain.bmp", 0, {400, 300}, false},   {"plain.png", 0, {400, 300}, false},
        {"turned.png", 6, {300, 400}, true},   {"plain.webp", 0, {400, 300}, false},
        {"turned.webp", 6, {300, 400}, true},  {"plain.tif", 0, {400, 300}, false},
        {"turned.tiff", 6, {300, 400}, true},  {"plain.heic", 0, {400, 300}, false},
        {"turned.heic", 6, {300, 400}, true},  {"left.heif", 8, {300, 400}, false},
        {"upside.heic", 3, {400, 300}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_TRUE(writeWithConvert(halves(), path));
        if (row.orientation != 0) {
            ASSERT_TRUE(writeExif(path, {QStringLiteral("-Orientation=%1").arg(row.orientation)}));
        }

        EXPECT_EQ(pictureSize(path), row.shown);
        const auto picture = loadPicture(path);
        EXPECT_EQ(picture.naturalSize, row.shown);
        ASSERT_EQ(picture.image.size(), row.shown);
        const QImage& image = picture.image;
        const int w = image.width(), h = image.height();
        if (row.shown.height() > row.shown.width()) {
            EXPECT_EQ(mostlyRed(image.pixel(w / 2, 20)), row.redOnTop);
            EXPECT_EQ(mostlyBlue(image.pixel(w / 2, h - 20)), row.redOnTop);
        } else { // upright or upside down: red stays left, or goes right
            EXPECT_EQ(mostlyRed(image.pixel(20, h / 2)), row.orientation != 3);
            EXPECT_EQ(mostlyBlue(image.pixel(20, h / 2)), row.orientation == 3);
        }
        // Decoded for its drawn size, in the shown orientation.
        const QSize thumb = loadPicture(path, {60, 60}).image.size();
        EXPECT_EQ(thumb, row.shown.scaled(60, 60, Qt::KeepAspectRatio));
    }
}

TEST_F(PictureFormats, DamagedHeicFailsCleanly)
{
    const QString path = dir.filePath(QStringLiteral("phone.heic"));
    ASSERT_TRUE(writeWithConvert(halves(), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray whole = file.readAll();
    for (const qsizetype keep : {whole.size() - 40, whole.size() / 2, qsizetype(40)}) {
        SCOPED_TRACE(keep);
        file.resize(keep);
        EXPECT_THROW(loadPicture(path), PictureError);
    }
}
