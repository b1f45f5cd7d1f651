// The generated scrapbooks open as scrapbooks and every picture they name is there and loads.
#include "JetTestFiles.h"
#include "LargeScrapbook.h"
#include "SampleScrapbook.h"

#include "controls/Picture.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using wk::controls::loadPicture;
using wk::controls::pictureSize;

namespace {

// Reads a whole query into rows of texts.
std::vector<QStringList> query(const QString& file, const char* sql)
{
    std::vector<QStringList> rows;
    for (const QVariantList& row : wk::testing::SqliteFile(file).rows(QString::fromUtf8(sql)))
        rows.push_back(QVariant(row).toStringList());
    return rows;
}

// The picture disc rule: a leading "%" is replaced by the disc root, nothing added between.
QString resolve(const QString& picture, const QString& root)
{
    return picture.startsWith(QLatin1Char('%')) ? root + picture.mid(1) : picture;
}

QString shapeOf(QSize s)
{
    return s.width() > s.height() ? "landscape" : s.width() < s.height() ? "portrait" : "square";
}

} // namespace

TEST(SampleScrapbook, WritesACompleteScrapbookWhosePicturesAllLoadButNeverOverAnother)
{
    QTemporaryDir tmp;
    const QString dir = tmp.filePath("sample");
    wk::sample::writeSampleScrapbook(dir);
    const QString db = QDir(dir).filePath("Velmora.mdb");
    ASSERT_EQ(wk::store::inspectFile(db), wk::store::FileKind::Scrapbook);

    const auto disc = query(db, R"(SELECT "cd", "new" FROM "cddrive")");
    ASSERT_EQ(disc.size(), 1u);
    const QString root = disc[0][0];
    EXPECT_EQ(disc[0][1], "N");
    EXPECT_TRUE(QFileInfo(root).isAbsolute());
    EXPECT_TRUE(QFileInfo(root).isDir());
    EXPECT_TRUE(QDir(root).absolutePath().startsWith(QDir(dir).absolutePath()));

    QSet<QString> categories;
    for (const auto& r : query(db, R"(SELECT "catagory" FROM "Catagory")"))
        categories << r[0].trimmed();
    QSet<QString> names;
    for (const auto& r : query(db, R"(SELECT "where" FROM "WHERE")"))
        names << r[0];
    for (const char* n : {"*All Pictures", "Grandma's House", "Yellowstone", "Mom", "Dad", "Lily"})
        EXPECT_TRUE(names.contains(n)) << n;

    const auto entries =
        query(db, R"(SELECT "DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE", "LOG" FROM "MYLIFE")");
    ASSERT_GE(entries.size(), 40u);
    QSet<QString> usedCategories, years, shapes, titles;
    int discPictures = 0, withoutPicture = 0;
    for (const QStringList& e : entries) {
        SCOPED_TRACE(e[1].toStdString());
        const QDate date = QDate::fromString(e[0], Qt::ISODate);
        EXPECT_TRUE(date.isValid());
        EXPECT_EQ(e[0].size(), 10);
        years << QString::number(date.year());
        EXPECT_TRUE(categories.contains(e[2]));
        usedCategories << e[2];
        EXPECT_TRUE(e[3].isEmpty() || names.contains(e[3])); // no name, or one of the list
        EXPECT_FALSE(e[1].isEmpty());
        titles << e[1];
        if (e[4].isEmpty()) {
            ++withoutPicture;
            continue;
        }
        discPictures += e[4].startsWith('%');
        const QString file = resolve(e[4], root);
        ASSERT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
        const auto pic = loadPicture(file, {120, 120});
        EXPECT_LE(pic.image.width(), 120);
        shapes << shapeOf(pictureSize(file)) + QFileInfo(file).suffix().toLower();
    }
    EXPECT_EQ(usedCategories.size(), 5);
    EXPECT_GE(years.size(), 3);
    EXPECT_EQ(titles.size(), qsizetype(entries.size())); // titles are search keys
    EXPECT_GE(discPictures, 3);
    EXPECT_GE(withoutPicture, 1);
    for (const char* s :
         {"landscapejpg", "portraitjpg", "squarejpg", "landscapebmp", "portraitbmp", "squarebmp"})
        EXPECT_TRUE(shapes.contains(s)) << s;

    const QSize intro = pictureSize(QDir(dir).filePath("INTRO.BMP"));
    EXPECT_GT(intro.width(), intro.height());
    for (int i = 1; i <= 5; ++i)
        EXPECT_NO_THROW(
            loadPicture(QDir(dir).filePath(QStringLiteral("camera/PIC%1.JPG").arg(i, 4, 10, QChar('0')))));
    EXPECT_EQ(QDir(QDir(dir).filePath("camera")).entryList(QDir::Files).size(), 5);

    // At least one camera picture is stored on its side and shown upright through its tag.
    int turned = 0;
    QDirIterator it(dir, {"*.jpg", "*.JPG"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QSize stored = QImageReader(f).size();
        if (stored.width() > stored.height() && pictureSize(f) == stored.transposed())
            ++turned;
    }
    EXPECT_GE(turned, 1);

    // Never over an existing scrapbook.
    EXPECT_THROW(wk::sample::writeSampleScrapbook(dir), wk::store::StoreError);
    EXPECT_EQ(query(db, R"(SELECT count(*) FROM "MYLIFE")")[0][0].toULongLong(), entries.size());
}

TEST(LargeScrapbook, WritesManyChronologicalEntriesReusingPictures)
{
    QTemporaryDir tmp;
    wk::sample::writeLargeScrapbook(tmp.path(), 2000, 3, {80, 60});
    const QString db = QDir(tmp.path()).filePath("Velmora.mdb");
    ASSERT_EQ(wk::store::inspectFile(db), wk::store::FileKind::Scrapbook);
    const auto root = query(db, R"(SELECT "cd" FROM "cddrive")")[0][0];
    const auto entries = query(db, R"(SELECT "DATE", "WHAT", "PICTURE" FROM "MYLIFE" ORDER BY rowid)");
    ASSERT_EQ(entries.size(), 2000u);
    QSet<QString> pictures, categories;
    QDate previous;
    for (const QStringList& e : entries) {
        const QDate date = QDate::fromString(e[0], Qt::ISODate);
        ASSERT_TRUE(date.isValid());
        EXPECT_TRUE(!previous.isValid() || previous <= date);
        previous = date;
        categories << e[1];
        pictures << QFileInfo(resolve(e[2], root)).canonicalFilePath();
    }
    EXPECT_GE(QDate::fromString(entries.front()[0], Qt::ISODate).daysTo(previous), 2 * 365);
    EXPECT_EQ(categories.size(), 5);
    EXPECT_EQ(pictures.size(), 3);
    EXPECT_FALSE(pictures.contains(QString())); // every name, "%" or not, reaches a file
    for (const QString& p : pictures)
        EXPECT_EQ(pictureSize(p), QSize(80, 60));
}
