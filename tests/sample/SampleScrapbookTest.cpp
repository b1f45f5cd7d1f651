// The generated scrapbooks open as scrapbooks and every picture they name is there and loads.
#include "JetTestFiles.h"
#include "SampleScrapbook.h"

#include "controls/Picture.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDate>
#include <QFileInfo>
#include <gtest/gtest.h>

using wk::controls::loadPicture;

namespace {

std::vector<QStringList> query(const QString& file, const char* sql)
{
    std::vector<QStringList> rows;
    for (const QVariantList& row : wk::testing::SqliteFile(file).rows(QString::fromUtf8(sql)))
        rows.push_back(QVariant(row).toStringList());
    return rows;
}

// A leading "%" stands for the disc root.
QString resolve(const QString& picture, const QString& root)
{
    return picture.startsWith(QLatin1Char('%')) ? root + picture.mid(1) : picture;
}

} // namespace

TEST(SampleScrapbook, WritesACompleteScrapbookWhosePicturesAllLoadButNeverOverAnother)
{
    QTemporaryDir tmp;
    const QString dir = tmp.filePath("sample");
    wk::sample::writeSampleScrapbook(dir);
    const QString db = QDir(dir).filePath("Velmora.mdb");
    ASSERT_EQ(wk::store::inspectFile(db), wk::store::FileKind::Scrapbook);
    const QString root = query(db, R"(SELECT "cd" FROM "cddrive")")[0][0];
    EXPECT_TRUE(QDir(root).absolutePath().startsWith(QDir(dir).absolutePath()));

    // Every entry has a category and a listed name or none.
    const auto entries = query(db, R"(SELECT "DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE" FROM "MYLIFE")");
    EXPECT_EQ(query(db, R"(SELECT count(*) FROM "MYLIFE" WHERE "WHAT" IN (SELECT trim(catagory) FROM catagory)
                           AND ifnull("WHERE", '') IN (SELECT "where" FROM "WHERE" UNION SELECT ''))")[0][0],
              QString::number(entries.size()));
    ASSERT_GE(entries.size(), 40u);
    for (const QStringList& e : entries) {
        SCOPED_TRACE(e[1].toStdString());
        EXPECT_TRUE(QDate::fromString(e[0], Qt::ISODate).isValid());
        if (e[4].isEmpty())
            continue;
        const QString file = resolve(e[4], root);
        ASSERT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
        EXPECT_LE(loadPicture(file, {120, 120}).image.width(), 120);
    }

    EXPECT_THROW(wk::sample::writeSampleScrapbook(dir), wk::store::StoreError);
    EXPECT_EQ(query(db, R"(SELECT count(*) FROM "MYLIFE")")[0][0].toULongLong(), entries.size());
}
