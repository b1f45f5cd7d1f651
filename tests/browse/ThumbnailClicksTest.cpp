// Clicks on the thumbnail strip: the big picture's two strip widths, the entry and log that
// follow the slot, and folder thumbnails handing their file name to the edit area.
#include "BrowsingFixture.h"

#include "browse/EnlargedViewer.h"
#include "browse/ThumbnailClicks.h"

#include <QFile>

using namespace wk;
using wk::testing::px;
using wk::testing::selectLine;

namespace {

class ThumbnailClicks : public wk::testing::BrowsingTest {
protected:
    // The strip as the TimeLine switch leaves it: slots 1..3 hold the first three entries.
    void fillStripWithEntries(shell::MainWindow& form)
    {
        const QString files[] = {wide, tall, square};
        for (int k = 1; k <= 7; ++k) {
            form.widgets().stripSlots[k]->show();
            form.widgets().stripSlots[k]->setStretch(true);
            form.widgets().stripSlots[k]->clear();
            form.strip().slot(k).clear();
            if (k <= 3) {
                form.widgets().stripSlots[k]->load(files[k - 1]);
                form.strip().slot(k) = bookmarks[k - 1];
            }
        }
    }

    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
};

} // namespace

TEST_F(ThumbnailClicks, OnlyTheTwoStripWidthsAreSwitchedAndTheBigPictureIsReadFromTheSlotsFile)
{
    shell::MainWindow& form = start();
    const shell::MainWindowWidgets& w = form.widgets();
    fillStripWithEntries(form);

    // After a list click on a landscape entry the big picture is 4675 wide: a portrait
    // thumbnail leaves that width alone.
    ASSERT_EQ(w.bigImage->width(), px(4675));
    click(w.stripSlots[2]);
    EXPECT_EQ(w.bigImage->width(), px(4675));
    EXPECT_EQ(form.entries().bookmark(), bookmarks[1]);
    EXPECT_EQ(w.logEdit->toPlainText(), "tall log");

    selectLine(w.entryList, 1); // portrait layout of the list: 2400
    ASSERT_EQ(w.bigImage->width(), px(2400));
    const int frameWidth = w.bigPictureFrame->width();
    click(w.stripSlots[1]);
    EXPECT_EQ(w.bigImage->width(), px(4695));
    EXPECT_EQ(w.bigImage->picture().file, wide);
    EXPECT_EQ(form.entries().bookmark(), bookmarks[0]);
    EXPECT_EQ(w.logEdit->toPlainText(), "wide log");

    click(w.stripSlots[2]);
    EXPECT_EQ(w.bigImage->width(), px(2400));
    click(w.stripSlots[3]); // square: neither shape
    EXPECT_EQ(w.bigImage->width(), px(2400));
    EXPECT_EQ(w.logEdit->toPlainText(), "square log");
    EXPECT_EQ(w.bigPictureFrame->width(), frameWidth); // the frame never follows a thumbnail

    // An empty slot: no size, no entry; the picture goes, the entry and its log stay.
    click(w.stripSlots[4]);
    EXPECT_TRUE(w.bigImage->picture().isNull());
    EXPECT_EQ(w.bigImage->width(), px(2400));
    EXPECT_EQ(form.entries().bookmark(), bookmarks[2]);
    EXPECT_EQ(w.logEdit->toPlainText(), "square log");

    fillStripWithEntries(form);
    selectLine(w.entryList, 1);
    click(w.stripSlots[1]);
    // Not the slot's small copy, which would be blurred in the big picture.
    const QSize fitted = QSize(400, 300).scaled(w.bigImage->size(), Qt::KeepAspectRatio);
    EXPECT_EQ(w.bigImage->picture().image.size(), fitted);
    EXPECT_GT(fitted.width(), w.stripSlots[1]->picture().image.width());

    // Gone from disc: the slot's own copy is shown, still with its file and natural size.
    const QSize thumbnailImage = w.stripSlots[1]->picture().image.size();
    ASSERT_TRUE(QFile::remove(wide));
    click(w.stripSlots[2]);
    click(w.stripSlots[1]);
    EXPECT_EQ(w.bigImage->picture().image.size(), thumbnailImage);
    EXPECT_EQ(w.bigImage->picture().file, wide);
    EXPECT_EQ(w.bigImage->picture().naturalSize, QSize(400, 300));
}

TEST_F(ThumbnailClicks, AFolderThumbnailNamesTheEditedPictureUntilTheStripHoldsEntriesAgain)
{
    book.writePicture("trip/a.jpg", {300, 200});
    book.writePicture("trip/b.jpg", {200, 300});
    shell::MainWindow& form = start();
    const shell::MainWindowWidgets& w = form.widgets();
    selectLine(w.entryList, 2);
    w.editScreenButton->click(); // edit screen
    prompts().fileAnswers.enqueue(book.path("trip/a.jpg"));
    w.thumbnailsButton->click(); // "Thumbnails"
    ASSERT_TRUE(form.strip().showsFolder());
    ASSERT_EQ(form.strip().slot(2), book.path("trip/b.jpg"));
    w.pictureEdit->clear();

    click(w.stripSlots[2]);
    EXPECT_EQ(w.pictureEdit->text(), book.path("trip/b.jpg"));
    EXPECT_EQ(w.bigImage->picture().file, book.path("trip/b.jpg"));
    EXPECT_EQ(form.entries().bookmark(), bookmarks[2]); // a file name is no bookmark
    EXPECT_EQ(w.logEdit->toPlainText(), "square log");

    // Once the strip no longer holds the folder, the picture box is left alone.
    form.strip().setShowsFolder(false);
    click(w.stripSlots[1]);
    EXPECT_EQ(w.pictureEdit->text(), book.path("trip/b.jpg"));
    EXPECT_EQ(w.bigImage->picture().file, book.path("trip/a.jpg"));

    // Folder thumbnails end when the strip holds entries again.
    prompts().fileAnswers.enqueue(book.path("trip/a.jpg"));
    w.thumbnailsButton->click();
    ASSERT_TRUE(form.strip().showsFolder());
    w.mainScreenButton->click(); // Main Screen
    selectLine(w.entryList, 1);
    w.timelineButton->click();
    EXPECT_FALSE(form.strip().showsFolder());
    ASSERT_EQ(form.strip().slot(1), bookmarks[0]);
    const QString pictureBox = w.pictureEdit->text();

    click(w.stripSlots[1]);
    EXPECT_EQ(w.pictureEdit->text(), pictureBox) << "an entry's bookmark never becomes a picture name";
    EXPECT_EQ(form.entries().bookmark(), bookmarks[0]);
    w.editScreenButton->click(); // Edit Screen
    EXPECT_EQ(w.pictureEdit->text(), form.entries().field("PICTURE").toString());

    // Thumbnails again, then a list click shows an entry: folder mode ends there too.
    w.mainScreenButton->click();
    prompts().fileAnswers.enqueue(book.path("trip/a.jpg"));
    w.thumbnailsButton->click();
    ASSERT_TRUE(form.strip().showsFolder());
    selectLine(w.entryList, 0);
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
    // The click within the double click has opened the viewer in the main window's place.
    browse::EnlargedViewer* viewer = form.thumbnailClicks().viewer();
    ASSERT_TRUE(viewer && viewer->isVisible());
    EXPECT_FALSE(form.isVisible());

    // Moving over the big picture changes nothing.
    const QRect before = form.widgets().bigImage->geometry();
    QTest::mouseMove(form.widgets().bigImage, {5, 5});
    EXPECT_EQ(form.widgets().bigImage->geometry(), before);
    EXPECT_TRUE(viewer->isVisible());
}
