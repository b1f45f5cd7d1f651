// The TimeLine switch and the strip arrows: which lines the seven slots show, the stop markers,
// folder pictures while the file list is shown.
#include "TimelineFixture.h"

#include "controls/FolderList.h"
#include "editing/PictureFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::TimelineTest;

namespace {

class Strip : public TimelineTest {
protected:
    QStringList pictures;

    shell::Mtform1& startWithEntries(int count)
    {
        pictures = addNumberedEntries(count);
        return start();
    }
    QStringList picturesOf(int first, int last) const
    {
        QStringList files = pictures.mid(first, last - first + 1);
        while (files.size() < 7)
            files << QString();
        return files;
    }
    QStringList stripBookmarks() const
    {
        QStringList texts;
        for (int k = 1; k <= 7; ++k)
            texts << program->form().stripBookmarks[k];
        return texts;
    }
};

} // namespace

TEST_F(Strip, SwitchingOnCentresTheSelectedLineAndOffEmptiesTheStrip)
{
    shell::Mtform1& form = startWithEntries(10);
    selectLine(form.ListDB1, 4);
    form.TimeOn1->click();
    EXPECT_EQ(slotFiles(), picturesOf(1, 7)) << "the selected entry lands in slot 4";
    EXPECT_EQ(stripBookmarks(), bookmarks.mid(1, 7));
    EXPECT_EQ(form.stripFirstIndex, 1);
    EXPECT_EQ(form.stripLastIndex, 7);
    EXPECT_EQ(form.Data1.bookmark(), bookmarks[7]) << "left on the last slot's entry";
    EXPECT_TRUE(form.CMDFWD->isVisible() && form.CMDREV->isVisible());

    form.TimeOn1->click();
    EXPECT_EQ(slotFiles(), QStringList(7, QString()));
    for (QWidget* arrow : {static_cast<QWidget*>(form.CMDFWD), static_cast<QWidget*>(form.CMDREV),
                           static_cast<QWidget*>(form.FWDSTOP), static_cast<QWidget*>(form.REVSTOP)})
        EXPECT_FALSE(arrow->isVisible());

    selectLine(form.ListDB1, 1);
    form.TimeOn1->click();
    EXPECT_EQ(slotFiles(), picturesOf(0, 6));

    // The filters switch it off from code; the strip empties all the same.
    form.TimeOn1->setChecked(false);
    EXPECT_EQ(slotFiles(), QStringList(7, QString()));
}

TEST_F(Strip, ShortListsDiscNamesAndMissingPicturesLeaveEmptySlots)
{
    book.writePicture("disc/bmp/far.jpg", {64, 48});
    book.setDisc(book.path("disc"), "N");
    book.addEntry({QDate(2001, 1, 1), "On the disc", "4 Trips", {}, "%\\bmp\\far.jpg", {}});
    book.addEntry({QDate(2001, 1, 2), "Gone", "4 Trips", {}, book.path("missing.jpg"), {}});
    book.addEntry({QDate(2001, 1, 3), "Here", "4 Trips", {}, book.writePicture("here.jpg", {40, 30}), {}});
    shell::Mtform1& form = start();
    form.TimeOn1->click();
    EXPECT_EQ(slotFiles(),
              (QStringList{book.path("disc") + "/bmp/far.jpg", {}, book.path("here.jpg"), {}, {}, {}, {}}));
    EXPECT_EQ(form.stripLastIndex, 2);
}

TEST_F(Strip, ArrowsStepOnePictureAndTurnIntoStopMarkersAtTheEnds)
{
    shell::Mtform1& form = startWithEntries(10);
    selectLine(form.ListDB1, 0);
    form.TimeOn1->click();

    form.CMDREV->clicked();
    EXPECT_TRUE(form.CMDREV->isHidden());
    EXPECT_FALSE(form.REVSTOP->isHidden());
    EXPECT_EQ(slotFiles(), picturesOf(0, 6));

    for (int step = 0; step < 3; ++step)
        form.CMDFWD->clicked();
    EXPECT_EQ(slotFiles(), picturesOf(3, 9));
    EXPECT_EQ(stripBookmarks(), bookmarks.mid(3, 7));
    EXPECT_EQ(form.Data1.bookmark(), bookmarks[9]);
    EXPECT_TRUE(form.REVSTOP->isHidden()) << "stepping forward brings the back arrow again";
    EXPECT_FALSE(form.CMDREV->isHidden());

    form.CMDFWD->clicked(); // the last line is already in slot 7
    EXPECT_TRUE(form.CMDFWD->isHidden());
    EXPECT_FALSE(form.FWDSTOP->isHidden());
    EXPECT_EQ(slotFiles(), picturesOf(3, 9));
    EXPECT_EQ(form.stripFirstIndex, 3);

    form.CMDREV->clicked();
    EXPECT_EQ(slotFiles(), picturesOf(2, 8));
    EXPECT_EQ(form.Data1.bookmark(), bookmarks[2]);
    EXPECT_FALSE(form.CMDFWD->isHidden());
    EXPECT_TRUE(form.FWDSTOP->isHidden());
    EXPECT_EQ(form.stripFirstIndex, 2);
    EXPECT_EQ(form.stripLastIndex, 8);
}

TEST_F(Strip, FolderPicturesStepThroughTheFolderAndKeepTheirFiles)
{
    shell::Mtform1& form = startWithEntries(2);
    QStringList folder;
    for (int n = 0; n < 9; ++n)
        folder << book.writePicture(QStringLiteral("trip/f%1.jpg").arg(n), {40, 30}, QColor(0, 25 * n, 0));
    program->prompts.fileAnswers.enqueue(folder[0]);
    form.Command1->click();
    ASSERT_FALSE(form.File1->isHidden());
    ASSERT_EQ(slotFiles(), folder.mid(0, 7));

    form.CMDFWD->clicked();
    form.CMDFWD->clicked();
    EXPECT_EQ(slotFiles(), folder.mid(2, 7));
    EXPECT_EQ(form.stripBookmarks[7], folder[8]) << "a folder slot keeps its file name";
    form.CMDFWD->clicked();
    EXPECT_FALSE(form.FWDSTOP->isHidden());
}

TEST_F(Strip, YearScrollerCountsOnAtItsPinnedEndsAndFillsTheMonth)
{
    dates::setTodayForTesting(QDate(2026, 12, 7));
    book.addEntry({QDate(1990, 12, 25), "Christmas 1990", "1 Events", {}, {}, {}});
    shell::Mtform1& form = start();
    QScrollBar* year = form.VScroll1;

    year->setValue(1990);
    EXPECT_EQ(form.Label8->text(), "1990");
    EXPECT_EQ(form.CALLABEL->text(), "December");
    bool listed = false;
    for (int i = 1; i <= 42; ++i)
        listed = listed || !form.List1[i]->findItems("Christmas 1990", Qt::MatchExactly).isEmpty();
    EXPECT_TRUE(listed) << "the (hidden) grid is filled for December 1990";
    EXPECT_FALSE(form.Image8->isHidden()) << "the calendar is off: the big picture stays";

    year->setValue(1702);
    year->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(year->value(), 1701);
    EXPECT_EQ(form.Label8->text(), "1701");
    year->triggerAction(QAbstractSlider::SliderSingleStepSub); // 1700, pinned back to 1701
    EXPECT_EQ(year->value(), 1701);
    EXPECT_EQ(form.Label8->text(), "1699");

    year->setValue(2098);
    year->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.Label8->text(), "2099");
    year->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(year->value(), 2099);
    EXPECT_EQ(form.Label8->text(), "2101");

    // Dragging shows the year as it goes; the month is filled once the thumb is let go.
    year->setValue(1990);
    year->setSliderDown(true);
    year->setSliderPosition(1850);
    EXPECT_EQ(form.Label8->text(), "1850");
    EXPECT_EQ(year->value(), 1990);
    year->setSliderDown(false);
    EXPECT_EQ(year->value(), 1850);
}

TEST_F(Strip, StepsBeyondTheFirst32767Lines)
{
    book.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 32999) "
              "INSERT INTO mylife (date, myevent, what) "
              "SELECT date('1990-01-01', '+' || (i / 10) || ' days'), 'Entry ' || i, '1 Events' FROM n");
    shell::Mtform1& form = start();
    ASSERT_EQ(form.ListDB1->count(), 33000);
    selectLine(form.ListDB1, 32800);
    form.TimeOn1->click();
    EXPECT_EQ(form.stripFirstIndex, 32797);
    EXPECT_EQ(form.stripLastIndex, 32803);
    form.CMDFWD->clicked();
    EXPECT_EQ(form.stripLastIndex, 32804);
    EXPECT_EQ(form.stripBookmarks[7], form.lineBookmarks[32804]);
}
