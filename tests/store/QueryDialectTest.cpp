#include "StoreFixture.h"

#include "store/QueryDialect.h"
#include "store/StoreError.h"

using namespace wk::store;
using wk::store::testing::StoreTest;

TEST(QueryDialect, QuoteValueDoublesEveryApostrophe)
{
    EXPECT_EQ(quoteValue("Grandma's Birthday"), "Grandma''s Birthday");
    EXPECT_EQ(quoteValue("''"), "''''");
    EXPECT_EQ(quoteValue("plain"), "plain");
    EXPECT_EQ(quoteValue(""), "");
}

TEST(QueryDialect, TableNamesBecomeWholeTableSelects)
{
    for (const char* name : {"MYLIFE", "Catagory", "catagory", "WHERE", "Where", "cddrive"}) {
        const TranslatedQuery q = translateRecordSource(name);
        EXPECT_EQ(q.baseTable, name);
        EXPECT_EQ(q.sql, QStringLiteral("SELECT \"%1\".rowid AS \"__wk_rowid\", * FROM \"%1\"").arg(name));
    }
    EXPECT_EQ(translateRecordSource(" [Catagory] ").baseTable, "Catagory");
}

TEST(QueryDialect, RefusesWhatItCannotUnderstand)
{
    for (const char* bad : {"", "   ", "SELECT * FROM mylife WHERE what='open", "DELETE FROM mylife",
                            "SELECT * FROM [mylife", "SELECT * FROM mylife; DROP TABLE mylife", "mylife $"}) {
        EXPECT_THROW(translateRecordSource(bad), StoreError) << bad;
    }
    EXPECT_THROW(translateCriterion(""), StoreError);
    EXPECT_THROW(translateCriterion("[MYEVENT]='Grandma's Birthday'"), StoreError);
}

TEST(QueryDialect, QuotesTheReservedWordOnlyWhereItNamesSomething)
{
    EXPECT_EQ(translateCriterion("where = 'x'"), "\"where\" = 'x' COLLATE NOCASE");
    EXPECT_EQ(translateCriterion("mid(WHAT,1,1) = '5'"), "mid(\"WHAT\",1,1) = '5' COLLATE NOCASE");
    EXPECT_EQ(translateCriterion("[MYEVENT]='a''b'"), "\"MYEVENT\"='a''b' COLLATE NOCASE");
    const TranslatedQuery q =
        translateRecordSource("SELECT * FROM mylife WHERE what='1 Events' and where >= ' ' ;");
    EXPECT_EQ(q.baseTable, "mylife");
    EXPECT_EQ(
        q.sql.toStdString(),
        "SELECT \"mylife\".rowid AS \"__wk_rowid\", * FROM \"mylife\" WHERE \"what\"='1 Events' COLLATE "
        "NOCASE and \"where\" >= ' ' COLLATE NOCASE");
    EXPECT_EQ(translateRecordSource("SELECT * FROM WHERE WHERE where = 'a'").baseTable, "WHERE");
    EXPECT_EQ(translateRecordSource("SELECT * FROM mylife m WHERE m.what = 'a'").baseTable, "mylife");
    // Several tables: no single row identity, the rows are read-only.
    EXPECT_EQ(translateRecordSource("SELECT * FROM mylife, cddrive").baseTable, "");
    EXPECT_EQ(translateRecordSource("SELECT DISTINCT what FROM mylife").baseTable, "");
}

// The dialect on real rows: table names, the day list's dates, brackets, mid() and #dates#.
struct QueryCase {
    const char* recordSource;
    QStringList titles; // MYEVENT of the resulting rows, in order
};

TEST_F(StoreTest, DialectQueriesReturnTheRightRows)
{
    const QList<QueryCase> cases = {
        {"MYLIFE", {"Picnic", "Grandma's Birthday", "Zoo", "Xmas", "School play", "Fireworks", "Blank name"}},
        {"SELECT * FROM mylife order by date;",
         {"Zoo", "School play", "Picnic", "Grandma's Birthday", "Fireworks", "Blank name", "Xmas"}},
        // The day list: the program writes blanks before month and year.
        {"SELECT * FROM mylife WHERE mylife.date=datevalue(' 6/15/ 1998')  order by mylife.date;",
         {"Picnic", "Grandma's Birthday"}},
        {"SELECT * FROM mylife WHERE mylife.date=datevalue(' 7/4/ 1998')  order by mylife.date;",
         {"Fireworks"}},
        {"SELECT * FROM mylife WHERE mylife.date=datevalue(' 7/5/ 1998')  order by mylife.date;", {}},
        // Letter case does not matter in values (the built filters are in QueriesTest).
        {"SELECT * FROM mylife WHERE what='1 EVENTS' and where >= ' ' ;", {"Picnic", "Blank name"}},
        {"SELECT * FROM mylife WHERE what = '5 Calendar Items' and where = 'GRANDMA' order by date;",
         {"Fireworks"}},
        {"SELECT * FROM mylife WHERE [MYEVENT] = 'Grandma''s Birthday' order by [date];",
         {"Grandma's Birthday"}},
        {"SELECT * FROM mylife WHERE mid(WHAT,1,1) = '5' order by date;", {"Fireworks", "Xmas"}},
        {"SELECT * FROM mylife WHERE date >= #1/1/1999#;", {"Xmas"}},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.recordSource);
        auto ds = source(QString::fromUtf8(c.recordSource));
        EXPECT_EQ(column(*ds, "MYEVENT"), c.titles);
    }
}

TEST_F(StoreTest, TheSmallTablesReadUnderEveryNameTheProgramUses)
{
    EXPECT_EQ(column(*source("Catagory"), "Catagory"),
              QStringList({"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar Items"}));
    EXPECT_EQ(column(*source("catagory"), "CATAGORY").size(), 5);
    EXPECT_EQ(column(*source("WHERE"), "where"), QStringList({"*All Pictures", "Grandma", "Uncle Bob"}));
    EXPECT_EQ(column(*source("Where"), "WHERE"), QStringList({"*All Pictures", "Grandma", "Uncle Bob"}));
    EXPECT_EQ(column(*source("[where]"), "Where").size(), 3);
    EXPECT_EQ(column(*source("SELECT * FROM WHERE order by sort;"), "where").first(), "*All Pictures");
    auto cd = source("cddrive");
    EXPECT_EQ(cd->field("cd").toString(), "");
    EXPECT_EQ(cd->field("NEW").toString(), "Y");
}

TEST_F(StoreTest, FindCriteriaWalkTheEntrySet)
{
    auto ds = source("SELECT * FROM mylife order by date;");
    ds->findFirst("mid(WHAT,1,1) = '5'");
    ASSERT_FALSE(ds->noMatch());
    EXPECT_EQ(ds->field("myevent").toString(), "Fireworks");
    ds->findNext("mid(WHAT,1,1) = '5'");
    ASSERT_FALSE(ds->noMatch());
    EXPECT_EQ(ds->field("myevent").toString(), "Xmas");
    ds->findNext("mid(WHAT,1,1) = '5'");
    EXPECT_TRUE(ds->noMatch());
    EXPECT_EQ(ds->field("myevent").toString(), "Xmas"); // a failed find stays where it was

    ds->findFirst("[MYEVENT]='" + quoteValue("Grandma's Birthday") + "'");
    ASSERT_FALSE(ds->noMatch());
    EXPECT_EQ(ds->field("WHAT").toString(), "3 Family");
    ds->findFirst("[MYEVENT]='picnic'"); // letter case does not matter
    EXPECT_FALSE(ds->noMatch());
    EXPECT_EQ(ds->field("myevent").toString(), "Picnic");
    ds->findFirst("[MYEVENT]='Nothing'");
    EXPECT_TRUE(ds->noMatch());

    EXPECT_THROW(ds->findFirst("[MYEVENT]='Grandma's Birthday'"), StoreError);
    EXPECT_THROW(ds->findFirst("nosuchfield = 1"), StoreError);
}

TEST_F(StoreTest, DateValueAndMidBehaveAsTheDialectSays)
{
    auto ds =
        source("SELECT datevalue('December 1, 1998') AS a, datevalue('nonsense') AS b, datevalue(NULL) AS c,"
               " mid('abcdef', 2, 3) AS d, mid('abcdef', 4) AS e, mid('ab', 5, 2) AS f FROM cddrive");
    EXPECT_EQ(ds->field("a").toString(), "1998-12-01");
    EXPECT_FALSE(ds->field("b").isValid());
    EXPECT_FALSE(ds->field("c").isValid());
    EXPECT_EQ(ds->field("d").toString(), "bcd");
    EXPECT_EQ(ds->field("e").toString(), "def");
    EXPECT_EQ(ds->field("f").toString(), "");
    EXPECT_THROW(source("SELECT mid('abc', 0, 1) FROM cddrive"), StoreError);
}
