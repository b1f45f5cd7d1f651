// The TimeLine switch and the year scroller: which lines the seven slots show, disc names and
// missing pictures, the year label at the scroller's pinned ends.
#include "TimelineFixture.h"

#include "controls/FolderFiles.h"
#include "editing/PictureFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace wk;
using wk::testing::selectLine;
using TimeLineSwitch = wk::testing::StripTest;

TEST_F(TimeLineSwitch, SwitchingOnCentresTheSelectedLineAndOffEmptiesTheStrip)
{
    shell::MainWindow& form = startWithEntries(10);
    selectLine(form.widgets().entryList, 4);
    form.widgets().timelineButton->click();
    EXPECT_EQ(slotFiles(), picturesOf(1, 7)) << "the selected entry lands in slot 4";
    EXPECT_EQ(stripBookmarks(), bookmarks.mid(1, 7));
    EXPECT_EQ(form.strip().firstLine, 1);
    EXPECT_EQ(form.strip().lastLine, 7);
    EXPECT_EQ(form.entries().bookmark(), bookmarks[7]) << "left on the last slot's entry";
    EXPECT_TRUE(form.widgets().forwardArrow->isVisible() && form.widgets().backArrow->isVisible());

    form.widgets().timelineButton->click();
    EXPECT_EQ(slotFiles(), QStringList(7, QString()));
    for (QWidget* arrow :
         {static_cast<QWidget*>(form.widgets().forwardArrow), static_cast<QWidget*>(form.widgets().backArrow),
          static_cast<QWidget*>(form.widgets().forwardStop), static_cast<QWidget*>(form.widgets().backStop)})
        EXPECT_FALSE(arrow->isVisible());

    selectLine(form.widgets().entryList, 1);
    form.widgets().timelineButton->click();
    EXPECT_EQ(slotFiles(), picturesOf(0, 6));

    // The filters switch it off from code; the strip empties all the same.
    form.widgets().timelineButton->setChecked(false);
    EXPECT_EQ(slotFiles(), QStringList(7, QString()));
}

TEST_F(TimeLineSwitch, ShortListsDiscNamesAndMissingPicturesLeaveEmptySlots)
{
    book.writePicture("disc/bmp/far.jpg", {64, 48});
    book.setDisc(book.path("disc"), "N");
    book.addEntry({QDate(2001, 1, 1), "On the disc", "4 Trips", {}, "%\\bmp\\far.jpg", {}});
    book.addEntry({QDate(2001, 1, 2), "Gone", "4 Trips", {}, book.path("missing.jpg"), {}});
    book.addEntry({QDate(2001, 1, 3), "Here", "4 Trips", {}, book.writePicture("here.jpg", {40, 30}), {}});
    shell::MainWindow& form = start();
    form.widgets().timelineButton->click();
    EXPECT_EQ(slotFiles(),
              (QStringList{book.path("disc") + "/bmp/far.jpg", {}, book.path("here.jpg"), {}, {}, {}, {}}));
    EXPECT_EQ(form.strip().lastLine, 2);
}

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
