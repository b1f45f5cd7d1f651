// The slideshow over the entry list, driven with the keys a family uses on the sofa.
#include "ProgramTest.h"
#include "VideoClips.h"

#include "controls/LineList.h"
#include "controls/VideoPlayer.h"
#include "shell/UserSettings.h"
#include "slideshow/SlideshowWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

using namespace wk;
using slideshow::SlideshowWindow;
using wk::testing::listLines;
using wk::testing::VideoClips;

namespace {

class Slideshow : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        shell::userSettings().remove(QStringLiteral("slideshow/seconds"));
        book.addEntry({QDate(2001, 1, 1), "Snowman", "4 Trips", QString("Ann"),
                       book.writePicture("snow.jpg", {64, 48})});
        book.addEntry(
            {QDate(2001, 2, 1), "Kite", "4 Trips", QString("Ann"), book.writePicture("kite.bmp", {48, 64})});
        book.addEntry({QDate(2001, 3, 1), "Party", "1 Events", QString("Ann"),
                       book.writePicture("party.jpg", {64, 64})});
        book.addEntry({QDate(2001, 4, 1), "Beach", "4 Trips", QString("Ann"),
                       book.writePicture("beach.jpg", {64, 48})});
    }

    static SlideshowWindow* show()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* slideshow = qobject_cast<SlideshowWindow*>(window); slideshow && slideshow->isVisible())
                return slideshow;
        return nullptr;
    }

    // Starts the show with F5 (else the Slideshow button) and waits for its first slide.
    SlideshowWindow* startShow(bool withF5)
    {
        if (withF5) {
            form().activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form()));
            QTest::keyClick(widgets().entryList, Qt::Key_F5);
        } else {
            widgets().slideshowButton->click();
        }
        SlideshowWindow* slideshow = show();
        if (!slideshow)
            return nullptr;
        QSignalSpy shown(slideshow, &SlideshowWindow::slideShown);
        EXPECT_TRUE(shown.wait(5000));
        return slideshow;
    }

    static void press(SlideshowWindow* slideshow, Qt::Key key) { QTest::keyClick(slideshow, key); }
};

} // namespace

TEST_F(Slideshow, PlaysTheFilteredListFromTheEntryOnScreenAndEndsOnTheEntryLastShown)
{
    start();
    widgets().categoryButtons[4]->click(); // Trips: Snowman, Kite, Beach
    ASSERT_EQ(listLines(widgets().entryList), QStringList({"Snowman", "Kite", "Beach"}));
    widgets().entryList->setCurrentRow(1);

    SlideshowWindow* slideshow = startShow(true);
    ASSERT_TRUE(slideshow);
    EXPECT_TRUE(slideshow->isFullScreen());
    EXPECT_EQ(slideshow->line(), 1);
    EXPECT_EQ(slideshow->caption()->text(), "Kite\nFebruary 1, 2001");
    EXPECT_TRUE(slideshow->caption()->isVisible());
    EXPECT_EQ(slideshow->picture()->picture().file, book.path("kite.bmp"));
    QTRY_VERIFY_WITH_TIMEOUT(slideshow->caption()->isHidden(), 3000); // after its two seconds

    // Each key, and the line it leaves the show on.
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Right, 2}, {Qt::Key_Right, 0}, // after the last, the first again
        {Qt::Key_Left, 2},  {Qt::Key_Home, 0},  {Qt::Key_End, 2}, {Qt::Key_Left, 1},
    };
    for (const auto& [key, line] : keys) {
        press(slideshow, key);
        EXPECT_EQ(slideshow->line(), line) << QKeySequence(key).toString().toStdString();
    }
    press(slideshow, Qt::Key_Space);
    EXPECT_TRUE(slideshow->paused());
    press(slideshow, Qt::Key_Space);
    EXPECT_FALSE(slideshow->paused());

    // Up and Down set the seconds a picture, remembered for the next show.
    EXPECT_EQ(slideshow->seconds(), 5);
    press(slideshow, Qt::Key_Up);
    press(slideshow, Qt::Key_Up);
    press(slideshow, Qt::Key_Down);
    EXPECT_EQ(shell::userSettings().value("slideshow/seconds").toInt(), 6);
    EXPECT_EQ(slideshow->caption()->text(), "6 seconds a picture");

    QPointer<SlideshowWindow> closing(slideshow);
    press(slideshow, Qt::Key_Escape);
    QTRY_VERIFY(closing.isNull());
    EXPECT_EQ(widgets().entryList->currentRow(), 1); // the Main Screen shows Kite
    EXPECT_EQ(widgets().bigImage->picture().file, book.path("kite.bmp"));
}

TEST_F(Slideshow, AMissingOrBrokenPictureShowsItsNoticeAndTheShowGoesOn)
{
    shell::userSettings().setValue(QStringLiteral("slideshow/seconds"), 1);
    QFile::remove(book.path("kite.bmp"));
    QFile broken(book.path("party.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("\xFF\xD8\xFF not really a picture");
    broken.close();
    start();
    widgets().allPicturesButton->click(); // Snowman, Kite, Party, Beach
    widgets().entryList->setCurrentRow(0);

    SlideshowWindow* slideshow = startShow(false);
    ASSERT_TRUE(slideshow);
    QSignalSpy shown(slideshow, &SlideshowWindow::slideShown);
    QStringList notices;
    for (int k = 0; k < 3; ++k) { // on its own, a second each
        ASSERT_TRUE(shown.wait(3000));
        notices << slideshow->picture()->noticeTitle();
    }
    EXPECT_EQ(notices, QStringList({"Picture not found", "Picture cannot be shown", ""}));
    EXPECT_EQ(slideshow->line(), 3);
    press(slideshow, Qt::Key_Escape);
}

TEST_F(Slideshow, AVideoPlaysToItsEndAndOneThatCannotPlayShowsItsNoticeForTheUsualTime)
{
    if (VideoClips::ffmpegMissing())
        GTEST_SKIP() << "ffmpeg is not installed";
    VideoClips clips;
    const QString video =
        clips.make("swim.mp4", VideoClips::colour("blue", "160x120", "2") + QStringList{"-c:v", "libx264"});
    const QByteArray whole = VideoClips::contentsOf(video);
    book.addEntry({QDate(2001, 2, 10), "Swim", "4 Trips", QString("Ann"), video});
    book.addEntry({QDate(2001, 2, 20), "Dive", "4 Trips", QString("Ann"),
                   clips.write("dive.mp4", whole.left(whole.size() / 3))});
    start();
    widgets().allPicturesButton->click(); // Snowman, Kite, Swim, Dive, Party, Beach
    widgets().entryList->setCurrentRow(2);

    SlideshowWindow* slideshow = startShow(false);
    ASSERT_TRUE(slideshow);
    slideshow->setIntervalMs(300); // far shorter than the video: it must not cut it
    controls::VideoPlayer* player = slideshow->videoPlayer();
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(player->isPlaying(), 5000);
    EXPECT_TRUE(player->isVisible());
    // Space pauses the video with the show, and goes on with both.
    press(slideshow, Qt::Key_Space);
    EXPECT_FALSE(player->isPlaying());
    QTest::qWait(400);
    press(slideshow, Qt::Key_Space);
    EXPECT_TRUE(player->isPlaying());

    QSignalSpy shown(slideshow, &SlideshowWindow::slideShown);
    ASSERT_TRUE(shown.wait(6000));
    EXPECT_EQ(slideshow->line(), 3);
    EXPECT_GE(clock.elapsed(), 2000); // the whole video, and the pause
    // The damaged copy's notice stands for the usual time, then the show goes on.
    EXPECT_EQ(slideshow->picture()->noticeTitle(), "Picture cannot be shown");
    EXPECT_TRUE(player->isHidden());
    clock.restart();
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(slideshow->line(), 4);
    press(slideshow, Qt::Key_Escape);
}

TEST_F(Slideshow, OnlyStepsTakenOnTheirOwnHaveALatencyAndASlideShownHandlerReadsItsOwn)
{
    start();
    widgets().allPicturesButton->click();
    widgets().entryList->setCurrentRow(0);
    SlideshowWindow* slideshow = startShow(false);
    ASSERT_TRUE(slideshow);
    EXPECT_EQ(slideshow->lastLatencyUs(), -1); // the first slide was not stepped to

    // What a handler of each slide reads: a key's step keeps the figure, the timer's sets it.
    std::vector<qint64> read;
    QObject::connect(slideshow, &SlideshowWindow::slideShown, slideshow,
                     [&](int) { read.push_back(slideshow->lastLatencyUs()); });
    press(slideshow, Qt::Key_Right);
    slideshow->setIntervalMs(20);
    QSignalSpy shown(slideshow, &SlideshowWindow::slideShown);
    ASSERT_TRUE(shown.wait(3000));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], -1);
    EXPECT_GE(read[1], 0);
    EXPECT_EQ(read[1], slideshow->lastLatencyUs());
    press(slideshow, Qt::Key_Escape);
}

TEST_F(Slideshow, AnEmptyListIsToldAndNothingShows)
{
    start();
    widgets().searchBox->setText("nothing-like-this");
    QTest::keyClick(widgets().searchBox, Qt::Key_Return);
    QTRY_VERIFY(widgets().entryList->placeholderText() == "No entry has these words");
    widgets().slideshowButton->click();
    EXPECT_EQ(prompts().toldTexts(), QStringList({"The list has no entries to show."}));
    EXPECT_EQ(show(), nullptr);
}
