// The queries the program builds from screen values, with values holding an apostrophe: the rows
// each reads from a real scrapbook, and no value written into a query text.
#include "StoreFixture.h"

#include "store/Queries.h"

using namespace wk::store;
using wk::store::testing::execOn;
using wk::store::testing::StoreTest;

TEST_F(StoreTest, BuiltQueriesBindScreenValuesAndReadTheirRows)
{
    execOn(path, "INSERT INTO MYLIFE (DATE, MYEVENT, WHAT, \"WHERE\") VALUES "
                 "('2001-02-03', 'Tea', 'Mum''s', 'O''Brien'), ('2001-02-03', 'Scones', 'Mum''s', ' ');");
    // Each built text and the titles of the rows it reads, in order.
    const std::pair<Query, QStringList> cases[] = {
        {queries::categoryFilter("Mum's", "O'Brien"), {"Tea"}},
        {queries::categoryFilter("Mum's", ""), {"Tea", "Scones"}},
        {queries::nameFilter("Mum's", "O'Brien"), {"Tea"}},
        {queries::nameFilter(QString(), "O'Brien"), {"Tea"}},
        {queries::nameFilter("Mum's", ""), {"Scones"}},
        {queries::day(" 6/15/ 1998"), {"Picnic", "Grandma's Birthday"}},
        {queries::day(" 2/3/ 2001'"), {}}, // an apostrophe in a date text makes a query naming no day
        {queries::allEntries(),
         {"Zoo", "School play", "Picnic", "Grandma's Birthday", "Fireworks", "Blank name", "Xmas", "Tea",
          "Scones"}},
        {queries::entryByRow(2), {"Grandma's Birthday"}},
    };
    for (const auto& [query, titles] : cases) {
        SCOPED_TRACE(query.text.toStdString());
        EXPECT_EQ(column(*source(query), "MYEVENT"), titles);
        EXPECT_FALSE(query.text.contains("Brien") || query.text.contains("Mum") ||
                     query.text.contains("1998"));
    }

    auto entries = source(queries::allEntries());
    QStringList calendarItems;
    for (entries->findFirst(queries::calendarItemsCriterion()); !entries->noMatch();
         entries->findNext(queries::calendarItemsCriterion()))
        calendarItems << entries->field("MYEVENT").toString();
    EXPECT_EQ(calendarItems, QStringList({"Fireworks", "Xmas"}));
}
