// The month scroller: steps, the wrap across the year ends, the thumb-drag preview.
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

TEST_F(CalendarTest, DecemberStepsToJanuaryOfTheNextYearAndBackAndTwelveStepsToJanuary)
{
    book.addEntry({QDate(1999, 1, 6), "Epiphany"});
    book.addEntry({QDate(1998, 12, 28), "Holidays"});
    shell::MainWindow& form = startCalendar(QDate(1998, 12, 15));
    ASSERT_EQ(form.widgets().monthScroller->value(), 12);

    stepRight(form.widgets().monthScroller);
    EXPECT_EQ(form.widgets().monthLabel->text(), "January");
    EXPECT_EQ(form.widgets().yearLabel->text(), "1999");
    EXPECT_EQ(lines(11), QStringList({"6", "Epiphany"})); // 1 January 1999 is a Friday
    EXPECT_EQ(lines(2), QStringList({"28", "Holidays"})); // grey December day of 1998

    stepLeft(form.widgets().monthScroller);
    EXPECT_EQ(form.widgets().monthLabel->text(), "December");
    EXPECT_EQ(form.widgets().yearLabel->text(), "1998");
    EXPECT_EQ(lines(30), QStringList({"28", "Holidays"})); // December 1998 starts on a Tuesday
    EXPECT_EQ(form.widgets().yearScroller->value(), 1998); // the year scroller is not moved by the wrap

    // At twelve with June shown, as the year scroller leaves it, a step computes July and shows
    // January of that year.
    form.calendar().fillMonth(6, 1998, {});
    stepRight(form.widgets().monthScroller);
    EXPECT_EQ(form.widgets().monthLabel->text(), "January");
    EXPECT_EQ(form.widgets().yearLabel->text(), "1998");
    EXPECT_EQ(dayNumber(5), 1); // 1 January 1998 is a Thursday

    // A second switch-on keeps the year label: the year scroller already held 1998.
    stepLeft(form.widgets().monthScroller); // December 1997
    form.widgets().calendarButton->click();
    form.widgets().calendarButton->click();
    EXPECT_EQ(form.widgets().yearLabel->text(), "1997");
    EXPECT_EQ(form.widgets().monthLabel->text(), "December");
    EXPECT_EQ(dayNumber(3), 1); // the grid shows December 1998 all the same
}

TEST_F(CalendarTest, DraggingTheThumbPreviewsTheMonthAndFillsOnceOnRelease)
{
    shell::MainWindow& form = startCalendar(QDate(1998, 3, 15));
    QSignalSpy changes(form.widgets().monthScroller, &QScrollBar::valueChanged);
    QStringList previews;
    QObject::connect(form.widgets().monthScroller, &QScrollBar::sliderMoved, form.widgets().monthScroller,
                     [&] { previews << form.widgets().monthLabel->text(); });
    form.widgets().monthScroller->setSliderDown(true);
    for (int v = 4; v <= 7; ++v)
        form.widgets().monthScroller->setSliderPosition(v);
    EXPECT_EQ(previews, QStringList({"April", "May", "June", "July"}));
    EXPECT_EQ(dayNumber(1), 1); // still March 1998's grid
    form.widgets().monthScroller->setSliderDown(false);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(dayNumber(4), 1); // 1 July 1998 is a Wednesday
}
