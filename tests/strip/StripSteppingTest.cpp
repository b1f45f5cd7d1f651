// The TimeLine switch and the strip arrows: one picture a click through the entry lines or the
// folder's files, the stop markers at both ends, line numbers past the 16-bit range.
#include "TimelineFixture.h"

#include "controls/FolderFiles.h"

#include <QPushButton>

using namespace wk;
using wk::testing::selectLine;
using Strip = wk::testing::StripTest;

TEST_F(Strip, TheSwitchCentresTheSelectedLineAndArrowsStepOnePictureUpToStopMarkers)
{
    shell::MainWindow& form = startWithEntries(10);
    selectLine(form.widgets().entryList, 4);
    form.widgets().timelineButton->click();
    EXPECT_EQ(slotFiles(), picturesOf(1, 7)) << "the selected entry lands in slot 4";
    EXPECT_EQ(stripBookmarks(), bookmarks.mid(1, 7));
    EXPECT_EQ(form.entries().bookmark(), bookmarks[7]) << "left on the last slot's entry";

    form.widgets().timelineButton->click(); // off: the strip and its arrows empty
    EXPECT_EQ(slotFiles(), QStringList(7, QString()));
    for (QWidget* arrow :
         std::initializer_list<QWidget*>{form.widgets().forwardArrow, form.widgets().backArrow,
                                         form.widgets().forwardStop, form.widgets().backStop})
        EXPECT_FALSE(arrow->isVisible());
    selectLine(form.widgets().entryList, 0);
    form.widgets().timelineButton->click();

    form.widgets().backArrow->clicked();
    EXPECT_TRUE(form.widgets().backArrow->isHidden());
    EXPECT_FALSE(form.widgets().backStop->isHidden());
    EXPECT_EQ(slotFiles(), picturesOf(0, 6));

    for (int step = 0; step < 3; ++step)
        form.widgets().forwardArrow->clicked();
    EXPECT_EQ(slotFiles(), picturesOf(3, 9));
    EXPECT_EQ(stripBookmarks(), bookmarks.mid(3, 7));
    EXPECT_EQ(form.entries().bookmark(), bookmarks[9]);
    EXPECT_TRUE(form.widgets().backStop->isHidden()) << "stepping forward brings the back arrow again";
    EXPECT_FALSE(form.widgets().backArrow->isHidden());

    form.widgets().forwardArrow->clicked(); // the last line is already in slot 7
    EXPECT_TRUE(form.widgets().forwardArrow->isHidden());
    EXPECT_FALSE(form.widgets().forwardStop->isHidden());
    EXPECT_EQ(slotFiles(), picturesOf(3, 9));
    EXPECT_EQ(form.strip().firstLine, 3);

    form.widgets().backArrow->clicked();
    EXPECT_EQ(slotFiles(), picturesOf(2, 8));
    EXPECT_EQ(form.entries().bookmark(), bookmarks[2]);
    EXPECT_FALSE(form.widgets().forwardArrow->isHidden());
    EXPECT_TRUE(form.widgets().forwardStop->isHidden());
    EXPECT_EQ(form.strip().firstLine, 2);
    EXPECT_EQ(form.strip().lastLine, 8);
}

TEST_F(Strip, FolderPicturesStepThroughTheFolderAndKeepTheirFiles)
{
    shell::MainWindow& form = startWithEntries(2);
    QStringList folder;
    for (int n = 0; n < 9; ++n)
        folder << book.writePicture(QStringLiteral("trip/f%1.jpg").arg(n), {40, 30}, QColor(0, 25 * n, 0));
    program->prompts.fileAnswers.enqueue(folder[0]);
    form.widgets().thumbnailsButton->click();
    ASSERT_TRUE(form.strip().showsFolder());
    ASSERT_EQ(slotFiles(), folder.mid(0, 7));

    form.widgets().forwardArrow->clicked();
    form.widgets().forwardArrow->clicked();
    EXPECT_EQ(slotFiles(), folder.mid(2, 7));
    EXPECT_EQ(form.strip().slot(7), folder[8]) << "a folder slot keeps its file name";
    form.widgets().forwardArrow->clicked();
    EXPECT_FALSE(form.widgets().forwardStop->isHidden());
}

TEST_F(Strip, StepsBeyondTheFirst32767Lines)
{
    book.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 32999) "
              "INSERT INTO mylife (date, myevent, what) "
              "SELECT date('1990-01-01', '+' || (i / 10) || ' days'), 'Entry ' || i, '1 Events' FROM n");
    shell::MainWindow& form = start();
    ASSERT_EQ(form.widgets().entryList->count(), 33000);
    selectLine(form.widgets().entryList, 32800);
    form.widgets().timelineButton->click();
    EXPECT_EQ(form.strip().firstLine, 32797);
    EXPECT_EQ(form.strip().lastLine, 32803);
    form.widgets().forwardArrow->clicked();
    EXPECT_EQ(form.strip().lastLine, 32804);
    EXPECT_EQ(form.strip().slot(7), form.lineBookmarks()[32804]);
}
