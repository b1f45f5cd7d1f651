// "List by Date": the listing's lines and their entries, line clicks, the big picture's widths.
#include "TimelineFixture.h"

#include "controls/Twips.h"
#include "timeline/TimelineListing.h"

using namespace wk;
using wk::testing::listLines;
using wk::testing::px;
using wk::testing::selectLine;
using wk::testing::TimelineTest;

namespace {

class Listing : public TimelineTest {
protected:
    void SetUp() override
    {
        std::tie(wide, tall, square) = book.writeShapedPictures("bmp");
        disc = book.writePicture("disc/bmp/far.jpg", {640, 480});
        book.setDisc(book.path("disc"), "N");
        spring = book.addEntry({QDate(1997, 3, 5), "Spring", "1 Events", {}, wide, QString("first log")});
        nextSpring = book.addEntry(
            {QDate(1998, 3, 20), "Next spring", "1 Events", QString("Lily"), tall, QString("tall log")});
        april = book.addEntry({QDate(1998, 4, 1), "April fool", "4 Trips", {}, "%\\bmp\\far.jpg", {}});
        untitled = book.addEntry({QDate(1998, 6, 9), {}, "4 Trips", {}, square, {}});
    }

    QString wide, tall, square, disc;
    QString spring, nextSpring, april, untitled;
};

} // namespace

TEST_F(Listing, GroupsEntriesUnderMonthsShowsClickedLinesSwitchesWidthsAndIsBuiltAgain)
{
    shell::MainWindow& form = start();
    selectLine(form.widgets().entryList, 1); // another entry's log and name are shown first
    form.widgets().listByDateButton->click();

    // March 1997 and March 1998 follow each other, so they share the first header.
    EXPECT_EQ(
        listLines(form.widgets().dateList),
        (QStringList{"------------------ March 1997 ----------------------------------", "05  Spring",
                     "20  Next spring", "--------------------April 1998---------------------------------",
                     "01  April fool", "--------------------June 1998---------------------------------",
                     "09  "}));
    EXPECT_EQ(form.lineBookmarks(), (QStringList{{}, spring, nextSpring, {}, april, {}, untitled}));
    EXPECT_EQ(form.widgets().entryDateLabel->text(), "March 5, 1997");
    EXPECT_TRUE(form.widgets().entryNameLabel->text().isEmpty());
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "first log");

    EXPECT_TRUE(form.widgets().mainScreenPanel->isHidden() && !form.widgets().listingPanel->isHidden());
    EXPECT_FALSE(form.widgets().editScreenButton->isEnabled()) << "Edit Screen must wait for Main Screen";
    form.widgets().mainScreenButton->click();
    EXPECT_TRUE(form.widgets().editScreenButton->isEnabled());
    {
        SCOPED_TRACE("only the two strip widths are switched");
        form.widgets().listByDateButton->click();
        ASSERT_EQ(form.widgets().bigImage->width(), px(4675)) << "the first entry is landscape";

        selectLine(form.widgets().dateList, 2); // portrait while 4675 wide: the width stays
        EXPECT_EQ(form.widgets().bigImage->width(), px(4675));

        controls::setTwipsWidth(form.widgets().bigImage, 2400);
        selectLine(form.widgets().dateList, 4); // landscape widens 2400 to 4695
        EXPECT_EQ(form.widgets().bigImage->width(), px(4695));
        selectLine(form.widgets().dateList, 6); // square keeps it
        EXPECT_EQ(form.widgets().bigImage->width(), px(4695));
        selectLine(form.widgets().dateList, 2); // portrait narrows 4695 to 2400
        EXPECT_EQ(form.widgets().bigImage->width(), px(2400));
        EXPECT_EQ(form.widgets().bigPictureFrame->width(), px(4925)) << "the frame is left alone";
    }
    {
        SCOPED_TRACE("line clicks");
        selectLine(form.widgets().dateList, 2);
        EXPECT_EQ(form.widgets().entryNameLabel->text(), "Lily");
        EXPECT_EQ(form.widgets().entryDateLabel->text(), "March 20, 1998");
        EXPECT_EQ(form.widgets().bigImage->picture().file, tall);
        EXPECT_EQ(form.entries().bookmark(), nextSpring);

        selectLine(form.widgets().dateList, 3); // the April header
        EXPECT_EQ(form.entries().bookmark(), nextSpring);

        // A disc name is looked up when the line is clicked.
        selectLine(form.widgets().dateList, 4);
        EXPECT_EQ(form.widgets().bigImage->picture().file, book.path("disc") + "/bmp/far.jpg");
        EXPECT_TRUE(form.widgets().logEdit->toPlainText().isEmpty());

        // An entry deleted since the listing was built is not replaced by another one.
        form.entries().setBookmark(spring);
        form.entries().remove();
        selectLine(form.widgets().dateList, 1);
        EXPECT_EQ(form.widgets().bigImage->picture().file, book.path("disc") + "/bmp/far.jpg");
    }
    SCOPED_TRACE("built again when another program or the entry set changed the entries");
    book.addEntry({QDate(1998, 6, 10), "Picnic", "1 Events"});
    form.widgets().listByDateButton->click();
    EXPECT_TRUE(listLines(form.widgets().dateList).contains("10  Picnic"));
    form.entries().moveFirst();
    form.entries().edit();
    form.entries().setField("MYEVENT", QStringLiteral("Spring again"));
    form.entries().update();
    form.widgets().listByDateButton->click();
    EXPECT_TRUE(listLines(form.widgets().dateList).contains("20  Spring again"));
}

TEST(ListingEdges, FirstDiscEntryIsNotShownByTheModeSwitchAndEmptySetsStayAligned)
{
    wk::testing::TestScrapbook book;
    book.writePicture("disc/bmp/far.jpg", {640, 480});
    book.setDisc(book.path("disc"), "N");
    {
        wk::testing::StartedProgram program(book.dir());
        program.start();
        program->widgets().listByDateButton->click();
        EXPECT_EQ(program->widgets().dateList->count(), 1);
        EXPECT_EQ(program->lineBookmarks(), (QStringList{{}, {}}));
        EXPECT_TRUE(program->widgets().entryDateLabel->text().isEmpty());
    }
    book.addEntry({QDate(2003, 5, 5), "Far away", "4 Trips", {}, "%\\bmp\\far.jpg", {}});
    book.addEntry({QDate(2003, 5, 6), "No picture", "4 Trips", {}, {}, {}});
    wk::testing::StartedProgram program(book.dir());
    program.start();
    program->widgets().listByDateButton->click();
    EXPECT_TRUE(program->widgets().bigImage->picture().isNull());
    wk::testing::selectLine(program->widgets().dateList, 1);
    EXPECT_FALSE(program->widgets().bigImage->picture().isNull());
    wk::testing::selectLine(program->widgets().dateList, 2);
    EXPECT_TRUE(program->widgets().bigImage->picture().isNull());
}

TEST(ListingBuild, EntryWithoutADateKeepsLinesAndSlotsAligned)
{
    wk::testing::TestScrapbook book;
    book.addEntry({QDate(2003, 5, 5), "Dated", "1 Events", {}, {}, {}});
    const QString undated = book.addEntry({QDate(2003, 5, 6), "Undated", "1 Events", {}, {}, {}});
    book.exec("UPDATE mylife SET date = NULL WHERE myevent = 'Undated'");
    store::ConnectionPool pool;
    store::DataSource entries(pool, "entries");
    entries.setDatabaseName(book.databasePath());
    entries.setRecordSource("SELECT * FROM mylife order by date;");
    entries.refresh();
    const timeline::Listing listing = timeline::buildListing(entries);
    QStringList lines;
    for (int line = 0; line < listing.lineCount(); ++line)
        lines << listing.lineText(entries, line);
    ASSERT_TRUE(lines.contains("Undated"));
    EXPECT_EQ(listing.bookmarks()[lines.indexOf("Undated")], undated);
}
