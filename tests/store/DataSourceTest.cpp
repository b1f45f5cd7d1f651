#include "StoreFixture.h"

#include <QFile>

using namespace wk::store;
using namespace wk::store::testing;

namespace {
const char* kByDate = "SELECT * FROM mylife order by date;";
}

TEST_F(StoreTest, MovesAndEndTestsOnAFullAndAnEmptySet)
{
    auto ds = source(kByDate);
    ASSERT_EQ(ds->recordCount(), 7);
    EXPECT_FALSE(ds->eof() || ds->bof());
    EXPECT_EQ(ds->field("MYEVENT").toString(), "Zoo");
    ds->movePrevious();
    EXPECT_TRUE(ds->bof());
    EXPECT_THROW(ds->field("MYEVENT"), StoreError);
    EXPECT_THROW(ds->movePrevious(), StoreError);
    ds->moveNext();
    EXPECT_EQ(ds->field("myevent").toString(), "Zoo");
    ds->moveLast();
    ds->moveNext();
    EXPECT_TRUE(ds->eof());
    EXPECT_EQ(ds->absolutePosition(), -1);
    EXPECT_THROW(ds->moveNext(), StoreError);
    ds->movePrevious();
    EXPECT_EQ(ds->field("MyEvent").toString(), "Xmas");
    ds->moveTo(2);
    EXPECT_EQ(ds->absolutePosition(), 2);
    EXPECT_THROW(ds->moveTo(7), StoreError);

    auto none = source("SELECT * FROM mylife WHERE what = 'none' ;");
    EXPECT_TRUE(none->eof() && none->bof());
    EXPECT_THROW(none->moveFirst(), StoreError);
    EXPECT_THROW(none->moveNext(), StoreError);
    EXPECT_THROW(none->bookmark(), StoreError);
    EXPECT_THROW(none->edit(), StoreError);
    none->findFirst("[MYEVENT]='Zoo'");
    EXPECT_TRUE(none->noMatch());
    // The field names are known even without rows.
    EXPECT_EQ(none->fieldNames(), QStringList({"DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE", "LOG"}));
}

TEST_F(StoreTest, FieldsReadAsTextDateOrNull)
{
    execOn(path,
           "INSERT INTO mylife (date, myevent, log) VALUES ('1998-09-09 14:05:00', 'Timed', 'blanks   ')");
    auto ds = source(kByDate);
    EXPECT_EQ(ds->field("DATE"), QVariant(QDate(1997, 3, 2)));
    EXPECT_EQ(ds->field("mylife.date").toDate(), QDate(1997, 3, 2));
    EXPECT_EQ(ds->field("[LOG]").toString(), "lions");
    ds->findFirst("[MYEVENT]='Timed'");
    EXPECT_EQ(ds->field("date"), QVariant(QDateTime(QDate(1998, 9, 9), QTime(14, 5))));
    EXPECT_EQ(ds->field("LOG").toString(), "blanks   "); // trailing blanks are kept
    ds->findFirst("[MYEVENT]='Xmas'");
    EXPECT_FALSE(ds->field("WHERE").isValid());
    EXPECT_FALSE(ds->field("LOG").isValid());
    EXPECT_EQ(errorOf([&] { ds->field("NOSUCH"); }), label() + ": no field NOSUCH in mylife");
}

TEST_F(StoreTest, AddNewAppendsToTheSetAndTheFile)
{
    auto ds = source(kByDate);
    int changes = 0;
    QObject::connect(ds.get(), &DataSource::changed, [&changes] { ++changes; });
    ds->moveTo(1);
    EXPECT_THROW(ds->setField("MYEVENT", "x"), StoreError); // only after addNew/edit
    ds->addNew();
    EXPECT_FALSE(ds->field("MYEVENT").isValid());
    ds->setField("where", "Grandma");
    ds->setField("DATE", " 6/15/ 1998");
    ds->setField("picture", "C:\\new.jpg");
    ds->setField("log", "");
    ds->setField("myevent", "Grandma's Tea   ");
    ds->setField("WHAT", "1 Events");
    EXPECT_THROW(ds->setField("DATE", "not a date"), StoreError);
    ds->update();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ds->recordCount(), 8);
    EXPECT_EQ(ds->field("MYEVENT").toString(), "School play"); // the row current before addNew
    ds->setBookmark(ds->lastModified());
    EXPECT_EQ(ds->absolutePosition(), 7); // the new row is last until a refresh
    EXPECT_EQ(rowsOf(path, "SELECT * FROM mylife WHERE myevent LIKE 'Grandma''s T%'"),
              QStringList({"1998-06-15|Grandma's Tea   |1 Events|Grandma|C:\\new.jpg|"}));
    ds->refresh();
    EXPECT_EQ(changes, 2);
    ds->setBookmark(ds->lastModified());
    EXPECT_EQ(ds->absolutePosition(), 4); // in date order after the other entries of that day

    // Added past the end, the set stays past the end.
    ds->moveLast();
    ds->moveNext();
    ds->addNew();
    ds->setField("MYEVENT", "New");
    ds->update();
    EXPECT_TRUE(ds->eof());
    ds->movePrevious();
    EXPECT_EQ(ds->field("MYEVENT").toString(), "New");
}

TEST_F(StoreTest, EditChangesOneRowAndCancelOrAMoveLeavesIt)
{
    auto ds = source(kByDate);
    ds->findFirst("[MYEVENT]='Zoo'");
    ds->edit();
    ds->setField("LOG", "elephants");
    ds->setField("DATE", QDateTime(QDate(1997, 3, 3), QTime(9, 30)));
    EXPECT_EQ(ds->field("LOG").toString(), "elephants"); // the started row reads its new values
    ds->update();
    EXPECT_EQ(ds->recordCount(), 7);
    EXPECT_EQ(rowsOf(path, "SELECT date, log FROM mylife WHERE myevent = 'Zoo'"),
              QStringList({"1997-03-03 09:30:00|elephants"}));

    ds->edit();
    ds->setField("LOG", "forgotten");
    ds->cancelUpdate();
    EXPECT_EQ(ds->field("LOG").toString(), "elephants");
    ds->edit();
    ds->setField("LOG", "abandoned");
    ds->moveNext(); // a move abandons the started change
    EXPECT_FALSE(ds->editing());
    EXPECT_THROW(ds->update(), StoreError);
    EXPECT_EQ(rowsOf(path, "SELECT log FROM mylife WHERE myevent = 'Zoo'"), QStringList({"elephants"}));
}

TEST_F(StoreTest, RemoveLeavesNoCurrentRowUntilTheNextMove)
{
    auto ds = source(kByDate);
    ds->moveTo(2);
    const QString removed = ds->bookmark();
    ds->remove();
    EXPECT_EQ(ds->recordCount(), 6);
    EXPECT_THROW(ds->field("MYEVENT"), StoreError);
    EXPECT_THROW(ds->bookmark(), StoreError);
    EXPECT_FALSE(ds->hasBookmark(removed));
    ds->moveNext();
    EXPECT_EQ(ds->field("MYEVENT").toString(), "Grandma's Birthday"); // the row after the removed one
    ds->remove();
    ds->movePrevious();
    EXPECT_EQ(ds->field("MYEVENT").toString(), "School play");
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"5"}));

    // Removing every row, the classic loop.
    for (ds->moveFirst(); !ds->eof(); ds->moveNext())
        ds->remove();
    EXPECT_EQ(ds->recordCount(), 0);
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"0"}));
}

TEST_F(StoreTest, FailuresAreClearErrorsAndKeepWhatWasThere)
{
    auto ds = std::make_unique<DataSource>(pool, "Data1");
    EXPECT_THROW(ds->refresh(), StoreError); // no file named
    ds->setDatabaseName(path);
    ds->setRecordSource("FOO");
    EXPECT_EQ(errorOf([&] { ds->refresh(); }),
              label() + (onServer() ? ": relation \"foo\" does not exist" : ": no such table: FOO"));
    ds->setRecordSource("MYLIFE");
    QFile junk(dir.filePath("junk.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    for (const QString& file : {dir.filePath("Missing.mdb"), junk.fileName()}) {
        ds->setDatabaseName(file);
        EXPECT_THROW(ds->refresh(), StoreError) << file.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("Missing.mdb"))); // never created

    // A failed refresh keeps the set it had.
    auto ok = source(kByDate);
    ok->setRecordSource("SELECT * FROM nowhere");
    EXPECT_THROW(ok->refresh(), StoreError);
    EXPECT_EQ(ok->recordCount(), 7);

    // A query over two tables reads but does not write.
    auto both = source("SELECT * FROM mylife, cddrive");
    EXPECT_EQ(both->recordCount(), 7);
    EXPECT_THROW(both->addNew(), StoreError);
    EXPECT_THROW(both->findFirst("cd = ''"), StoreError);
}

TEST_F(FileStoreTest, AScrapbookMadeByAnotherToolWorksToo)
{
    // Plain columns: no NOCASE, no index, no declared types, dates in another text form.
    const QString other = dir.filePath("other.mdb");
    execOn(other, R"sql(
CREATE TABLE mylife (date, myevent, what, "where", picture, log);
CREATE TABLE catagory (catagory);
CREATE TABLE "where" ("where", sort);
CREATE TABLE cddrive (cd, new);
INSERT INTO mylife VALUES ('1998-06-15', 'Picnic', '1 Events', 'GRANDMA', '', NULL),
                          ('1998-06-16', 'Walk', '5 Calendar Items', 'Grandpa', '', NULL),
                          ('6/17/1998', 'Old form', '1 EVENTS', 'grandma', '', NULL);
)sql");
    EXPECT_EQ(inspectFile(other), FileKind::Scrapbook);
    auto ds = std::make_unique<DataSource>(pool, "Data1");
    ds->setDatabaseName(other);
    ds->setRecordSource("SELECT * FROM mylife WHERE what = '1 events'  and where = 'Grandma' order by date;");
    ds->refresh();
    EXPECT_EQ(column(*ds, "myevent"), QStringList({"Picnic", "Old form"}));
    ds->moveLast();
    EXPECT_EQ(ds->field("DATE").toDate(), QDate(1998, 6, 17)); // read through the date rules
    ds->setRecordSource("MYLIFE");
    ds->refresh();
    ds->findFirst("[MYEVENT]='WALK'");
    ds->edit();
    ds->setField("date", "June 20, 1998");
    ds->update();
    EXPECT_EQ(rowsOf(other, "SELECT date FROM mylife WHERE myevent = 'Walk'"), QStringList({"1998-06-20"}));
}

// A long set reads its values a page at a time; a row deleted before its page was read stays empty.
TEST_F(StoreTest, LongSetsReadTheirValuesWhenTheyAreFirstRead)
{
    QStringList days;
    for (int k = 1; k <= 999; ++k)
        days << QStringLiteral("('%1', 'Day %2')")
                    .arg(QDate(2001, 1, 1).addDays(k).toString(Qt::ISODate))
                    .arg(k);
    execOn(path, "INSERT INTO MYLIFE (DATE, MYEVENT) VALUES " + days.join(','));
    auto byDate = source("SELECT * FROM mylife WHERE DATE >= #1/1/2001# order by date;");
    ASSERT_EQ(byDate->recordCount(), 999);
    execOn(path, "DELETE FROM MYLIFE WHERE MYEVENT = 'Day 700'");
    EXPECT_EQ(byDate->fieldAt(998, "MYEVENT").toString(), "Day 999");
    EXPECT_EQ(byDate->fieldAt(300, "DATE").toDate(), QDate(2001, 10, 29));
    EXPECT_TRUE(byDate->fieldAt(699, "MYEVENT").isNull());
    EXPECT_EQ(byDate->fieldAt(700, "MYEVENT").toString(), "Day 701");

    const auto rename = [&](int row, const char* title) {
        byDate->moveTo(row);
        byDate->edit();
        byDate->setField("MYEVENT", title);
        byDate->update();
    };
    const auto titles = [&] {
        QStringList seen;
        byDate->forEachValue("MYEVENT", [&](int row, const QVariant& value) {
            EXPECT_EQ(row, seen.size());
            seen << value.toString();
        });
        return seen;
    };
    rename(500, "Changed");
    QStringList first = titles();
    ASSERT_EQ(first.size(), 999);
    EXPECT_EQ(first[0], "Day 1");
    EXPECT_EQ(first[500], "Changed");
    EXPECT_EQ(first[699], "");
    EXPECT_EQ(first[998], "Day 999");
    // A second pass sees the set's later writes too.
    rename(10, "Again");
    byDate->moveTo(0);
    byDate->remove();
    const QStringList second = titles();
    ASSERT_EQ(second.size(), 998);
    EXPECT_EQ(second[9], "Again");

    // Rows in the table's order when the query names none.
    auto unordered = source("SELECT * FROM mylife WHERE DATE >= #1/1/2001#;");
    EXPECT_EQ(unordered->fieldAt(0, "MYEVENT").toString(), "Day 2"); // "Day 1" was removed
}
