// The strip's pictures through the desktop's shared thumbnail folder: when a kept thumbnail is used
// instead of the file, and what is noted of a file that cannot be decoded.
#include "TimelineFixture.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QThreadPool>

using namespace wk;
using StripThumbnails = wk::testing::StripTest;

namespace {

QString cacheHome() { return qEnvironmentVariable("XDG_CACHE_HOME") + "/thumbnails"; }

QString md5Png(const QString& uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri.toUtf8(), QCryptographicHash::Md5).toHex()) +
           ".png";
}

QString mtimeOf(const QString& file)
{
    return QString::number(QFileInfo(file).lastModified().toSecsSinceEpoch());
}

// Background writes of the thumbnails are done.
void waitForWrites() { QThreadPool::globalInstance()->waitForDone(); }

QRgb centreOf(const controls::ImageControl* slot)
{
    const QImage& image = slot->picture().image;
    return image.pixel(image.width() / 2, image.height() / 2);
}

void setModified(const QString& file, const QDateTime& time)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

TEST_F(StripThumbnails, AKeptThumbnailIsUsedOnlyWhileItsUriTimeAndSizeMatchTheFile)
{
    const QString picture = book.writePicture("beach.bmp", {300, 200}, Qt::red);
    book.addEntry({QDate(2001, 1, 1), "Beach", "1 Events", {}, picture, {}});
    // A file manager's thumbnail, in a colour the file does not have.
    const QString uri = "file://" + picture;
    const QString thumbnail = cacheHome() + "/large/" + md5Png(uri);
    ASSERT_TRUE(QDir().mkpath(cacheHome() + "/large"));
    const auto writeThumbnail = [&](const QString& keyUri, const QString& mtime, qint64 bytes = -1) {
        QImage green(256, 171, QImage::Format_RGB32);
        green.fill(Qt::green);
        green.setText("Thumb::URI", keyUri);
        green.setText("Thumb::MTime", mtime);
        if (bytes >= 0)
            green.setText("Thumb::Size", QString::number(bytes));
        ASSERT_TRUE(green.save(thumbnail));
    };
    writeThumbnail(uri, mtimeOf(picture));
    shell::MainWindow& form = start();
    form.widgets().timelineButton->click();
    EXPECT_EQ(centreOf(form.widgets().stripSlots[1]), qRgb(0, 255, 0)) << "a covering larger size is used";
    EXPECT_EQ(form.widgets().stripSlots[1]->picture().naturalSize, QSize(300, 200))
        << "read from the file's header";

    writeThumbnail(uri + "x", mtimeOf(picture));
    form.widgets().timelineButton->click();
    form.widgets().timelineButton->click();
    EXPECT_EQ(centreOf(form.widgets().stripSlots[1]), qRgb(255, 0, 0)) << "another file's thumbnail";

    writeThumbnail(uri, mtimeOf(picture));
    const QDateTime written = QFileInfo(picture).lastModified();
    book.writePicture("beach.bmp", {300, 200}, Qt::blue);
    setModified(picture, written.addSecs(60));
    form.widgets().timelineButton->click();
    form.widgets().timelineButton->click();
    EXPECT_EQ(centreOf(form.widgets().stripSlots[1]), qRgb(0, 0, 255)) << "a changed file is decoded again";

    // Rewritten within the same second: the size the thumbnail names tells the two apart.
    const QDateTime same = QFileInfo(picture).lastModified();
    writeThumbnail(uri, mtimeOf(picture), QFileInfo(picture).size());
    book.writePicture("beach.bmp", {300, 190}, Qt::yellow);
    setModified(picture, same);
    form.widgets().timelineButton->click();
    form.widgets().timelineButton->click();
    EXPECT_EQ(centreOf(form.widgets().stripSlots[1]), qRgb(255, 255, 0)) << "a file of another size";
}

TEST_F(StripThumbnails, ABrokenPictureIsRecordedAsFailedAndItsSlotStaysEmpty)
{
    const QString broken = book.path("broken.jpg");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("\xFF\xD8\xFF\xE0 not really a picture", 24) == 24);
    f.close();
    book.addEntry({QDate(2001, 1, 1), "Broken", "1 Events", {}, broken, {}});
    shell::MainWindow& form = start();
    form.widgets().timelineButton->click();
    waitForWrites();
    EXPECT_TRUE(form.widgets().stripSlots[1]->picture().isNull());

    const QString uri = "file://" + broken;
    const QStringList records = QDir(cacheHome() + "/fail").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records[0].startsWith("wanderkeep-") && records[0].size() > 11) << "named with the version";
    const QImage written(cacheHome() + "/fail/" + records[0] + "/" + md5Png(uri));
    EXPECT_EQ(written.text("Thumb::URI"), uri);
    EXPECT_EQ(written.text("Thumb::MTime"), mtimeOf(broken));
    form.widgets().timelineButton->click(); // shown again: the record stands for the file
    form.widgets().timelineButton->click();
    EXPECT_TRUE(form.widgets().stripSlots[1]->picture().isNull());
}
