#include "StoreFixture.h"

#include "store/BulkWriter.h"
#include "store/StoreError.h"

using namespace wk::store;
using wk::store::testing::rowsOf;
using wk::store::testing::StoreTest;

TEST_F(StoreTest, BulkWriterAddsManyEntriesInOneTransaction)
{
    {
        BulkWriter writer(path);
        for (int i = 0; i < 2000; ++i)
            writer.addEntry(QDate(2000, 1, 1).addDays(i), QStringLiteral("Entry %1").arg(i), "1 Events",
                            "Grandma", "");
        writer.addEntry(QDate(1990, 5, 5), "O'Brien's day", "2 School", "", "%\\x.jpg", "log");
        writer.commit();
        EXPECT_EQ(writer.added(), 2001);
    }
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"2008"}));
    auto ds = source("SELECT * FROM mylife order by date;");
    EXPECT_EQ(ds->field("MYEVENT").toString(), "O'Brien's day");
    EXPECT_EQ(ds->field("DATE").toDate(), QDate(1990, 5, 5));
    ds->moveLast();
    EXPECT_EQ(ds->field("DATE").toDate(), QDate(2000, 1, 1).addDays(1999));
}

TEST_F(StoreTest, BulkWriterWithoutCommitLeavesTheFileAsItWas)
{
    {
        BulkWriter writer(path);
        writer.addEntry(QDate(2000, 1, 1), "Lost", "1 Events", "", "");
    }
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"7"}));
    EXPECT_THROW(BulkWriter(dir.filePath("none.mdb")), StoreError);
}
