// Videos played offscreen through Qt Multimedia's FFmpeg backend, without an audio device as on a
// build machine; and files that cannot be played, which must end in the notice, never a hang.
#include "controls/ImageControl.h"
#include "controls/VideoPlayer.h"
#include "VideoClips.h"

#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/cpu.h>
}

using wk::controls::VideoPlayer;
using wk::testing::VideoClips;

namespace {

class PlayingVideos : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (VideoClips::ffmpegMissing())
            GTEST_SKIP() << "ffmpeg is not installed";
        player.resize(320, 280);
        player.show();
    }

    void press(Qt::Key key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&player, &event);
    }

    VideoClips clips;
    VideoPlayer player;
};

} // namespace

TEST_F(PlayingVideos, PlaysPausesJumpsAndReachesTheEnd)
{
    // The poster stands until the first frame, which then shows: the clip is red.
    QImage poster(32, 24, QImage::Format_RGB32);
    poster.fill(Qt::blue);
    player.play(clips.h264("twelve.mp4", "red", "320x240", "12"), poster);
    const auto middle = [&] {
        QWidget* screen = player.findChild<QWidget*>("VideoScreen");
        return screen->grab().toImage().pixelColor(screen->rect().center());
    };
    EXPECT_EQ(middle(), QColor(Qt::blue));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return player.isPlaying() && player.positionMs() > 0 && middle().red() > 200; }, 10000))
        << player.failure().toStdString();
    EXPECT_TRUE(player.failure().isEmpty());
    EXPECT_NEAR(double(player.lengthMs()), 12000.0, 200.0);

    press(Qt::Key_Space);
    EXPECT_FALSE(player.isPlaying());
    const qint64 paused = player.positionMs();
    QTest::qWait(300);
    EXPECT_EQ(player.positionMs(), paused);

    press(Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.positionMs() >= paused + 4900; }, 10000));
    press(Qt::Key_Left);
    press(Qt::Key_Left); // never before the start
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.positionMs() < 200; }, 10000));
    press(Qt::Key_Space);
    EXPECT_TRUE(player.isPlaying());

    // A short clip plays to its end and says so.
    QSignalSpy finished(&player, &VideoPlayer::finished);
    player.play(clips.h264("short.mp4"));
    EXPECT_TRUE(finished.wait(10000));
    EXPECT_FALSE(player.isPlaying());
}

TEST_F(PlayingVideos, WhatCannotBePlayedShowsItsNoticeWithoutStoppingTheWindow)
{
    for (const auto& broken : clips.broken()) {
        SCOPED_TRACE(broken.path.toStdString());
        QSignalSpy failed(&player, &VideoPlayer::failed);
        player.play(broken.path);
        ASSERT_TRUE(failed.count() == 1 || failed.wait(10000));
        EXPECT_FALSE(player.failure().isEmpty());
        auto* notice = player.findChild<wk::controls::ImageControl*>("VideoNotice");
        ASSERT_TRUE(notice && notice->isVisible());
        EXPECT_EQ(notice->noticeTitle(), "Picture cannot be shown");
        EXPECT_FALSE(player.isPlaying());
    }

    // A file that disappears while it plays: the window keeps answering, and the video either
    // plays on from what is open or ends in the notice.
    const QString going = clips.h264("going.mp4", "red", "320x240", "3");
    QSignalSpy over(&player, &VideoPlayer::finished);
    QSignalSpy failed(&player, &VideoPlayer::failed);
    player.play(going);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.positionMs() > 0; }, 10000));
    ASSERT_TRUE(QFile::remove(going));
    bool answered = false;
    QTimer::singleShot(50, [&] { answered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered && (over.count() > 0 || failed.count() > 0); }, 10000));
}

// FFmpeg's thread count is the whole program's: a video larger than 1080p plays on one decoding
// thread, and every player that stops or goes gives the count back, or every later poster decodes
// on one core.
TEST_F(PlayingVideos, ALargeVideoIsDecodedOnOneThreadOnlyWhileItPlays)
{
    const int cores = av_cpu_count();
    const QString large = clips.h264("large.mp4", "green", "2560x1440", "1");
    player.play(large);
    EXPECT_EQ(av_cpu_count(), 1);
    {
        VideoPlayer second;
        second.play(large);
        player.play(clips.h264("small.mp4"));
        EXPECT_EQ(av_cpu_count(), 1); // the second still plays a large one
    }
    EXPECT_EQ(av_cpu_count(), cores);
    player.play(large);
    player.stop();
    EXPECT_EQ(av_cpu_count(), cores);
}
