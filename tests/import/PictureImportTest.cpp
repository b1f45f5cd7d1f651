// Importing a folder: which files become entries, with which fields, which are skipped and
// counted, and what a second run, a cancel, a full disk or a read-only scrapbook do.
#include "ServerDatabase.h"
#include "ImportFixture.h"

#include "controls/Picture.h"
#include "controls/ThumbnailCache.h"

#include <QFile>
#include <QRandomGenerator>
#include <csignal>
#include <unistd.h>
#include <sys/resource.h>

using namespace wk::testing;
using wk::importing::ImportError;

namespace {

// A JPEG that does not compress: its copy is large.
QByteArray noiseJpeg(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(image.bits()), image.sizeInBytes() / 4);
    return wk::sample::encodeJpeg(image, 100);
}

} // namespace

TEST_F(ImportFixture, AFolderGivesOneEntryPerPictureDatedByCameraNameOrFileTimeAndCountsTheRest)
{
    writeJpeg(source("Lake trip/IMG_0001.jpg"), {640, 480}, Qt::blue, {2021, 7, 4});
    writeJpeg(source("Lake trip/IMG-20230715-WA0001.jpg"), {320, 240}, Qt::green);
    writeJpeg(source("DCIM/Camera/scan.jpg"), {320, 240}, Qt::yellow, {2020, 2, 29}, true);
    ASSERT_TRUE(QImage(300, 200, QImage::Format_RGB32).save(source("DCIM/Camera/plain.png")));
    setModified(source("DCIM/Camera/plain.png"), QDateTime(QDate(2019, 3, 2), QTime(12, 0)));
    put("Lake trip/IMG_0001 copy.jpg", bytesOf("Lake trip/IMG_0001.jpg")); // only one of the two goes in
    writeJpeg(source("Odd names/it's\na name.jpg"), {200, 100}, Qt::cyan, {2018, 1, 2});
    put("Odd names/photo.dat", bytesOf("DCIM/Camera/plain.png") + "x"); // a PNG by content
    // Two pictures of one name and month: the second copy is numbered.
    writeJpeg(source("May/a/IMG_0100.jpg"), {100, 80}, Qt::red, {2022, 5, 1});
    writeJpeg(source("May/b/IMG_0100.jpg"), {100, 80}, Qt::magenta, {2022, 5, 9});
    // Not pictures: a note, sidecars, a RAW file (TIFF inside), an empty file, a gigabyte of zeros.
    put("notes.txt", "Grandma's birthday list\n");
    put("Lake trip/IMG_0001.xmp", "<x:xmpmeta/>");
    put("Lake trip/IMG_0002.THM", bytesOf("Lake trip/IMG-20230715-WA0001.jpg"));
    ASSERT_TRUE(QImage(64, 64, QImage::Format_RGB32).save(source("raw.dng"), "TIFF"));
    put("empty.jpg", {});
    QFile film(source("film.bin"));
    ASSERT_TRUE(film.open(QIODevice::WriteOnly) && film.resize(qint64(1) << 30));
    film.close();
    // Over the decode bound: imported all the same.
    QImage huge(9000, 8000, QImage::Format_Mono);
    huge.fill(0);
    ASSERT_TRUE(huge.save(source("Odd names/huge.png")));
    // Hidden, a damaged picture and video, a name that is no text, and a link back to the top.
    writeJpeg(source("DCIM/.thumbnails/t.jpg"), {64, 64}, Qt::gray);
    put("broken.jpg", bytesOf("Lake trip/IMG_0001.jpg").left(3000));
    put("clip.mp4", QByteArray("\0\0\0\x18"
                               "ftypmp42",
                               12) +
                        QByteArray(4000, 'v'));
    const QByteArray notText = QFile::encodeName(sourceDir.path()) + "/bad-\xFF-name.jpg";
    writeBytes(notText, bytesOf("May/a/IMG_0100.jpg") + "z");
    ASSERT_TRUE(QFile::link(sourceDir.path(), source("Lake trip/loop")));

    const wk::importing::ImportSummary first = importFolder();
    EXPECT_TRUE(first.text().startsWith("Imported 9 pictures.\n1 were already in the scrapbook.\n"
                                        "6 were not pictures.\n3 could not be read: "))
        << first.text().toStdString();
    EXPECT_TRUE(first.unreadable.join(' ').contains("broken.jpg"));
    EXPECT_TRUE(first.unreadable.join(' ').contains("clip.mp4"));
    const QStringList stored = entries();
    const QStringList first2021 =
        stored.filter("2021-07-04|Lake trip|1 Events|Grandma|pictures/2021/07/IMG_0001");
    ASSERT_EQ(first2021.size(), 1);
    for (const char* row :
         {"2023-07-15|Lake trip|1 Events|Grandma|pictures/2023/07/IMG-20230715-WA0001.jpg|<null>",
          "2020-02-29|February 29, 2020|1 Events|Grandma|pictures/2020/02/scan.jpg|<null>",
          "2019-03-02|March 2, 2019|1 Events|Grandma|pictures/2019/03/plain.png|<null>",
          "2018-01-02|Odd names|1 Events|Grandma|pictures/2018/01/it's\na name.jpg|<null>"})
        EXPECT_TRUE(stored.contains(row)) << row;
    // Copied at the same time, either of the two may take the plain name; the other is numbered.
    const QStringList may = stored.filter("|pictures/2022/05/IMG_0100");
    ASSERT_EQ(may.size(), 2);
    EXPECT_TRUE(may[0].startsWith("2022-05-01|a|1 Events|Grandma|") && may[1].startsWith("2022-05-09|b|"));
    QStringList mayNames{may[0].section('|', 4, 4), may[1].section('|', 4, 4)};
    mayNames.sort();
    EXPECT_EQ(mayNames, QStringList({"pictures/2022/05/IMG_0100 (2).jpg", "pictures/2022/05/IMG_0100.jpg"}));
    // The copies hold the originals' bytes and keep their time, and their thumbnails are cached.
    const QString firstCopy = book.path(first2021.first().section('|', 4, 4));
    EXPECT_EQ(readBytes(firstCopy), bytesOf("Lake trip/IMG_0001.jpg"));
    EXPECT_EQ(QFileInfo(book.path("pictures/2019/03/plain.png")).lastModified(),
              QDateTime(QDate(2019, 3, 2), QTime(12, 0)));
    EXPECT_EQ(copies().size(), 9) << copies().join(", ").toStdString();
    EXPECT_TRUE(QFile::exists(wk::controls::thumbnailPath(firstCopy, 256)));

    // The same folder again adds nothing, and copies nothing.
    const wk::importing::ImportSummary second = importFolder();
    EXPECT_EQ(second.imported, 0);
    EXPECT_EQ(second.alreadyThere, 10);
    EXPECT_EQ(entries(), stored);
    EXPECT_EQ(copies().size(), 9);
    ::unlink(notText.constData()); // a name Qt cannot remove
}

TEST_F(ImportFixture, PicturesLeftInPlaceAreNamedByPathAndTheScrapbooksOwnAreHashedOnlyWhenSizesMatch)
{
    writeJpeg(book.path("old.jpg"), {320, 240}, Qt::blue);
    writeJpeg(book.path("other.jpg"), {500, 400}, Qt::red);
    book.addEntry(EntryRow(QDate(2000, 1, 1), "Old", "1 Events", {}, "old.jpg"));
    book.addEntry(EntryRow(QDate(2000, 1, 2), "Other", "1 Events", {}, "other.jpg"));
    put("again.jpg", readBytes(book.path("old.jpg")));
    writeJpeg(source("Garden/new.jpg"), {320, 240}, Qt::green, {2024, 4, 1});

    const wk::importing::ImportSummary summary = importFolder(false);
    EXPECT_EQ(summary.imported, 1);
    EXPECT_EQ(summary.alreadyThere, 1);
    const QString kept = QFileInfo(source("Garden/new.jpg")).absoluteFilePath();
    if (wk::testing::runsOnServer()) {
        // The family's other computers cannot reach a folder of this one: it is copied anyway.
        EXPECT_EQ(copies().size(), 1);
        EXPECT_FALSE(entries().last().contains(kept)) << entries().last().toStdString();
        return;
    }
    EXPECT_EQ(entries().last(), QStringLiteral("2024-04-01|Garden|1 Events|Grandma|%1|<null>").arg(kept));
    EXPECT_TRUE(copies().isEmpty());
    // Kept hashes: the new entry's picture and the old picture of the same size, not the other.
    EXPECT_EQ(
        wk::store::testing::rowsOf(book.databasePath(), "SELECT PICTURE FROM PICTUREHASHES ORDER BY PICTURE"),
        QStringList({kept, "old.jpg"}));
    EXPECT_EQ(importFolder(false).imported, 0);
}

TEST_F(ImportFixture, CancelKeepsTheEntriesSoFarAndEveryCopyWhole)
{
    putJpegs("Zoo/%1.jpg", 40);
    int reports = 0;
    const wk::importing::ImportSummary summary =
        importFolder(true, [&](const wk::importing::ImportState& p) { return ++reports < 3 && p.done < 40; });
    EXPECT_TRUE(summary.cancelled);
    EXPECT_GT(summary.imported, 0);
    EXPECT_LT(summary.imported, 40);
    EXPECT_EQ(entries().size(), summary.imported);
    EXPECT_EQ(copies().size(), summary.imported) << "no copy without its entry, none half-written";
    EXPECT_TRUE(summary.text().contains("cancelled"));
}

TEST_F(ImportFixture, ACardPulledOutMidImportKeepsWhatWentInAndCountsTheRestAsUnreadable)
{
    putJpegs("DCIM/%1.jpg", 30);
    bool pulled = false;
    const wk::importing::ImportSummary summary = importFolder(true, [&](const wk::importing::ImportState& p) {
        if (p.done >= 1 && !std::exchange(pulled, true))
            QDir(source("DCIM")).removeRecursively();
        return true;
    });
    EXPECT_GT(summary.imported, 0);
    EXPECT_EQ(summary.imported + summary.unreadable.size(), 30);
    EXPECT_EQ(entries().size(), summary.imported);
    EXPECT_EQ(copies().size(), summary.imported);
    EXPECT_EQ(summary.exitStatus(), 1);
}

TEST_F(ImportFixture, AFullDiskStopsTheImportAndKeepsWhatWentIn)
{
    putJpegs("a%1.jpg", 3, {64, 48});
    put("z-large.jpg", noiseJpeg({600, 600}));
    // Files may grow to 200 kB only: the large copy meets the limit as it would a full disk.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 200 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const wk::importing::ImportSummary summary = importFolder();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(summary.imported, 3);
    EXPECT_TRUE(summary.stoppedBecause.contains("z-large.jpg cannot be written"))
        << summary.stoppedBecause.toStdString();
    EXPECT_EQ(entries().size(), 3);
    EXPECT_EQ(copies().size(), 3) << copies().join(", ").toStdString();
    EXPECT_EQ(summary.exitStatus(), 1);
}

TEST_F(ImportFixture, AHeicPictureIsDatedByItsExifAndShownFromItsEmbeddedThumbnailWhenThatIsLargeEnough)
{
    writeHeic(source("DCIM/IMG_1.heic"), {1024, 768}, Qt::blue, {2022, 8, 14}, 320, Qt::red);
    writeHeic(source("DCIM/IMG_2.heic"), {1024, 768}, Qt::blue, {}, 0);
    const auto centre = [&](const char* file, int box) {
        const wk::controls::Picture picture = wk::controls::loadPicture(source(file), {box, box});
        return picture.image.pixelColor(picture.image.rect().center());
    };
    EXPECT_GT(centre("DCIM/IMG_1.heic", 256).red(), 200) << "the embedded thumbnail covers 256";
    EXPECT_GT(centre("DCIM/IMG_1.heic", 600).blue(), 200) << "it does not cover 600";
    EXPECT_GT(centre("DCIM/IMG_2.heic", 256).blue(), 200);

    setModified(source("DCIM/IMG_2.heic"), QDateTime(QDate(2021, 6, 1), QTime(9, 0)));
    EXPECT_EQ(importFolder().imported, 2);
    EXPECT_EQ(entries(),
              QStringList({"2022-08-14|August 14, 2022|1 Events|Grandma|pictures/2022/08/IMG_1.heic|<null>",
                           "2021-06-01|June 1, 2021|1 Events|Grandma|pictures/2021/06/IMG_2.heic|<null>"}));
}

TEST_F(ImportFixture, NothingStartsOnAMissingSourceOrAReadOnlyScrapbook)
{
    const auto failure = [&](const QString& folder) -> std::string {
        try {
            wk::store::ConnectionPool fresh;
            wk::importing::importPictures(*fresh.open(book.databasePath()), book.dir(),
                                          {folder, true, {}, {}}, {});
        } catch (const ImportError& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(failure(source("gone")), "The folder " + source("gone").toStdString() + " does not exist.");
    WK_ONLY_ON_A_FILE("a file's permissions");
    writeJpeg(source("a.jpg"), {64, 48}, Qt::blue);
    QFile(book.databasePath()).setPermissions(QFileDevice::ReadOwner);
    EXPECT_NE(failure(sourceDir.path()).find("cannot be written"), std::string::npos);
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_TRUE(copies().isEmpty());
    QFile(book.databasePath()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
