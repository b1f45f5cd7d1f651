// Showing entries from the entry list: layouts, picture names as other systems write them, the
// notices for what cannot be shown, and Delete.
#include "BrowsingFixture.h"

#include "browse/EntryList.h"

#include <QDir>
#include <QFile>

using namespace wk;
using wk::testing::px;
using wk::testing::selectLine;
using Browsing = wk::testing::BrowsingTest;

TEST_F(Browsing, ListClicksShowEachPictureInItsLayoutThroughTheDiscOrSayWhyNotAndDeleteAsks)
{
    const shell::MainWindowWidgets& w = start().widgets();
    controls::ImageControl* big = w.bigImage;
    EXPECT_EQ(big->width(), px(4675));
    EXPECT_EQ(w.bigPictureFrame->width(), px(4925));

    selectLine(w.entryList, 1);
    EXPECT_EQ(big->picture().file, tall);
    EXPECT_EQ(big->width(), px(2400));
    EXPECT_EQ(w.bigPictureFrame->width(), px(2650));
    selectLine(w.entryList, 2);
    EXPECT_EQ(big->width(), px(2400)); // a square picture keeps the portrait layout
    EXPECT_EQ(w.entryNameLabel->text(), "Dad");

    EXPECT_EQ(form().pictureRoot().text(), book.path("disc"));
    selectLine(w.entryList, 3); // "%\bmp\far.jpg", written on another system
    EXPECT_EQ(big->picture().file, book.path("disc/bmp/far.jpg"));
    EXPECT_EQ(w.entryNameLabel->text(), ""); // null name
    selectLine(w.entryList, 4);              // no picture name
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(w.logEdit->toPlainText(), ""); // null log
    selectLine(w.entryList, 5);              // a null title is an empty line of its own
    EXPECT_EQ(w.entryList->lineText(5), "");
    EXPECT_EQ(w.logEdit->toPlainText(), "untitled");

    // A picture that cannot be shown says why instead of showing another entry's picture.
    selectLine(w.entryList, 0);
    selectLine(w.entryList, 7);
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(big->noticeTitle(), "Picture cannot be shown");
    EXPECT_EQ(big->width(), px(2400)); // an unreadable size sets portrait
    selectLine(w.entryList, 6);
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(big->noticeTitle(), "Picture not found");
    EXPECT_FALSE(big->grab().toImage().isNull());
    ASSERT_TRUE(QDir(book.path("disc")).rename(book.path("disc"), book.path("disc-away")));
    selectLine(w.entryList, 3);
    EXPECT_TRUE(big->picture().isNull());
    EXPECT_EQ(big->noticeTitle(),
              "Picture disc not inserted: " + QDir::toNativeSeparators(book.path("disc")));
    selectLine(w.entryList, 0); // a picture that shows ends the notice
    EXPECT_EQ(big->picture().file, wide);
    EXPECT_EQ(big->noticeTitle(), "");

    // Delete asks, No by default; the picture file is never touched.
    selectLine(w.entryList, 1);
    QTest::keyClick(w.entryList, Qt::Key_Delete); // answered No
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text, "Delete this File?");
    EXPECT_TRUE(prompts().asked[0].defaultNo);
    EXPECT_EQ(w.entryList->count(), 8);
    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(w.entryList, Qt::Key_Delete);
    EXPECT_EQ(w.entryList->count(), 7);
    EXPECT_EQ(w.entryList->lineText(1), "Square");
    EXPECT_EQ(w.entryList->currentRow(), -1);
    EXPECT_EQ(form().lineBookmarks().size(), 7);
    EXPECT_TRUE(QFile::exists(tall));
    QTest::keyClick(w.entryList, Qt::Key_Delete); // nothing selected: not even asked
    EXPECT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(w.entryList->count(), 7);
}
