// The strip's pictures through the desktop's shared thumbnail folder: what is written there, when a
// kept thumbnail is used instead of the file, and that a cache that cannot be written or a file
// that cannot be decoded changes nothing the user sees.
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

TEST_F(StripThumbnails, TheStripLeavesThumbnailsNamedByTheEncodedUriWithTheFilesKeys)
{
    // Second, so the big picture (which shows the first entry) leaves no larger thumbnail of it.
    book.addEntry(
        {QDate(2001, 1, 1), "Spring", "1 Events", {}, book.writePicture("spring.bmp", {40, 30}), {}});
    const QString picture = book.writePicture("summer é 1.bmp", {400, 300}, QColor(200, 40, 0));
    book.addEntry({QDate(2001, 1, 2), "Summer", "1 Events", {}, picture, {}});
    shell::MainWindow& form = start();
    ASSERT_LE(std::max(form.widgets().stripSlots[1]->width(), form.widgets().stripSlots[1]->height()), 128)
        << "slots fit the normal size";
    form.widgets().timelineButton->click();
    waitForWrites();

    const QString uri = "file://" + book.dir() + "/summer%20%C3%A9%201.bmp";
    const QString thumbnail = cacheHome() + "/normal/" + md5Png(uri);
    const QImage written(thumbnail);
    ASSERT_FALSE(written.isNull()) << thumbnail.toStdString();
    EXPECT_EQ(written.size(), QSize(128, 96));
    EXPECT_EQ(written.text("Thumb::URI"), uri);
    EXPECT_EQ(written.text("Thumb::MTime"), mtimeOf(picture));
    EXPECT_EQ(written.text("Thumb::Size"), QString::number(QFileInfo(picture).size()));
    EXPECT_EQ(written.text("Thumb::Image::Width"), "400");
    EXPECT_EQ(written.text("Thumb::Image::Height"), "300");
    EXPECT_EQ(QFile::permissions(thumbnail),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(cacheHome() + "/normal"), ownerOnly);
    EXPECT_TRUE(
        QDir(cacheHome() + "/normal").entryList({".*.part", "*.part"}, QDir::Files | QDir::Hidden).isEmpty())
        << "no temporary file is left behind";

    // Shown again from the thumbnail, the picture keeps the file's own size.
    form.widgets().timelineButton->click();
    form.widgets().timelineButton->click();
    EXPECT_EQ(slotFiles()[1], picture);
    EXPECT_EQ(form.widgets().stripSlots[2]->picture().naturalSize, QSize(400, 300));
    EXPECT_EQ(centreOf(form.widgets().stripSlots[2]), qRgb(200, 40, 0));
}

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

TEST_F(StripThumbnails, AnUnwritableCacheStillShowsEveryPictureWithoutAWord)
{
    pictures = addNumberedEntries(3);
    // A file where the thumbnail folder belongs; tests run as root, where permissions stop nothing.
    ASSERT_TRUE(QDir().mkpath(cacheHome()));
    const QString aside = cacheHome() + ".aside";
    ASSERT_TRUE(QDir().rename(cacheHome(), aside));
    QFile blocker(cacheHome());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    shell::MainWindow& form = start();
    form.widgets().timelineButton->click();
    waitForWrites();
    EXPECT_EQ(slotFiles(), picturesOf(0, 2));
    EXPECT_EQ(centreOf(form.widgets().stripSlots[3]), QColor(40, 0, 215).rgb());
    EXPECT_TRUE(program->prompts.asked.isEmpty());

    ASSERT_TRUE(blocker.remove());
    ASSERT_TRUE(QDir().rename(aside, cacheHome()));
}

TEST_F(StripThumbnails, ABrokenPictureIsRecordedAsFailedAndItsSlotStaysEmpty)
{
    const QString broken = book.path("broken.jpg");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 24));
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
}
