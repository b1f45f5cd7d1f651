// Clicks on the thumbnail strip: the big picture's two strip widths, the entry and log that
// follow the slot, and folder thumbnails handing their file name to the edit area.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "browse/MTForm3.h"
#include "browse/ThumbnailClicks.h"
#include "controls/FolderList.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Twips.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::px;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

class ThumbnailClicks : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::tie(wide, tall, square) = book.writeShapedPictures();
        wideEntry = book.addEntry({QDate(2000, 1, 1), "Wide", "1 Events", {}, wide, QString("wide log")});
        tallEntry = book.addEntry({QDate(2000, 1, 2), "Tall", "1 Events", {}, tall, QString("tall log")});
        squareEntry =
            book.addEntry({QDate(2000, 1, 3), "Square", "1 Events", {}, square, QString("square log")});
    }

    // The strip as the TimeLine switch leaves it: slots 1..3 hold the three entries, 4 is empty.
    void fillStripWithEntries(shell::Mtform1& form)
    {
        const QString files[] = {wide, tall, square};
        const QString marks[] = {wideEntry, tallEntry, squareEntry};
        for (int k = 1; k <= 7; ++k) {
            form.Image[k]->show();
            form.Image[k]->setStretch(true);
            form.Image[k]->clear();
            form.stripBookmarks[k].clear();
            if (k <= 3) {
                form.Image[k]->load(files[k - 1]);
                form.stripBookmarks[k] = marks[k - 1];
            }
        }
    }

    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    TestScrapbook book;
    QString wide, tall, square;
    QString wideEntry, tallEntry, squareEntry;
};

} // namespace

TEST_F(ThumbnailClicks, OnlyTheTwoStripWidthsAreSwitchedAndTheSlotsEntryBecomesCurrent)
{
    StartedProgram program(book.dir());
    program.start();
    shell::Mtform1& form = program.form();
    fillStripWithEntries(form);

    // After a list click on a landscape entry the big picture is 4675 wide: a portrait
    // thumbnail leaves that width alone.
    ASSERT_EQ(form.Image8->width(), px(4675));
    click(form.Image[2]);
    EXPECT_EQ(form.Image8->width(), px(4675));
    EXPECT_EQ(form.Data1.bookmark(), tallEntry);
    EXPECT_EQ(form.Text3->toPlainText(), "tall log");

    selectLine(form.ListDB1, 1); // portrait layout of the list: 2400
    ASSERT_EQ(form.Image8->width(), px(2400));
    const int frameWidth = form.Frame3->width();
    click(form.Image[1]);
    EXPECT_EQ(form.Image8->width(), px(4695));
    EXPECT_EQ(form.Image8->picture().file, wide);
    EXPECT_EQ(form.Data1.bookmark(), wideEntry);
    EXPECT_EQ(form.Text3->toPlainText(), "wide log");

    click(form.Image[2]);
    EXPECT_EQ(form.Image8->width(), px(2400));
    click(form.Image[3]); // square: neither shape
    EXPECT_EQ(form.Image8->width(), px(2400));
    EXPECT_EQ(form.Text3->toPlainText(), "square log");
    EXPECT_EQ(form.Frame3->width(), frameWidth); // the frame never follows a thumbnail

    // An empty slot: no size, no entry; the picture goes, the entry and its log stay.
    click(form.Image[4]);
    EXPECT_TRUE(form.Image8->picture().isNull());
    EXPECT_EQ(form.Image8->width(), px(2400));
    EXPECT_EQ(form.Data1.bookmark(), squareEntry);
    EXPECT_EQ(form.Text3->toPlainText(), "square log");
}

TEST_F(ThumbnailClicks, TheBigPictureIsReadFromTheSlotsFileForItsOwnSize)
{
    StartedProgram program(book.dir());
    program.start();
    shell::Mtform1& form = program.form();
    fillStripWithEntries(form);
    selectLine(form.ListDB1, 1);
    click(form.Image[1]);
    // Not the slot's small copy, which would be blurred in the big picture.
    const QSize fitted = QSize(400, 300).scaled(form.Image8->size(), Qt::KeepAspectRatio);
    EXPECT_EQ(form.Image8->picture().image.size(), fitted);
    EXPECT_GT(fitted.width(), form.Image[1]->picture().image.width());
    EXPECT_EQ(form.Image8->picture().file, wide);

    // Gone from disc: the slot's own copy is shown, still with its file and natural size.
    const QSize thumbnailImage = form.Image[1]->picture().image.size();
    ASSERT_TRUE(QFile::remove(wide));
    click(form.Image[2]);
    click(form.Image[1]);
    EXPECT_EQ(form.Image8->picture().image.size(), thumbnailImage);
    EXPECT_EQ(form.Image8->picture().file, wide);
    EXPECT_EQ(form.Image8->picture().naturalSize, QSize(400, 300));
}

TEST_F(ThumbnailClicks, AFolderThumbnailNamesTheEditedPictureAndKeepsTheCurrentEntry)
{
    book.writePicture("trip/a.jpg", {300, 200});
    book.writePicture("trip/b.jpg", {200, 300});
    StartedProgram program(book.dir());
    program.start();
    shell::Mtform1& form = program.form();
    selectLine(form.ListDB1, 2);
    form.Option3->click(); // edit screen
    program.prompts.fileAnswers.enqueue(book.path("trip/a.jpg"));
    form.Command1->click(); // "Thumbnails"
    ASSERT_TRUE(form.folderThumbnails);
    ASSERT_EQ(form.stripBookmarks[2], book.path("trip/b.jpg"));
    form.Text2->clear();

    click(form.Image[2]);
    EXPECT_EQ(form.Text2->text(), book.path("trip/b.jpg"));
    EXPECT_EQ(form.Image8->picture().file, book.path("trip/b.jpg"));
    EXPECT_EQ(form.Data1.bookmark(), squareEntry); // a file name is no bookmark
    EXPECT_EQ(form.Text3->toPlainText(), "square log");

    // Once the strip no longer holds the folder, the picture box is left alone.
    form.folderThumbnails = false;
    click(form.Image[1]);
    EXPECT_EQ(form.Text2->text(), book.path("trip/b.jpg"));
    EXPECT_EQ(form.Image8->picture().file, book.path("trip/a.jpg"));
}

TEST_F(ThumbnailClicks, ADoubleClickOnTheBigPictureOnlyEverShowsAndStretchesIt)
{
    StartedProgram program(book.dir());
    program.start();
    shell::Mtform1& form = program.form();
    form.Image8->setStretch(false);
    // A user's double click: a click, then a second press that is the double click.
    QTest::mouseClick(form.Image8, Qt::LeftButton);
    QTest::mouseDClick(form.Image8, Qt::LeftButton);
    QTest::mouseRelease(form.Image8, Qt::LeftButton);
    EXPECT_TRUE(form.Image8->stretch());
    EXPECT_FALSE(form.Image8->isHidden());
    // The click within the double click has opened the viewer in the main window's place.
    browse::MTForm3* viewer = form.thumbnailClicks().viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(form.isVisible());

    // Moving over the big picture changes nothing.
    const QRect before = form.Image8->geometry();
    QTest::mouseMove(form.Image8, {5, 5});
    EXPECT_EQ(form.Image8->geometry(), before);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(ThumbnailClicks, FolderThumbnailsEndWhenTheStripHoldsEntriesAgain)
{
    book.writePicture("trip/a.jpg", {300, 200});
    book.writePicture("trip/b.jpg", {200, 300});
    StartedProgram program(book.dir());
    program.start();
    shell::Mtform1& form = program.form();
    program.prompts.fileAnswers.enqueue(book.path("trip/a.jpg"));
    form.Command1->click(); // "Thumbnails"
    ASSERT_TRUE(form.folderThumbnails);

    form.Option1->click(); // Main Screen
    selectLine(form.ListDB1, 1);
    form.TimeOn1->click();
    EXPECT_FALSE(form.folderThumbnails);
    EXPECT_TRUE(form.File1->isHidden());
    ASSERT_EQ(form.stripBookmarks[1], wideEntry);
    const QString pictureBox = form.Text2->text();

    click(form.Image[1]);
    EXPECT_EQ(form.Text2->text(), pictureBox) << "an entry's bookmark never becomes a picture name";
    EXPECT_EQ(form.Data1.bookmark(), wideEntry);
    form.Option3->click(); // Edit Screen
    EXPECT_EQ(form.Text2->text(), form.Data1.field("PICTURE").toString());

    // Thumbnails again, then a list click shows an entry: folder mode ends there too.
    form.Option1->click();
    program.prompts.fileAnswers.enqueue(book.path("trip/a.jpg"));
    form.Command1->click();
    ASSERT_TRUE(form.folderThumbnails);
    selectLine(form.ListDB1, 0);
    EXPECT_FALSE(form.folderThumbnails);
}
