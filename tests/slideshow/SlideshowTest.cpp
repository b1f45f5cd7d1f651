// The slideshow over the entry list, driven with the keys a family uses on the sofa.
#include "BrowsingFixture.h"
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

class Slideshow : public wk::testing::BrowsingTest {
protected:
    void SetUp() override
    {
        shell::userSettings().remove(QStringLiteral("slideshow/seconds"));
        BrowsingTest::SetUp();
    }

    static SlideshowWindow* shown()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* slideshow = qobject_cast<SlideshowWindow*>(window); slideshow && slideshow->isVisible())
                return slideshow;
        return nullptr;
    }

    // Starts the show on list line `line` of All Pictures with the Slideshow button (else F5) and
    // waits for its first slide.
    SlideshowWindow* startShow(int line, bool withF5 = false)
    {
        widgets().entryList->setCurrentRow(line);
        if (withF5) {
            form().activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form()));
            QTest::keyClick(widgets().entryList, Qt::Key_F5);
        } else {
            widgets().slideshowButton->click();
        }
        SlideshowWindow* slideshow = shown();
        EXPECT_TRUE(slideshow && QSignalSpy(slideshow, &SlideshowWindow::slideShown).wait(5000));
        return slideshow;
    }
};

} // namespace

TEST_F(Slideshow, PlaysTheFilteredListFromTheEntryOnScreenAndEndsOnTheEntryLastShown)
{
    start();
    widgets().categoryButtons[1]->click();
    ASSERT_EQ(listLines(widgets().entryList), QStringList({"Wide", "Tall", "Square"}));
    SlideshowWindow* slideshow = startShow(1, true);
    ASSERT_TRUE(slideshow);
    EXPECT_TRUE(slideshow->isFullScreen());
    EXPECT_EQ(slideshow->caption()->text(), "Tall\nJanuary 2, 2000");
    EXPECT_TRUE(slideshow->caption()->isVisible());
    EXPECT_EQ(slideshow->picture()->picture().file, tall);
    QTRY_VERIFY_WITH_TIMEOUT(slideshow->caption()->isHidden(), 3000); // after its two seconds

    // Each key, and the line it leaves the show on.
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Right, 2}, {Qt::Key_Right, 0}, // after the last, the first again
        {Qt::Key_Left, 2},  {Qt::Key_Home, 0},  {Qt::Key_End, 2}, {Qt::Key_Left, 1},
    };
    for (const auto& [key, line] : keys) {
        QTest::keyClick(slideshow, key);
        EXPECT_EQ(slideshow->line(), line) << QKeySequence(key).toString().toStdString();
    }
    QTest::keyClick(slideshow, Qt::Key_Space);
    EXPECT_TRUE(slideshow->paused());
    QTest::keyClick(slideshow, Qt::Key_Space);
    EXPECT_FALSE(slideshow->paused());

    // Up and Down set the seconds a picture, remembered for the next show.
    EXPECT_EQ(slideshow->seconds(), 5);
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(slideshow, key);
    EXPECT_EQ(shell::userSettings().value("slideshow/seconds").toInt(), 6);
    EXPECT_EQ(slideshow->caption()->text(), "6 seconds a picture");

    QPointer<SlideshowWindow> closing(slideshow);
    QTest::keyClick(slideshow, Qt::Key_Escape);
    QTRY_VERIFY(closing.isNull());
    EXPECT_EQ(widgets().entryList->currentRow(), 1); // the Main Screen shows Tall
    EXPECT_EQ(widgets().bigImage->picture().file, tall);
}

TEST_F(Slideshow, WhatCannotBeShownShowsItsNoticeAndTheShowGoesOn)
{
    shell::userSettings().setValue(QStringLiteral("slideshow/seconds"), 1);
    start();
    widgets().allPicturesButton->click();
    SlideshowWindow* slideshow = startShow(5);
    ASSERT_TRUE(slideshow);
    QStringList notices{slideshow->picture()->noticeTitle()};
    QSignalSpy shown(slideshow, &SlideshowWindow::slideShown);
    for (int k = 0; k < 3; ++k) { // on its own, a second each
        ASSERT_TRUE(shown.wait(3000));
        notices << slideshow->picture()->noticeTitle();
    }
    EXPECT_EQ(notices, QStringList({"No picture", "Picture not found", "Picture cannot be shown", ""}));
    EXPECT_EQ(slideshow->line(), 0);
    QTest::keyClick(slideshow, Qt::Key_Escape);
}

TEST_F(Slideshow, AVideoPlaysToItsEndAndOneThatCannotPlayShowsItsNoticeForTheUsualTime)
{
    if (VideoClips::ffmpegMissing())
        GTEST_SKIP() << "ffmpeg is not installed";
    VideoClips clips;
    const QString video = clips.h264("swim.mp4", "blue", "160x120", "2");
    const QByteArray whole = VideoClips::contentsOf(video);
    book.addEntry({QDate(2001, 2, 10), "Swim", "4 Trips", QString("Ann"), video});
    book.addEntry({QDate(2001, 2, 20), "Dive", "4 Trips", QString("Ann"),
                   clips.write("dive.mp4", whole.left(whole.size() / 3))});
    start();
    widgets().allPicturesButton->click();
    SlideshowWindow* slideshow = startShow(8);
    ASSERT_TRUE(slideshow);
    slideshow->setIntervalMs(300); // far shorter than the video: it must not cut it
    controls::VideoPlayer* player = slideshow->videoPlayer();
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(player->isPlaying(), 5000);
    EXPECT_TRUE(player->isVisible());
    // Space pauses the video with the show, and goes on with both.
    QTest::keyClick(slideshow, Qt::Key_Space);
    EXPECT_FALSE(player->isPlaying());
    QTest::qWait(400);
    QTest::keyClick(slideshow, Qt::Key_Space);
    EXPECT_TRUE(player->isPlaying());

    QSignalSpy shown(slideshow, &SlideshowWindow::slideShown);
    ASSERT_TRUE(shown.wait(6000));
    EXPECT_EQ(slideshow->line(), 9);
    EXPECT_GE(clock.elapsed(), 2000); // the whole video, and the pause
    // The damaged copy's notice stands for the usual time, then the show goes on.
    EXPECT_EQ(slideshow->picture()->noticeTitle(), "Picture cannot be shown");
    EXPECT_TRUE(player->isHidden());
    clock.restart();
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(slideshow->line(), 0);
    QTest::keyClick(slideshow, Qt::Key_Escape);
}

TEST_F(Slideshow, OnlyStepsTakenOnTheirOwnHaveALatencyAndAnEmptyListIsTold)
{
    start();
    widgets().allPicturesButton->click();
    SlideshowWindow* slideshow = startShow(0);
    ASSERT_TRUE(slideshow);
    EXPECT_EQ(slideshow->lastLatencyUs(), -1); // the first slide was not stepped to

    // What a handler of each slide reads: a key's step keeps the figure, the timer's sets it.
    std::vector<qint64> read;
    QObject::connect(slideshow, &SlideshowWindow::slideShown, slideshow,
                     [&](int) { read.push_back(slideshow->lastLatencyUs()); });
    QTest::keyClick(slideshow, Qt::Key_Right);
    slideshow->setIntervalMs(20);
    ASSERT_TRUE(QSignalSpy(slideshow, &SlideshowWindow::slideShown).wait(3000));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], -1);
    EXPECT_GE(read[1], 0);
    EXPECT_EQ(read[1], slideshow->lastLatencyUs());
    QTest::keyClick(slideshow, Qt::Key_Escape);

    // An empty list is told, and nothing shows.
    widgets().searchBox->setText("nothing-like-this");
    QTest::keyClick(widgets().searchBox, Qt::Key_Return);
    QTRY_VERIFY(widgets().entryList->placeholderText() == "No entry has these words");
    widgets().slideshowButton->click();
    EXPECT_EQ(prompts().toldTexts(), QStringList({"The list has no entries to show."}));
    EXPECT_EQ(shown(), nullptr);
}
