// The month scroller: steps, the wrap across the year ends, the thumb-drag preview, and a
// second switch-on that keeps the year label.
#include "CalendarFixture.h"

#include "calendar/MonthCalendar.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>

using namespace wk;
using wk::testing::CalendarTest;

namespace {
void stepRight(QScrollBar* bar) { bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); }
void stepLeft(QScrollBar* bar) { bar->triggerAction(QAbstractSlider::SliderSingleStepSub); }
} // namespace

TEST_F(CalendarTest, DecemberStepsToJanuaryOfTheNextYearAndBack)
{
    book.addEntry({QDate(1999, 1, 6), "Epiphany"});
    book.addEntry({QDate(1998, 12, 28), "Holidays"});
    shell::MainWindow& form = startCalendar(QDate(1998, 12, 15));
    ASSERT_EQ(form.monthScroller->value(), 12);

    stepRight(form.monthScroller);
    EXPECT_EQ(form.monthLabel->text(), "January");
    EXPECT_EQ(form.yearLabel->text(), "1999");
    EXPECT_EQ(form.monthScroller->value(), 1);
    EXPECT_EQ(dayNumber(6), 1); // 1 January 1999 is a Friday
    EXPECT_EQ(lines(11), QStringList({"6", "Epiphany"}));
    EXPECT_EQ(lines(2), QStringList({"28", "Holidays"})); // grey December day of 1998

    stepLeft(form.monthScroller);
    EXPECT_EQ(form.monthLabel->text(), "December");
    EXPECT_EQ(form.yearLabel->text(), "1998");
    EXPECT_EQ(form.monthScroller->value(), 12);
    EXPECT_EQ(lines(30), QStringList({"28", "Holidays"})); // December 1998 starts on a Tuesday
    EXPECT_EQ(form.yearScroller->value(), 1998);           // the year scroller is not moved by the wrap
}

TEST_F(CalendarTest, AtTwelveWithJuneShownAStepComputesJulyAndShowsJanuaryOfThatYear)
{
    shell::MainWindow& form = startCalendar(QDate(1998, 12, 15));
    form.calendar().fillMonth(6, 1998, {}); // as the year scroller leaves it: June, scroller at 12
    ASSERT_EQ(form.monthLabel->text(), "June");
    stepRight(form.monthScroller);
    EXPECT_EQ(form.monthScroller->value(), 1);
    EXPECT_EQ(form.monthLabel->text(), "January");
    EXPECT_EQ(form.yearLabel->text(), "1998");
    EXPECT_EQ(dayNumber(5), 1); // 1 January 1998 is a Thursday
}

TEST_F(CalendarTest, DraggingTheThumbPreviewsTheMonthAndFillsOnceOnRelease)
{
    shell::MainWindow& form = startCalendar(QDate(1998, 3, 15));
    QSignalSpy changes(form.monthScroller, &QScrollBar::valueChanged);
    QStringList previews;
    QObject::connect(form.monthScroller, &QScrollBar::sliderMoved, form.monthScroller,
                     [&] { previews << form.monthLabel->text(); });
    form.monthScroller->setSliderDown(true);
    for (int v = 4; v <= 7; ++v)
        form.monthScroller->setSliderPosition(v);
    EXPECT_EQ(previews, QStringList({"April", "May", "June", "July"}));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(dayNumber(1), 1); // still March 1998's grid
    form.monthScroller->setSliderDown(false);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(form.monthLabel->text(), "July");
    EXPECT_EQ(dayNumber(4), 1); // 1 July 1998 is a Wednesday
}

TEST_F(CalendarTest, ASecondSwitchOnKeepsTheYearLabel)
{
    shell::MainWindow& form = startCalendar(QDate(1998, 12, 15));
    stepRight(form.monthScroller); // January 1999
    ASSERT_EQ(form.yearLabel->text(), "1999");
    form.calendarButton->click();
    form.calendarButton->click();
    EXPECT_EQ(form.yearLabel->text(), "1999"); // the year scroller already held 1998
    EXPECT_EQ(form.monthLabel->text(), "December");
    EXPECT_EQ(dayNumber(3), 1); // the grid shows December 1998 all the same
}

TEST_F(CalendarTest, AStepWithAYearLabelThatIsNoYearLeavesTheGridEmpty)
{
    book.addEntry({QDate(1998, 3, 2), "Kite"});
    shell::MainWindow& form = startCalendar(QDate(1998, 3, 15));
    form.yearLabel->setText("nineteen");
    stepRight(form.monthScroller);
    for (int i = 1; i <= 42; ++i)
        EXPECT_EQ(form.dayCells[i]->count(), 0);
    form.yearLabel->setText("1998");
    stepRight(form.monthScroller); // the program still runs: May 1998
    EXPECT_EQ(form.monthLabel->text(), "May");
    EXPECT_EQ(dayNumber(6), 1);
}
