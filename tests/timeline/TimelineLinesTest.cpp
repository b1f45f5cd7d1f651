// The printed timeline's lines: month headers, the date range with both bounds included, texts
// that are no dates.
#include "TestScrapbook.h"

#include "timeline/TimelinePrintWindow.h"

#include <gtest/gtest.h>

using namespace wk;
using timeline::TimelinePrintWindow;

namespace {

const QString rule = QStringLiteral("__________________________"); // 26 underscores
const QStringList titleLines{"", "", "    My TimeLine", ""};

class TimelineLines : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.addEntry({QDate(1997, 3, 5), "Spring walk"});
        book.addEntry({QDate(1997, 3, 20), "Kite"});
        book.addEntry({QDate(1998, 3, 2), "Next spring"}); // same month number
        book.addEntry({QDate(1998, 4, 10), {}});           // no title
        book.addEntry({QDate(1998, 6, 15), "Fair"});
        entries.setDatabaseName(book.databasePath());
        entries.setRecordSource("MYLIFE");
        entries.refresh();
    }

    QStringList lines(const QString& from, const QString& to)
    {
        return TimelinePrintWindow::timelineLines(entries, from, to);
    }

    wk::testing::TestScrapbook book;
    store::ConnectionPool pool;
    store::DataSource entries{pool, "Data1"};
};

} // namespace

TEST_F(TimelineLines, AHeaderWhereTheMonthNumberChangesAndBothBoundsIncluded)
{
    const QStringList all = QStringList{rule + "March 1997 ", "05 Spring walk", "20 Kite", "02 Next spring"} +
                            QStringList{"", rule + "April 1998 ", "10 ", "", rule + "June 1998 ", "15 Fair"};
    const struct {
        const char *from, *to;
        QStringList body; // after the title lines
    } cases[] = {
        {"", "", all},
        {"     ", "not a date", all}, // texts that are no dates set no bound
        {"2/30/1998", "13/45/1998", all},
        // The first row is out of range, so March 1997 gets no header; the next row of the same
        // month is printed without one.
        {"3/20/1997", "4/10/1998", {"20 Kite", "02 Next spring", "", rule + "April 1998 ", "10 "}},
        {"", "March 20, 1997", {rule + "March 1997 ", "05 Spring walk", "20 Kite"}},
        {"6/15/1998", "", {"", rule + "June 1998 ", "15 Fair"}},
        {"1/1/2005", "", {}},
        {"6/1/1998", "5/1/1998", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        EXPECT_EQ(lines(c.from, c.to), titleLines + c.body);
    }
    book.exec("DELETE FROM MYLIFE");
    entries.refresh();
    EXPECT_EQ(lines("", ""), titleLines);
}
