// Showing entries from the entry list: layouts, picture names, Delete, the calendar drag start.
#include "ProgramTest.h"

#include "browse/EntryList.h"
#include "controls/Twips.h"

#include <QDir>
#include <QFile>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::px;
using wk::testing::selectLine;

namespace {

class Browsing : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        std::tie(wide, tall, square) = book.writeShapedPictures();
        book.writePicture("disc/bmp/far.jpg", {640, 480});
        book.setDisc(book.path("disc"), "N");
        book.addEntry({QDate(2000, 1, 1), "Wide", "1 Events", QString("Lily"), wide, QString("wide log")});
        book.addEntry({QDate(2000, 1, 2), "Tall", "1 Events", {}, tall, {}});
        book.addEntry({QDate(2000, 1, 3), "Square", "1 Events", QString("Dad"), square, QString("sq")});
        book.addEntry({QDate(2000, 1, 4), "On the disc", "4 Trips", {}, "%\\bmp\\far.jpg", {}});
        book.addEntry({QDate(2000, 1, 5), "No picture", "4 Trips", {}, {}, {}});
        book.addEntry({QDate(2000, 1, 6), "Gone", "4 Trips", {}, book.path("missing.jpg"), {}});
        book.addEntry({QDate(2000, 1, 7), {}, "4 Trips", {}, {}, QString("untitled")});
    }

    QString wide, tall, square;
};

} // namespace

TEST_F(Browsing, ListClicksShowEachPictureInItsLayoutThroughTheDiscOrSayWhyNot)
{
    QFile broken(book.path("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("\xFF\xD8\xFF not really a jpeg") > 0);
    broken.close();
    book.addEntry({QDate(2000, 1, 8), "Broken", "4 Trips", {}, book.path("broken.jpg"), {}});
    shell::MainWindow& form = start();
    EXPECT_EQ(form.widgets().bigImage->width(), px(4675));
    EXPECT_EQ(form.widgets().bigPictureFrame->width(), px(4925));

    selectLine(form.widgets().entryList, 1);
    EXPECT_EQ(form.widgets().bigImage->picture().file, tall);
    EXPECT_EQ(form.widgets().bigImage->width(), px(2400));
    EXPECT_EQ(form.widgets().bigPictureFrame->width(), px(2650));
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), ""); // null log
    EXPECT_EQ(form.widgets().entryNameLabel->text(), ""); // null name

    selectLine(form.widgets().entryList, 2);
    EXPECT_EQ(form.widgets().bigImage->picture().file, square);
    EXPECT_EQ(form.widgets().bigImage->width(), px(2400)); // a square picture keeps the portrait layout
    EXPECT_EQ(form.widgets().entryNameLabel->text(), "Dad");

    EXPECT_EQ(form.pictureRoot().text(), book.path("disc"));

    selectLine(form.widgets().entryList, 3); // "%\bmp\far.jpg", written on another system
    EXPECT_EQ(form.widgets().bigImage->picture().file, book.path("disc/bmp/far.jpg"));

    selectLine(form.widgets().entryList, 4); // empty picture name clears the image
    EXPECT_TRUE(form.widgets().bigImage->picture().isNull());

    selectLine(form.widgets().entryList, 0);
    selectLine(form.widgets().entryList, 5); // a file that is not there clears it too
    EXPECT_TRUE(form.widgets().bigImage->picture().isNull());

    selectLine(form.widgets().entryList, 6); // a null title is an empty line of its own
    EXPECT_EQ(form.widgets().entryList->lineText(6), "");
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "untitled");

    // A picture that cannot be shown says why instead of showing another entry's picture.
    controls::ImageControl* big = form.widgets().bigImage;

    selectLine(form.widgets().entryList, 0);
    selectLine(form.widgets().entryList, 7); // after the wide picture
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(big->noticeTitle(), "Picture cannot be shown");
    EXPECT_EQ(big->width(), px(2400)); // the layout rule holds: an unreadable size sets portrait

    selectLine(form.widgets().entryList, 5); // "Gone": the file is not there
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(big->noticeTitle(), "Picture not found");
    EXPECT_FALSE(big->grab().toImage().isNull());

    // The picture disc's folder is away: the notice names where it was expected.
    ASSERT_TRUE(QDir(book.path("disc")).rename(book.path("disc"), book.path("disc-away")));
    selectLine(form.widgets().entryList, 3);
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(big->noticeTitle(),
              "Picture disc not inserted: " + QDir::toNativeSeparators(book.path("disc")));

    selectLine(form.widgets().entryList, 0); // a picture that shows ends the notice
    EXPECT_EQ(big->picture().file, wide);
    EXPECT_EQ(big->noticeTitle(), "");
}

TEST_F(Browsing, DeleteKeyAsksWithNoAsDefaultAndRefills)
{
    shell::MainWindow& form = start();
    selectLine(form.widgets().entryList, 1);

    QTest::keyClick(form.widgets().entryList, Qt::Key_Delete); // answered No
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text, "Delete this File?");
    EXPECT_TRUE(prompts().asked[0].defaultNo);
    EXPECT_EQ(form.widgets().entryList->count(), 7);

    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(form.widgets().entryList, Qt::Key_Delete);
    EXPECT_EQ(form.widgets().entryList->count(), 6);
    EXPECT_EQ(form.widgets().entryList->lineText(1), "Square");
    EXPECT_EQ(form.widgets().entryList->currentRow(), -1);
    EXPECT_EQ(form.lineBookmarks().size(), 6);
    EXPECT_TRUE(QFile::exists(tall)); // the picture file is never touched

    // Nothing selected: Delete does nothing, not even ask.
    QTest::keyClick(form.widgets().entryList, Qt::Key_Delete);
    EXPECT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(form.widgets().entryList->count(), 6);
}

TEST_F(Browsing, WithTheCalendarOnAClickOnlyKeepsThePictureRootAndAPressStartsADrag)
{
    shell::MainWindow& form = start();
    int drags = 0;
    form.entryLines().startDrag = [&] { ++drags; };
    {
        const QSignalBlocker quiet(
            form.widgets().calendarButton); // the calendar's own fill is not under test
        form.widgets().calendarButton->setChecked(true);
    }
    form.pictureDisc().moveFirst();
    form.pictureDisc().edit();
    form.pictureDisc().setField("cd", book.path("elsewhere"));
    form.pictureDisc().update();
    form.pictureRoot().setText({});
    selectLine(form.widgets().entryList, 1);
    EXPECT_EQ(form.widgets().bigImage->picture().file, wide);
    EXPECT_EQ(form.pictureRoot().text(), book.path("elsewhere"));

    const QRect line = form.widgets().entryList->visualRect(form.widgets().entryList->model()->index(2, 0));
    QTest::mousePress(form.widgets().entryList->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(form.widgets().entryList->currentRow(), 2);
    EXPECT_EQ(form.widgets().pictureLabel->text(), "Picture");
}

// A list longer than a page of the set: every line reads its own entry's title, and the Main
// Screen lists what another program wrote as well as what was written through the list's set.
TEST_F(Browsing, LongListsShowEveryTitleAndTheMainScreenSeesEveryWrite)
{
    book.exec("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 600) "
              "INSERT INTO MYLIFE (DATE, MYEVENT, WHAT) "
              "SELECT date('2001-01-01', '+' || k || ' days'), 'Day ' || k, '1 Events' FROM n");
    shell::MainWindow& form = start();
    ASSERT_EQ(form.widgets().entryList->count(), 607);
    EXPECT_EQ(form.widgets().entryList->lineText(7), "Day 1");
    EXPECT_EQ(form.widgets().entryList->lineText(606), "Day 600");
    EXPECT_EQ(form.lineBookmarks().size(), 607);
    selectLine(form.widgets().entryList, 500);
    EXPECT_EQ(form.entries().field("MYEVENT").toString(), "Day 494");

    form.entries().edit(); // through the list's own set
    form.entries().setField("MYEVENT", QStringLiteral("Renamed"));
    form.entries().update();
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('2000-01-01', 'From elsewhere')");
    form.widgets().mainScreenButton->click();
    ASSERT_EQ(form.widgets().entryList->count(), 608);
    EXPECT_EQ(form.widgets().entryList->lineText(500), "Renamed");
    EXPECT_EQ(form.widgets().entryList->lineText(607),
              "From elsewhere"); // the entry set lists in table order
}
