// The calendar switch and the month fill: day numbers, grey days, today, entries under their day.
#include "CalendarFixture.h"

#include "calendar/MonthCalendar.h"
#include "controls/ImageControl.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
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
    book.addEntry({QDate(1998, 4, 3), "Too late"});
    book.addEntry({QDate(1998, 2, 5), "Midday"});
    book.exec("UPDATE MYLIFE SET DATE = '1998-02-05 12:30:00' WHERE MYEVENT = 'Midday'");
    book.addEntry({QDate(1998, 2, 5), "Whole day"});
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10));

    EXPECT_TRUE(form.widgets().calendarFrame->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().bigPictureFrame->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().logEdit->isVisibleTo(&form));
    EXPECT_EQ(form.widgets().monthLabel->text(), "February");
    EXPECT_EQ(form.widgets().yearLabel->text(), "1998");
    EXPECT_EQ(lines(14), QStringList({"14", "Valentine", "Second valentine"}));
    EXPECT_EQ(lines(31), QStringList({"3", "March kite"}));
    EXPECT_EQ(lines(1), QStringList({"1"}));
    EXPECT_EQ(lines(5), QStringList({"5", "Whole day"})); // an entry with a time of day matches no cell
    // Today, the 10th, dark blue with white text; other cells keep the window colour.
    EXPECT_EQ(background(10), QColor(0, 0, 128));
    EXPECT_EQ(text(10), QColor(255, 255, 255));
    EXPECT_EQ(background(11), calendar::windowBackground());
    EXPECT_EQ(form.widgets().monthScroller->value(), 2);
    EXPECT_EQ(form.widgets().yearScroller->value(), 1998);
}

TEST_F(CalendarTest, TodayOnThe30thNextToAGrey30)
{
    book.addEntry({QDate(1998, 6, 30), "June grey"});
    book.addEntry({QDate(1998, 7, 30), {}}); // a null title adds no line
    startCalendar(QDate(1998, 7, 30));       // July 1998: the 1st is a Wednesday
    EXPECT_EQ(dayNumber(3), 30);
    EXPECT_TRUE(grey(3));
    EXPECT_EQ(text(3), QColor(0, 0, 0));
    EXPECT_EQ(lines(3), QStringList({"30", "June grey"}));
    EXPECT_EQ(dayNumber(33), 30);
    EXPECT_EQ(background(33), QColor(0, 0, 128));
    EXPECT_EQ(text(33), QColor(255, 255, 255));
    EXPECT_EQ(lines(33), QStringList({"30"}));
}

TEST_F(CalendarTest, EveryRefillLeavesEveryDayNumberReadable)
{
    // Each fill moves today's highlight; the cell it leaves must not keep white text on white.
    auto expectReadable = [this](const char* after) {
        for (int i = 1; i <= 42; ++i)
            EXPECT_NE(text(i), background(i)) << after << ", cell " << i;
    };
    shell::MainWindow& form = startCalendar(QDate(2025, 12, 10));
    EXPECT_EQ(background(11), QColor(0, 0, 128)); // December 2025 starts on a Monday

    form.widgets().yearScroller->triggerAction(QAbstractSlider::SliderSingleStepAdd); // December 2026
    EXPECT_EQ(form.widgets().yearLabel->text(), "2026");
    EXPECT_EQ(background(12), QColor(0, 0, 128));
    EXPECT_EQ(text(11), QColor(0, 0, 0));
    expectReadable("a year step");

    form.widgets().monthScroller->triggerAction(QAbstractSlider::SliderSingleStepSub); // November 2026
    expectReadable("a month step");

    program->clock.setToday(QDate(2025, 12, 11));
    form.widgets().calendarButton->click(); // off
    form.widgets().calendarButton->click(); // on again: December 2025, today the 11th
    EXPECT_EQ(background(12), QColor(0, 0, 128));
    expectReadable("the switch");
}

TEST_F(CalendarTest, SwitchingOffBringsTheMainScreenBack)
{
    book.addEntry({QDate(1998, 2, 1), "First"});
    book.addEntry({QDate(1998, 2, 2), "Second"});
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10));
    book.addEntry({QDate(1998, 2, 3), "Third"});
    clickLine(1, 0); // the day grid is open
    EXPECT_TRUE(form.widgets().dayGrid->isVisibleTo(&form));

    form.widgets().calendarButton->click();
    EXPECT_TRUE(form.widgets().bigPictureFrame->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().calendarFrame->isVisibleTo(&form));
    EXPECT_TRUE(form.widgets().logEdit->isVisibleTo(&form));
    EXPECT_TRUE(form.widgets().mainScreenPanel->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().dayGrid->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().dayListBackButton->isVisibleTo(&form));
    EXPECT_EQ(form.widgets().entryList->count(), 3); // rebuilt from the re-run entry set
    EXPECT_EQ(form.lineBookmarks().size(), 3);
}
