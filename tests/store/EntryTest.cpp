// An entry read from a result set and written to one: each field goes to its own column, nulls
// stay null, and an empty text a write is told to skip leaves what the row holds.
#include "StoreFixture.h"

#include "store/Entry.h"

using namespace wk::store;
using namespace wk::store::testing;

namespace {
QStringList storedRow(const QString& path, const QString& bookmark)
{
    return rowsOf(path, "SELECT * FROM MYLIFE WHERE rowid = " + bookmark);
}
} // namespace

TEST_F(StoreTest, AnEntryReadAndWrittenBackKeepsEveryFieldAndItsNulls)
{
    auto entries = source("MYLIFE");
    entries->setBookmark("2");
    const Entry birthday = readEntry(*entries);
    EXPECT_EQ(birthday,
              (Entry{QDate(1998, 6, 15), "Grandma's Birthday", "3 Family", "Grandma", "%\\cd\\b.jpg", {}}));
    EXPECT_EQ(valueText(birthday.date), "6/15/1998");
    EXPECT_EQ(valueText(birthday.log), "");

    entries->addNew();
    writeEntry(*entries, birthday);
    entries->update();
    EXPECT_EQ(storedRow(path, entries->lastModified()),
              QStringList{"1998-06-15|Grandma's Birthday|3 Family|Grandma|%\\cd\\b.jpg|<null>"});
}

TEST_F(StoreTest, AWriteLeavesOutOnlyTheEmptyTextsItIsToldTo)
{
    auto entries = source("MYLIFE");
    const Entry typed{"7/4/2001", "Kite", "2 School", "Lily", "", ""};

    entries->addNew();
    writeEntry(*entries, typed, {.picture = true, .log = true});
    entries->update();
    EXPECT_EQ(storedRow(path, entries->lastModified()),
              QStringList{"2001-07-04|Kite|2 School|Lily|<null>|<null>"});

    // Picnic: picture "C:\pics\a.jpg", log "sunny". The empty picture is written, the log kept.
    entries->setBookmark("1");
    entries->edit();
    writeEntry(*entries, typed, {.log = true});
    entries->update();
    EXPECT_EQ(storedRow(path, "1"), QStringList{"2001-07-04|Kite|2 School|Lily||sunny"});

    Entry retyped = typed;
    retyped.log = "gusty";
    entries->edit();
    writeEntry(*entries, retyped, {.picture = true, .log = true});
    entries->update();
    EXPECT_EQ(storedRow(path, "1"), QStringList{"2001-07-04|Kite|2 School|Lily||gusty"});

    const Entry notADate{"13/45/2001", "Kite", "2 School", "Lily", "", ""};
    entries->edit();
    EXPECT_THROW(writeEntry(*entries, notADate), StoreError);
    entries->cancelUpdate();
    EXPECT_EQ(storedRow(path, "1"), QStringList{"2001-07-04|Kite|2 School|Lily||gusty"});
}
