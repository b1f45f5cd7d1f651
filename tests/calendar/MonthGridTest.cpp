// The calendar switch and the month fill: day numbers, grey days, today, entries under their day.
#include "CalendarFixture.h"

#include "calendar/MonthCalendar.h"
#include "controls/ImageControl.h"

#include <QLabel>
#include <QScrollBar>
#include <QTableView>

using namespace wk;
using wk::testing::CalendarTest;

TEST_F(CalendarTest, EachMonthFillsSixWeeksFromTheSundayOnOrBeforeItsFirst)
{
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10));
    struct Month {
        int month, year;
        int firstCell; // the cell of the 1st
    };
    // February 1998 starts on a Sunday and fills four rows exactly; August 1998 on a Saturday;
    // January 1999 follows a December, whose end fills its first row.
    for (const Month m : {Month{2, 1998, 1}, {8, 1998, 7}, {7, 1998, 4}, {12, 1998, 3}, {1, 1999, 6}}) {
        SCOPED_TRACE(QStringLiteral("%1/%2").arg(m.month).arg(m.year).toStdString());
        form.calendar().fillMonth(m.month, m.year, {});
        const QDate first(m.year, m.month, 1);
        for (int i = 1; i <= 42; ++i) {
            const QDate day = first.addDays(i - m.firstCell);
            EXPECT_EQ(form.calendar().cellDate(i), day) << "cell " << i;
            EXPECT_EQ(dayNumber(i), day.day()) << "cell " << i;
            EXPECT_EQ(grey(i), day.month() != m.month) << "cell " << i;
        }
    }
}

TEST_F(CalendarTest, EntriesAreListedUnderTheirDayAndTodayIsMarked)
{
    book.addEntry({QDate(1998, 2, 14), "Valentine"});
    book.addEntry({QDate(1998, 3, 3), "March kite"}); // a grey day of the next month
    book.addEntry({QDate(1998, 2, 14), "Second valentine"});
    book.addEntry({QDate(1998, 2, 14), {}}); // a null title adds no line
    book.addEntry({QDate(1998, 4, 3), "Too late"});
    book.addEntry({QDate(1998, 2, 5), "Midday"});
    book.exec("UPDATE MYLIFE SET DATE = '1998-02-05 12:30:00' WHERE MYEVENT = 'Midday'");
    book.addEntry({QDate(1998, 2, 5), "Whole day"});
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10));

    EXPECT_FALSE(form.widgets().bigPictureFrame->isVisibleTo(&form));
    EXPECT_EQ(form.widgets().monthLabel->text() + " " + form.widgets().yearLabel->text(), "February 1998");
    EXPECT_EQ(lines(14), QStringList({"14", "Valentine", "Second valentine"}));
    EXPECT_EQ(lines(31), QStringList({"3", "March kite"}));
    EXPECT_EQ(lines(5), QStringList({"5", "Whole day"})); // an entry with a time of day matches no cell
    // Today, the 10th, dark blue with white text; other cells keep the window colour.
    EXPECT_EQ(background(10), QColor(0, 0, 128));
    EXPECT_EQ(text(10), QColor(255, 255, 255));
    EXPECT_EQ(background(11), calendar::windowBackground());
    EXPECT_EQ(form.widgets().monthScroller->value(), 2);
}
