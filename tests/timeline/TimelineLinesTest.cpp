// The printed timeline's lines, made from a real entry set: month headers, the date range with
// both bounds included, texts that are no dates, the entry set's own order and position.
#include "TestScrapbook.h"

#include "store/Connection.h"
#include "store/DataSource.h"
#include "timeline/TimelinePrintWindow.h"

#include <gtest/gtest.h>

using namespace wk;
using timeline::TimelinePrintWindow;
using wk::testing::EntryRow;
using wk::testing::TestScrapbook;

namespace {

const QString rule = QStringLiteral("__________________________"); // 26 underscores
const QStringList titleLines{"", "", "    My TimeLine", ""};

// The title lines followed by `body`.
QStringList titled(const QStringList& body) { return titleLines + body; }

class TimelineLines : public ::testing::Test {
protected:
    void SetUp() override
    {
        marks << book.addEntry({QDate(1997, 3, 5), "Spring walk"});
        marks << book.addEntry({QDate(1997, 3, 20), "Kite"});
        marks << book.addEntry({QDate(1998, 3, 2), "Next spring"}); // same month number
        marks << book.addEntry({QDate(1998, 4, 10), {}});           // no title
        marks << book.addEntry({QDate(1998, 6, 15), "Fair"});
        entries.setDatabaseName(book.databasePath());
        entries.setRecordSource("MYLIFE");
        entries.refresh();
    }

    QStringList lines(const QString& from, const QString& to)
    {
        return TimelinePrintWindow::timelineLines(entries, from, to);
    }

    TestScrapbook book;
    store::ConnectionPool pool;
    store::DataSource entries{pool, "Data1"};
    QStringList marks;
};

} // namespace

TEST_F(TimelineLines, EveryEntryWithAHeaderWhereTheMonthNumberChanges)
{
    const QStringList all = titleLines + QStringList{rule + "March 1997 ",
                                                     "05 Spring walk",
                                                     "20 Kite",
                                                     "02 Next spring",
                                                     "",
                                                     rule + "April 1998 ",
                                                     "10 ",
                                                     "",
                                                     rule + "June 1998 ",
                                                     "15 Fair"};
    EXPECT_EQ(lines("", ""), all);
    // Texts that are no dates set no bound, five blanks included.
    EXPECT_EQ(lines("     ", "not a date"), all);
    EXPECT_EQ(lines("2/30/1998", "13/45/1998"), all);
}

TEST_F(TimelineLines, BothBoundsAreIncludedAndRowsOutsideStillCountForTheMonth)
{
    // The first row is out of range, so March 1997 gets no header; the next row of the same
    // month is printed without one.
    EXPECT_EQ(lines("3/20/1997", "4/10/1998"),
              titled({"20 Kite", "02 Next spring", "", rule + "April 1998 ", "10 "}));
    EXPECT_EQ(lines("", "March 20, 1997"), titled({rule + "March 1997 ", "05 Spring walk", "20 Kite"}));
    EXPECT_EQ(lines("6/15/1998", ""), titled({"", rule + "June 1998 ", "15 Fair"}));
    // Nothing in range: the title lines alone.
    EXPECT_EQ(lines("1/1/2005", ""), titleLines);
    EXPECT_EQ(lines("6/1/1998", "5/1/1998"), titleLines);
    book.exec("DELETE FROM MYLIFE");
    entries.refresh();
    EXPECT_EQ(lines("", ""), titleLines);
}

TEST_F(TimelineLines, TheEntrySetIsReReadWalkedInItsOrderAndLeftWhereItWas)
{
    entries.setRecordSource("SELECT * FROM MYLIFE ORDER BY MYEVENT DESC");
    entries.refresh();
    entries.setBookmark(marks[2]);
    // Written by someone else after the set was read: the re-read brings it in.
    book.addEntry({QDate(1999, 6, 1), "Zoo"});

    const QStringList expected =
        titled({rule + "June 1999 ", "01 Zoo", "", rule + "March 1997 ", "05 Spring walk", "02 Next spring",
                "20 Kite", "", rule + "June 1998 ", "15 Fair", "", rule + "April 1998 ", "10 "});
    EXPECT_EQ(lines("", ""), expected);
    EXPECT_EQ(entries.bookmark(), marks[2]);

    // From past the end the set cannot go back; the lines are made all the same.
    while (!entries.eof())
        entries.moveNext();
    EXPECT_EQ(lines("1/1/1999", "").size(), 6);
    EXPECT_TRUE(entries.eof());
}
