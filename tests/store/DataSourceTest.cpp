#include "StoreFixture.h"

#include "store/DateRules.h"
#include "store/QueryDialect.h"
#include "store/StoreError.h"

#include <QFile>

using namespace wk::store;
using wk::store::testing::execOn;
using wk::store::testing::rowsOf;
using wk::store::testing::StoreTest;

namespace {
const char* kByDate = "SELECT * FROM mylife order by date;";
}

TEST_F(StoreTest, MovesAndEndTestsOnAFullSet)
{
    auto ds = source(kByDate);
    ASSERT_EQ(ds->recordCount(), 7);
    EXPECT_FALSE(ds->eof());
    EXPECT_FALSE(ds->bof());
    EXPECT_EQ(ds->field("MYEVENT").toString(), "Zoo");
    ds->movePrevious();
    EXPECT_TRUE(ds->bof());
    EXPECT_THROW(ds->field("MYEVENT"), StoreError);
    EXPECT_THROW(ds->movePrevious(), StoreError);
    ds->moveNext();
    EXPECT_EQ(ds->field("myevent").toString(), "Zoo");
    ds->moveLast();
    EXPECT_EQ(ds->field("MyEvent").toString(), "Xmas");
    ds->moveNext();
    EXPECT_TRUE(ds->eof());
    EXPECT_EQ(ds->absolutePosition(), -1);
    EXPECT_THROW(ds->moveNext(), StoreError);
    ds->movePrevious();
    EXPECT_EQ(ds->field("MYEVENT").toString(), "Xmas");
    ds->moveTo(2);
    EXPECT_EQ(ds->absolutePosition(), 2);
    EXPECT_THROW(ds->moveTo(7), StoreError);

    int seen = 0;
    for (ds->moveFirst(); !ds->eof(); ds->moveNext())
        ++seen;
    EXPECT_EQ(seen, 7);
}

TEST_F(StoreTest, AnEmptySetIsAtBothEnds)
{
    auto ds = source("SELECT * FROM mylife WHERE what = 'none' ;");
    EXPECT_EQ(ds->recordCount(), 0);
    EXPECT_TRUE(ds->eof());
    EXPECT_TRUE(ds->bof());
    EXPECT_THROW(ds->moveFirst(), StoreError);
    EXPECT_THROW(ds->moveLast(), StoreError);
    EXPECT_THROW(ds->moveNext(), StoreError);
    EXPECT_THROW(ds->bookmark(), StoreError);
    EXPECT_THROW(ds->field("MYEVENT"), StoreError);
    EXPECT_THROW(ds->edit(), StoreError);
    ds->findFirst("[MYEVENT]='Zoo'");
    EXPECT_TRUE(ds->noMatch());
    // The field names are known even without rows.
    EXPECT_EQ(ds->fieldNames(), QStringList({"DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE", "LOG"}));
}

TEST_F(StoreTest, FieldsReadAsTextDateOrNull)
{
    execOn(path, "INSERT INTO mylife (date, myevent, log) VALUES ('1998-09-09 14:05:00', 'Timed', 'ends in "
                 "blanks   ')");
    auto ds = source(kByDate);
    ds->moveFirst();
    EXPECT_EQ(ds->field("DATE"), QVariant(QDate(1997, 3, 2)));
    EXPECT_EQ(ds->field("mylife.date").toDate(), QDate(1997, 3, 2));
    EXPECT_EQ(ds->field("[LOG]").toString(), "lions");
    ds->findFirst("[MYEVENT]='Timed'");
    EXPECT_EQ(ds->field("date"), QVariant(QDateTime(QDate(1998, 9, 9), QTime(14, 5))));
    EXPECT_EQ(ds->field("LOG").toString(), "ends in blanks   "); // trailing blanks are kept
    ds->findFirst("[MYEVENT]='Xmas'");
    EXPECT_FALSE(ds->field("WHERE").isValid());
    EXPECT_FALSE(ds->field("LOG").isValid());
    EXPECT_THROW(ds->field("NOSUCH"), StoreError);
    try {
        ds->field("NOSUCH");
    } catch (const StoreError& e) {
        EXPECT_EQ(e.message(), "Velmora.mdb: no field NOSUCH in mylife");
    }
}

TEST_F(StoreTest, BookmarksSurviveAsTextAndBelongToOneSet)
{
    auto ds = source(kByDate);
    ds->moveTo(3);
    const QString mark = ds->bookmark();
    ds->moveFirst();
    ds->setBookmark(QString(mark)); // through a copy of the text
    EXPECT_EQ(ds->field("MYEVENT").toString(), "Grandma's Birthday");
    EXPECT_TRUE(ds->hasBookmark(mark));

    auto find = source("SELECT * FROM mylife WHERE what='1 Events' and where >= ' ' ;");
    EXPECT_FALSE(find->hasBookmark(mark));
    EXPECT_THROW(find->setBookmark(mark), StoreError); // a bookmark of another set
    EXPECT_THROW(ds->setBookmark(""), StoreError);
    EXPECT_THROW(ds->setBookmark("rubbish"), StoreError);
    EXPECT_EQ(ds->field("MYEVENT").toString(), "Grandma's Birthday"); // a failed set leaves the position
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
    EXPECT_EQ(ds->field("DATE").toDate(), QDate(1998, 6, 15));
    EXPECT_EQ(ds->field("LOG").toString(), "");

    EXPECT_EQ(rowsOf(path, "SELECT date, myevent, what, \"where\", picture, log FROM mylife WHERE myevent "
                           "LIKE 'Grandma''s T%'"),
              QStringList({"1998-06-15|Grandma's Tea   |1 Events|Grandma|C:\\new.jpg|"}));
    ds->refresh();
    EXPECT_EQ(changes, 2);
    ds->setBookmark(ds->lastModified());
    EXPECT_EQ(ds->absolutePosition(), 4); // in date order after the other entries of that day
}

TEST_F(StoreTest, AddNewAtTheEndStaysAtTheEnd)
{
    auto ds = source(kByDate);
    ds->moveLast();
    ds->moveNext();
    ds->addNew();
    ds->setField("DATE", QDate(2001, 1, 1));
    ds->setField("MYEVENT", "New");
    ds->update();
    EXPECT_TRUE(ds->eof());
    ds->movePrevious();
    EXPECT_EQ(ds->field("MYEVENT").toString(), "New");
}

TEST_F(StoreTest, EditChangesOneRowAndCancelLeavesIt)
{
    auto ds = source(kByDate);
    ds->findFirst("[MYEVENT]='Zoo'");
    ds->edit();
    ds->setField("LOG", "elephants");
    ds->setField("DATE", QDateTime(QDate(1997, 3, 3), QTime(9, 30)));
    EXPECT_EQ(ds->field("LOG").toString(), "elephants"); // the started row reads its new values
    ds->update();
    EXPECT_EQ(ds->field("LOG").toString(), "elephants");
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

TEST_F(StoreTest, DataSourcesShareOneConnectionPerFile)
{
    auto a = source("MYLIFE");
    auto b = std::make_unique<DataSource>(pool, "DataFind");
    // The program writes a backslash before the file name and its own letter case.
    b->setDatabaseName(dir.path() + "\\VELMORA.MDB");
    b->setRecordSource("Catagory");
    b->refresh();
    EXPECT_EQ(b->recordCount(), 5);
    EXPECT_EQ(pool.open(path).get(), pool.open(dir.path() + "/./Velmora.mdb").get());
}

TEST_F(StoreTest, FailuresAreClearErrors)
{
    auto ds = std::make_unique<DataSource>(pool, "Data1");
    EXPECT_THROW(ds->refresh(), StoreError); // no file named
    ds->setDatabaseName(path);
    ds->setRecordSource("FOO");
    try {
        ds->refresh();
        ADD_FAILURE() << "no error";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.message(), "Velmora.mdb: no such table: FOO");
    }
    ds->setDatabaseName(dir.filePath("Missing.mdb"));
    ds->setRecordSource("MYLIFE");
    EXPECT_THROW(ds->refresh(), StoreError);
    EXPECT_FALSE(QFile::exists(dir.filePath("Missing.mdb"))); // never created

    QFile junk(dir.filePath("junk.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    ds->setDatabaseName(junk.fileName());
    EXPECT_THROW(ds->refresh(), StoreError);

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

TEST_F(StoreTest, AReadOnlyFileReadsButRefusesWrites)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    auto ds = source(kByDate);
    EXPECT_EQ(ds->recordCount(), 7);
    ds->edit();
    ds->setField("LOG", "x");
    try {
        ds->update();
        ADD_FAILURE() << "no error";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.message(), "Cannot write Velmora.mdb: attempt to write a readonly database");
    }
    ds->cancelUpdate();
    EXPECT_THROW(ds->remove(), StoreError);
    EXPECT_EQ(ds->recordCount(), 7);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(StoreTest, AScrapbookMadeByAnotherToolWorksToo)
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
    ds->setRecordSource(
        "SELECT * FROM mylife WHERE mylife.date=datevalue(' 6/15/ 1998')  order by mylife.date;");
    ds->refresh();
    EXPECT_EQ(column(*ds, "MYEVENT"), QStringList({"Picnic"}));
    ds->setRecordSource("MYLIFE");
    ds->refresh();
    ds->findFirst("[MYEVENT]='WALK'");
    EXPECT_FALSE(ds->noMatch());
    ds->edit();
    ds->setField("date", "June 20, 1998");
    ds->update();
    EXPECT_EQ(rowsOf(other, "SELECT date FROM mylife WHERE myevent = 'Walk'"), QStringList({"1998-06-20"}));
}

TEST_F(StoreTest, FindNextLoopSeesWritesMadeBetweenFinds)
{
    auto ds = source(kByDate);
    const QString calendar = "mid(WHAT,1,1) = '5'";
    QStringList found;
    for (ds->findFirst(calendar); !ds->noMatch(); ds->findNext(calendar)) {
        found << ds->field("MYEVENT").toString();
        if (found.size() == 1) { // recategorise the next one through a second source
            auto other = source("MYLIFE");
            other->findFirst("[MYEVENT]='Xmas'");
            other->edit();
            other->setField("WHAT", "1 Events");
            other->update();
        }
    }
    EXPECT_EQ(found, QStringList({"Fireworks"}));
}

// A long set reads its values a page at a time: every row still reads as stored, a row deleted
// elsewhere before its page was read keeps its place without values, and a one-column pass gives
// the set's own order and its own writes.
TEST_F(StoreTest, LongSetsReadTheirValuesWhenTheyAreFirstRead)
{
    execOn(path, QStringLiteral(
                     "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 999) "
                     "INSERT INTO MYLIFE (DATE, MYEVENT) SELECT date('2001-01-01', '+' || k || ' days'), "
                     "'Day ' || k FROM n"));
    auto byDate = source(QStringLiteral("SELECT * FROM mylife WHERE DATE >= #1/1/2001# order by date;"));
    ASSERT_EQ(byDate->recordCount(), 999);
    execOn(path, QStringLiteral("DELETE FROM MYLIFE WHERE MYEVENT = 'Day 700'"));
    EXPECT_EQ(byDate->fieldAt(0, QStringLiteral("MYEVENT")).toString(), "Day 1");
    EXPECT_EQ(byDate->fieldAt(998, QStringLiteral("MYEVENT")).toString(), "Day 999");
    EXPECT_EQ(byDate->fieldAt(300, QStringLiteral("DATE")).toDate(), QDate(2001, 10, 29));
    EXPECT_TRUE(byDate->fieldAt(699, QStringLiteral("MYEVENT")).isNull());
    EXPECT_EQ(byDate->fieldAt(700, QStringLiteral("MYEVENT")).toString(), "Day 701");

    byDate->moveTo(500);
    byDate->edit();
    byDate->setField(QStringLiteral("MYEVENT"), QStringLiteral("Changed"));
    byDate->update();
    QStringList titles;
    QList<int> rows;
    byDate->forEachValue(QStringLiteral("MYEVENT"), [&](int row, const QVariant& value) {
        rows << row;
        titles << value.toString();
    });
    ASSERT_EQ(titles.size(), 999);
    EXPECT_EQ(rows.last(), 998);
    EXPECT_EQ(titles[0], "Day 1");
    EXPECT_EQ(titles[500], "Changed");
    EXPECT_EQ(titles[699], "");
    EXPECT_EQ(titles[998], "Day 999");
    // A second pass sees the set's later writes too.
    byDate->moveTo(10);
    byDate->edit();
    byDate->setField(QStringLiteral("MYEVENT"), QStringLiteral("Again"));
    byDate->update();
    byDate->moveTo(0);
    byDate->remove();
    titles.clear();
    byDate->forEachValue(QStringLiteral("MYEVENT"),
                         [&](int, const QVariant& value) { titles << value.toString(); });
    ASSERT_EQ(titles.size(), 998);
    EXPECT_EQ(titles[9], "Again");

    // Rows in the table's order when the query names none.
    auto unordered = source(QStringLiteral("SELECT * FROM mylife WHERE DATE >= #1/1/2001#;"));
    EXPECT_EQ(unordered->fieldAt(0, QStringLiteral("MYEVENT")).toString(), "Day 2"); // "Day 1" was removed
}
