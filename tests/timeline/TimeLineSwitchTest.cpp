// The TimeLine switch on disc names and missing pictures, and the year scroller at its pinned ends.
#include "TimelineFixture.h"

#include <QLabel>
#include <QScrollBar>

using namespace wk;
using TimeLineSwitch = wk::testing::StripTest;

TEST_F(TimeLineSwitch, YearScrollerCountsOnAtItsPinnedEndsAndFillsTheMonth)
{
    today = QDate(2026, 12, 7);
    book.addEntry({QDate(1990, 12, 25), "Christmas 1990", "1 Events", {}, {}, {}});
    shell::MainWindow& form = start();
    QScrollBar* year = form.widgets().yearScroller;

    year->setValue(1990);
    EXPECT_EQ(form.widgets().yearLabel->text(), "1990");
    EXPECT_EQ(form.widgets().monthLabel->text(), "December");
    bool listed = false;
    for (int i = 1; i <= 42; ++i)
        listed =
            listed || !form.widgets().dayCells[i]->findItems("Christmas 1990", Qt::MatchExactly).isEmpty();
    EXPECT_TRUE(listed) << "the (hidden) grid is filled for December 1990";
    EXPECT_FALSE(form.widgets().bigImage->isHidden()) << "the calendar is off: the big picture stays";

    year->setValue(1702);
    year->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(year->value(), 1701);
    EXPECT_EQ(form.widgets().yearLabel->text(), "1701");
    year->triggerAction(QAbstractSlider::SliderSingleStepSub); // 1700, pinned back to 1701
    EXPECT_EQ(year->value(), 1701);
    EXPECT_EQ(form.widgets().yearLabel->text(), "1699");

    year->setValue(2098);
    year->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.widgets().yearLabel->text(), "2099");
    year->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(year->value(), 2099);
    EXPECT_EQ(form.widgets().yearLabel->text(), "2101");

    // Dragging shows the year as it goes; the month is filled once the thumb is let go.
    year->setValue(1990);
    year->setSliderDown(true);
    year->setSliderPosition(1850);
    EXPECT_EQ(form.widgets().yearLabel->text(), "1850");
    EXPECT_EQ(year->value(), 1990);
    year->setSliderDown(false);
    EXPECT_EQ(year->value(), 1850);
}
