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
    wk::store::DataSource cd(pool, QStringLiteral("datacd"));
    cd.setDatabaseName(path);
    cd.setRecordSource(QStringLiteral("cddrive"));
    cd.refresh();
    ASSERT_EQ(cd.recordCount(), 1);
    EXPECT_EQ(cd.field(QStringLiteral("NEW")).toString(), QStringLiteral("Y"));

    wk::store::DataSource dates(pool, QStringLiteral("Data1"));
    dates.setDatabaseName(path);
    dates.setRecordSource(QStringLiteral("SELECT * FROM DateTest ORDER BY IDCol"));
    dates.refresh();
    ASSERT_EQ(dates.recordCount(), 6);
    dates.moveTo(1);
    EXPECT_EQ(dates.field(QStringLiteral("datecol")).toDate(), QDate(9999, 1, 1));
    dates.moveTo(2);
    EXPECT_EQ(dates.field(QStringLiteral("DATECOL")).toDate(), QDate(1899, 1, 1));

    wk::store::DataSource entries(pool, QStringLiteral("DataFind"));
    entries.setDatabaseName(path);
    entries.setRecordSource(QStringLiteral("MYLIFE"));
    entries.refresh();
    EXPECT_TRUE(entries.eof());
}
