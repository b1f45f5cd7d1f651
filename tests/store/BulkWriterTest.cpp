#include "StoreFixture.h"

#include "store/BulkWriter.h"

using namespace wk::store;
using namespace wk::store::testing;

TEST_F(StoreTest, BulkWriterAddsManyEntriesInOneTransactionOrNone)
{
    {
        BulkWriter writer(path);
        writer.addEntry(QDate(2000, 1, 1), "Lost", "1 Events", "", "");
    } // never committed
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"7"}));
    EXPECT_THROW(BulkWriter(dir.filePath("none.mdb")), StoreError);
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
    EXPECT_EQ(rowsOf(path, "SELECT * FROM mylife ORDER BY date LIMIT 1"),
              QStringList({"1990-05-05|O'Brien's day|2 School||%\\x.jpg|log"}));
    EXPECT_EQ(rowsOf(path, "SELECT max(date) FROM mylife"), QStringList({"2005-06-22"}));
}
