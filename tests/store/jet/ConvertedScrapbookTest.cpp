// A converted file is a scrapbook for the store: recognised as one and readable by data sources.
#include "JetTestFiles.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/ScrapbookFile.h"
#include "store/jet/JetConversion.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace wk::testing;

TEST(ConvertedScrapbook, OpensThroughTheStoreWithDatesAndTheDiscSetting)
{
    QTemporaryDir dir;
    const QString path = copyAsScrapbook(dir.path(), QStringLiteral("DateTestDatabase.mdb"));
    if (path.isEmpty())
        GTEST_SKIP() << "shared Jet files absent";
    EXPECT_EQ(wk::store::inspectFile(path), wk::store::FileKind::Jet);
    const auto result = wk::store::jet::convertJetScrapbook(path);
    EXPECT_EQ(wk::store::inspectFile(path), wk::store::FileKind::Scrapbook);
    EXPECT_EQ(wk::store::inspectFile(result.backupPath), wk::store::FileKind::Jet);

    wk::store::ConnectionPool pool;
    wk::store::DataSource set(pool, QStringLiteral("Data1"));
    set.setDatabaseName(path);
    const auto read = [&](const char* recordSource) {
        set.setRecordSource(QString::fromLatin1(recordSource));
        set.refresh();
        return set.recordCount();
    };
    EXPECT_EQ(read("MYLIFE"), 0);
    ASSERT_EQ(read("cddrive"), 1);
    EXPECT_EQ(set.field(QStringLiteral("NEW")).toString(), QStringLiteral("Y"));
    ASSERT_EQ(read("SELECT * FROM DateTest ORDER BY IDCol"), 6);
    set.moveTo(1);
    EXPECT_EQ(set.field(QStringLiteral("datecol")).toDate(), QDate(9999, 1, 1));
    set.moveTo(2);
    EXPECT_EQ(set.field(QStringLiteral("DATECOL")).toDate(), QDate(1899, 1, 1));
}
