#include "StoreFixture.h"

#include "store/QueryDialect.h"

using namespace wk::store;
using namespace wk::store::testing;

TEST(QueryDialect, NamesTheOneTableItsRowsCanBeWrittenToAndRefusesWhatItCannotRead)
{
    EXPECT_EQ(quoteValue("Grandma's ''"), "Grandma''s ''''");
    const std::pair<const char*, const char*> bases[] = {
        {"MYLIFE", "MYLIFE"},
        {" [Catagory] ", "Catagory"},
        {"SELECT * FROM mylife WHERE what='1 Events' and where >= ' ' ;", "mylife"},
        {"SELECT * FROM WHERE WHERE where = 'a'", "WHERE"},
        {"SELECT * FROM mylife m WHERE m.what = 'a'", "mylife"},
        // Several tables, or rows of no single table: read-only.
        {"SELECT * FROM mylife, cddrive", ""},
        {"SELECT DISTINCT what FROM mylife", ""},
    };
    for (const auto& [recordSource, table] : bases)
        EXPECT_EQ(translateRecordSource(recordSource).baseTable, table) << recordSource;
    for (const char* bad : {"", "   ", "SELECT * FROM mylife WHERE what='open", "DELETE FROM mylife",
                            "SELECT * FROM [mylife", "SELECT * FROM mylife; DROP TABLE mylife", "mylife $"}) {
        EXPECT_THROW(translateRecordSource(bad), StoreError) << bad;
    }
    EXPECT_THROW(translateCriterion(""), StoreError);
}

// The dialect on real rows: table names, the day list's dates, brackets, mid() and #dates#.
struct QueryCase {
    const char* recordSource;
    QStringList values; // of `field` in the resulting rows, in order
    const char* field = "MYEVENT";
};

TEST_F(StoreTest, DialectQueriesReturnTheRightRows)
{
    const QueryCase cases[] = {
        {"MYLIFE", {"Picnic", "Grandma's Birthday", "Zoo", "Xmas", "School play", "Fireworks", "Blank name"}},
        {"SELECT * FROM mylife order by date;",
         {"Zoo", "School play", "Picnic", "Grandma's Birthday", "Fireworks", "Blank name", "Xmas"}},
        // The day list: the program writes blanks before month and year.
        {"SELECT * FROM mylife WHERE mylife.date=datevalue(' 6/15/ 1998')  order by mylife.date;",
         {"Picnic", "Grandma's Birthday"}},
        {"SELECT * FROM mylife WHERE mylife.date=datevalue(' 7/5/ 1998')  order by mylife.date;", {}},
        // Letter case does not matter in values (the built filters are in QueriesTest).
        {"SELECT * FROM mylife WHERE what='1 EVENTS' and where >= ' ' ;", {"Picnic", "Blank name"}},
        {"SELECT * FROM mylife WHERE what = '5 Calendar Items' and where = 'GRANDMA' order by date;",
         {"Fireworks"}},
        {"SELECT * FROM mylife WHERE [MYEVENT] = 'Grandma''s Birthday' order by [date];",
         {"Grandma's Birthday"}},
        {"SELECT * FROM mylife WHERE mid(WHAT,1,1) = '5' order by date;", {"Fireworks", "Xmas"}},
        {"SELECT * FROM mylife WHERE date >= #1/1/1999#;", {"Xmas"}},
        // The small tables under every name the program uses.
        {"Catagory", {"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar Items"}, "Catagory"},
        {"[where]", {"*All Pictures", "Grandma", "Uncle Bob"}, "Where"},
        {"SELECT * FROM WHERE order by sort;", {"*All Pictures", "Grandma", "Uncle Bob"}, "where"},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.recordSource);
        EXPECT_EQ(column(*source(QString::fromUtf8(c.recordSource)), c.field), c.values);
    }
    EXPECT_EQ(column(*source("catagory"), "CATAGORY").size(), 5);
    EXPECT_EQ(column(*source("Where"), "WHERE").size(), 3);
    auto cd = source("cddrive");
    EXPECT_EQ(cd->field("cd").toString(), "");
    EXPECT_EQ(cd->field("NEW").toString(), "Y");

    auto fns =
        source("SELECT datevalue('December 1, 1998') AS a, datevalue('nonsense') AS b, mid('abcdef', 2, 3)"
               " AS d, mid('abcdef', 4) AS e, mid('ab', 5, 2) AS f FROM cddrive");
    EXPECT_EQ(fns->field("a").toString(), "1998-12-01");
    EXPECT_FALSE(fns->field("b").isValid());
    EXPECT_EQ(
        QStringList({fns->field("d").toString(), fns->field("e").toString(), fns->field("f").toString()}),
        QStringList({"bcd", "def", ""}));
    EXPECT_THROW(source("SELECT mid('abc', 0, 1) FROM cddrive"), StoreError);
}

// Texts compare and order as a file's NOCASE does on both engines: ASCII letters fold, every other
// character compares by its code point ("É" is not "é").
TEST_F(StoreTest, LetterCaseFoldsForAsciiLettersOnly)
{
    execOn(path, "INSERT INTO MYLIFE (DATE, MYEVENT, WHAT) VALUES ('2005-01-01', 'école', 'x'), "
                 "('2005-01-01', 'École', 'x'), ('2005-01-01', 'apple', 'x'), ('2005-01-01', 'Banana', 'x'), "
                 "('2005-01-01', 'ZEBRA', 'x'), ('2005-01-01', 'Apple', 'x')");
    const QueryCase cases[] = {
        {"SELECT * FROM mylife WHERE what = 'X' order by myevent;",
         {"apple", "Apple", "Banana", "ZEBRA", "École", "école"}},
        {"SELECT * FROM mylife WHERE myevent = 'ÉCOLE';", {"École"}},
        {"SELECT * FROM mylife WHERE myevent = 'écOLE';", {"école"}},
        {"SELECT * FROM mylife WHERE myevent LIKE 'a*' order by myevent;", {"apple", "Apple"}},
        {"SELECT * FROM mylife WHERE myevent > 'b' and what = 'x' order by myevent desc;",
         {"école", "École", "ZEBRA", "Banana"}},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.recordSource);
        EXPECT_EQ(column(*source(QString::fromUtf8(c.recordSource)), c.field), c.values);
    }
    auto bound = source(Query("SELECT * FROM mylife WHERE myevent = ? or myevent = ? order by myevent;",
                              {QStringLiteral("APPLE"), QStringLiteral("ÉCOLE")}));
    EXPECT_EQ(column(*bound, "MYEVENT"), QStringList({"apple", "Apple", "École"}));
}
