// Clicks on the thumbnail strip: the big picture's two strip widths, the entry and log that
// follow the slot, and folder thumbnails handing their file name to the edit area.
#include "ProgramTest.h"

#include "browse/EnlargedViewer.h"
#include "browse/ThumbnailClicks.h"
#include "controls/FolderFiles.h"
#include "controls/Twips.h"

#include <QFile>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::px;
using wk::testing::selectLine;

namespace {

class ThumbnailClicks : public wk::testing::ProgramTest {
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
    void fillStripWithEntries(shell::MainWindow& form)
    {
        const QString files[] = {wide, tall, square};
        const QString marks[] = {wideEntry, tallEntry, squareEntry};
        for (int k = 1; k <= 7; ++k) {
            form.widgets().stripSlots[k]->show();
            form.widgets().stripSlots[k]->setStretch(true);
            form.widgets().stripSlots[k]->clear();
            form.strip().slot(k).clear();
            if (k <= 3) {
                form.widgets().stripSlots[k]->load(files[k - 1]);
                form.strip().slot(k) = marks[k - 1];
            }
        }
    }

    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    QString wide, tall, square;
    QString wideEntry, tallEntry, squareEntry;
};

} // namespace

TEST_F(ThumbnailClicks, OnlyTheTwoStripWidthsAreSwitchedAndTheBigPictureIsReadFromTheSlotsFile)
{
    shell::MainWindow& form = start();
    fillStripWithEntries(form);

    // After a list click on a landscape entry the big picture is 4675 wide: a portrait
    // thumbnail leaves that width alone.
    ASSERT_EQ(form.widgets().bigImage->width(), px(4675));
    click(form.widgets().stripSlots[2]);
    EXPECT_EQ(form.widgets().bigImage->width(), px(4675));
    EXPECT_EQ(form.entries().bookmark(), tallEntry);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "tall log");

    selectLine(form.widgets().entryList, 1); // portrait layout of the list: 2400
    ASSERT_EQ(form.widgets().bigImage->width(), px(2400));
    const int frameWidth = form.widgets().bigPictureFrame->width();
    click(form.widgets().stripSlots[1]);
    EXPECT_EQ(form.widgets().bigImage->width(), px(4695));
    EXPECT_EQ(form.widgets().bigImage->picture().file, wide);
    EXPECT_EQ(form.entries().bookmark(), wideEntry);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "wide log");

    click(form.widgets().stripSlots[2]);
    EXPECT_EQ(form.widgets().bigImage->width(), px(2400));
    click(form.widgets().stripSlots[3]); // square: neither shape
    EXPECT_EQ(form.widgets().bigImage->width(), px(2400));
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "square log");
    EXPECT_EQ(form.widgets().bigPictureFrame->width(), frameWidth); // the frame never follows a thumbnail

    // An empty slot: no size, no entry; the picture goes, the entry and its log stay.
    click(form.widgets().stripSlots[4]);
    EXPECT_TRUE(form.widgets().bigImage->picture().isNull());
    EXPECT_EQ(form.widgets().bigImage->width(), px(2400));
    EXPECT_EQ(form.entries().bookmark(), squareEntry);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "square log");

    fillStripWithEntries(form);
    selectLine(form.widgets().entryList, 1);
    click(form.widgets().stripSlots[1]);
    // Not the slot's small copy, which would be blurred in the big picture.
    const QSize fitted = QSize(400, 300).scaled(form.widgets().bigImage->size(), Qt::KeepAspectRatio);
    EXPECT_EQ(form.widgets().bigImage->picture().image.size(), fitted);
    EXPECT_GT(fitted.width(), form.widgets().stripSlots[1]->picture().image.width());
    EXPECT_EQ(form.widgets().bigImage->picture().file, wide);

    // Gone from disc: the slot's own copy is shown, still with its file and natural size.
    const QSize thumbnailImage = form.widgets().stripSlots[1]->picture().image.size();
    ASSERT_TRUE(QFile::remove(wide));
    click(form.widgets().stripSlots[2]);
    click(form.widgets().stripSlots[1]);
    EXPECT_EQ(form.widgets().bigImage->picture().image.size(), thumbnailImage);
    EXPECT_EQ(form.widgets().bigImage->picture().file, wide);
    EXPECT_EQ(form.widgets().bigImage->picture().naturalSize, QSize(400, 300));
}

TEST_F(ThumbnailClicks, AFolderThumbnailNamesTheEditedPictureUntilTheStripHoldsEntriesAgain)
{
    book.writePicture("trip/a.jpg", {300, 200});
    book.writePicture("trip/b.jpg", {200, 300});
    shell::MainWindow& form = start();
    selectLine(form.widgets().entryList, 2);
    form.widgets().editScreenButton->click(); // edit screen
    prompts().fileAnswers.enqueue(book.path("trip/a.jpg"));
    form.widgets().thumbnailsButton->click(); // "Thumbnails"
    ASSERT_TRUE(form.strip().showsFolder());
    ASSERT_EQ(form.strip().slot(2), book.path("trip/b.jpg"));
    form.widgets().pictureEdit->clear();

    click(form.widgets().stripSlots[2]);
    EXPECT_EQ(form.widgets().pictureEdit->text(), book.path("trip/b.jpg"));
    EXPECT_EQ(form.widgets().bigImage->picture().file, book.path("trip/b.jpg"));
    EXPECT_EQ(form.entries().bookmark(), squareEntry); // a file name is no bookmark
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "square log");

    // Once the strip no longer holds the folder, the picture box is left alone.
    form.strip().setShowsFolder(false);
    click(form.widgets().stripSlots[1]);
    EXPECT_EQ(form.widgets().pictureEdit->text(), book.path("trip/b.jpg"));
    EXPECT_EQ(form.widgets().bigImage->picture().file, book.path("trip/a.jpg"));

    // Folder thumbnails end when the strip holds entries again.
    prompts().fileAnswers.enqueue(book.path("trip/a.jpg"));
    form.widgets().thumbnailsButton->click();
    ASSERT_TRUE(form.strip().showsFolder());
    form.widgets().mainScreenButton->click(); // Main Screen
    selectLine(form.widgets().entryList, 1);
    form.widgets().timelineButton->click();
    EXPECT_FALSE(form.strip().showsFolder());
    ASSERT_EQ(form.strip().slot(1), wideEntry);
    const QString pictureBox = form.widgets().pictureEdit->text();

    click(form.widgets().stripSlots[1]);
    EXPECT_EQ(form.widgets().pictureEdit->text(), pictureBox)
        << "an entry's bookmark never becomes a picture name";
    EXPECT_EQ(form.entries().bookmark(), wideEntry);
    form.widgets().editScreenButton->click(); // Edit Screen
    EXPECT_EQ(form.widgets().pictureEdit->text(), form.entries().field("PICTURE").toString());

    // Thumbnails again, then a list click shows an entry: folder mode ends there too.
    form.widgets().mainScreenButton->click();
    prompts().fileAnswers.enqueue(book.path("trip/a.jpg"));
    form.widgets().thumbnailsButton->click();
    ASSERT_TRUE(form.strip().showsFolder());
    selectLine(form.widgets().entryList, 0);
    EXPECT_FALSE(form.strip().showsFolder());
}

TEST_F(ThumbnailClicks, ADoubleClickOnTheBigPictureOnlyEverShowsAndStretchesIt)
{
    shell::MainWindow& form = start();
    form.widgets().bigImage->setStretch(false);
    // A user's double click: a click, then a second press that is the double click.
    QTest::mouseClick(form.widgets().bigImage, Qt::LeftButton);
    QTest::mouseDClick(form.widgets().bigImage, Qt::LeftButton);
    QTest::mouseRelease(form.widgets().bigImage, Qt::LeftButton);
    EXPECT_TRUE(form.widgets().bigImage->stretch());
    EXPECT_FALSE(form.widgets().bigImage->isHidden());
    // The click within the double click has opened the viewer in the main window's place.
    browse::EnlargedViewer* viewer = form.thumbnailClicks().viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(form.isVisible());

    // Moving over the big picture changes nothing.
    const QRect before = form.widgets().bigImage->geometry();
    QTest::mouseMove(form.widgets().bigImage, {5, 5});
    EXPECT_EQ(form.widgets().bigImage->geometry(), before);
    EXPECT_TRUE(viewer->isVisible());
}
