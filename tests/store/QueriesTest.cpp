// The query texts the program builds from screen values: the exact text, with a value holding an
// apostrophe, and the rows that text reads from a real scrapbook.
#include "StoreFixture.h"

#include "store/Queries.h"

using namespace wk::store;
using wk::store::testing::execOn;
using wk::store::testing::StoreTest;

namespace {
struct BuiltQuery {
    QString text;
    const char* expected;
    QStringList titles; // MYEVENT of the rows it reads, in order
};
} // namespace

TEST_F(StoreTest, BuiltQueriesQuoteScreenValuesAndReadTheirRows)
{
    execOn(path, "INSERT INTO MYLIFE (DATE, MYEVENT, WHAT, \"WHERE\") VALUES "
                 "('2001-02-03', 'Tea', 'Mum''s', 'O''Brien'), ('2001-02-03', 'Scones', 'Mum''s', ' ');");
    const QList<BuiltQuery> cases = {
        {queries::categoryFilter("Mum's", "O'Brien"),
         "SELECT * FROM mylife WHERE what='Mum''s' and where = 'O''Brien' ;",
         {"Tea"}},
        {queries::categoryFilter("Mum's", ""),
         "SELECT * FROM mylife WHERE what='Mum''s' and where >= ' ' ;",
         {"Tea", "Scones"}},
        {queries::nameFilter("Mum's", "O'Brien"),
         "SELECT * FROM mylife WHERE what = 'Mum''s'  and where = 'O''Brien' order by date;",
         {"Tea"}},
        {queries::nameFilter(QString(), "O'Brien"),
         "SELECT * FROM mylife WHERE what >= ' ' and where = 'O''Brien' order by date;",
         {"Tea"}},
        {queries::nameFilter("Mum's", ""),
         "SELECT * FROM mylife WHERE what = 'Mum''s'  and where = ' '  order by date;",
         {"Scones"}},
        {queries::day(" 6/15/ 1998"),
         "SELECT * FROM mylife WHERE mylife.date=datevalue(' 6/15/ 1998')  order by mylife.date;",
         {"Picnic", "Grandma's Birthday"}},
        // A date text holding an apostrophe still makes a query, which names no day.
        {queries::day(" 2/3/ 2001'"),
         "SELECT * FROM mylife WHERE mylife.date=datevalue(' 2/3/ 2001''')  order by mylife.date;",
         {}},
        {queries::allEntries(),
         "SELECT * FROM mylife order by date;",
         {"Zoo", "School play", "Picnic", "Grandma's Birthday", "Fireworks", "Blank name", "Xmas", "Tea",
          "Scones"}},
        {queries::entryByRow(2), "SELECT * FROM mylife WHERE rowid = 2 ;", {"Grandma's Birthday"}},
    };
    for (const BuiltQuery& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
        EXPECT_EQ(column(*source(c.text), "MYEVENT"), c.titles);
    }

    auto entries = source(queries::allEntries());
    QStringList calendarItems;
    for (entries->findFirst(queries::calendarItemsCriterion()); !entries->noMatch();
         entries->findNext(queries::calendarItemsCriterion()))
        calendarItems << entries->field("MYEVENT").toString();
    EXPECT_EQ(calendarItems, QStringList({"Fireworks", "Xmas"}));
}
