// A video entry in the main window: its poster frame stands in the big picture, and a click on it
// plays the video in a window that takes the main window's place until Esc.
#include "ProgramTest.h"
#include "VideoClips.h"

#include "browse/ThumbnailClicks.h"
#include "browse/VideoViewer.h"
#include "controls/VideoPlayer.h"

#include <QElapsedTimer>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::VideoClips;

namespace {

class VideoEntry : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        if (VideoClips::ffmpegMissing())
            GTEST_SKIP() << "ffmpeg is not installed";
        const QString video = clips.make("beach.mp4", VideoClips::colour("red", "320x240", "4") +
                                                          QStringList{"-c:v", "libx264"});
        book.addEntry({QDate(2021, 7, 9), "Beach", "1 Events", {}, video});
        book.addEntry(
            {QDate(2021, 7, 10), "Photo", "1 Events", {}, book.writePicture("photo.jpg", {400, 300})});
        start();
    }

    VideoClips clips;
};

} // namespace

TEST_F(VideoEntry, ThePosterStandsInTheBigPictureAndAClickPlaysTheVideoUntilEsc)
{
    selectLine(widgets().entryList, 0);
    form().show();
    const controls::Picture& poster = widgets().bigImage->picture();
    ASSERT_FALSE(poster.isNull());
    EXPECT_EQ(poster.naturalSize, QSize(320, 240));
    const QColor corner = poster.image.pixelColor(2, 2);
    EXPECT_GT(corner.red(), 200);
    EXPECT_LT(corner.green(), 60);

    QTest::mouseClick(widgets().bigImage, Qt::LeftButton);
    browse::VideoViewer* viewer = form().thumbnailClicks().videoViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(form().thumbnailClicks().viewerShown());
    QElapsedTimer clock;
    clock.start();
    while (viewer->player->positionMs() <= 0 && clock.elapsed() < 10000)
        QTest::qWait(10);
    EXPECT_TRUE(viewer->player->isPlaying()) << viewer->player->failure().toStdString();
    QTest::keyClick(viewer->player, Qt::Key_Space);
    EXPECT_FALSE(viewer->player->isPlaying());

    QTest::keyClick(viewer->player, Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(viewer->player->isPlaying());

    // A picture entry still opens the enlarged viewer.
    selectLine(widgets().entryList, 1);
    QTest::mouseClick(widgets().bigImage, Qt::LeftButton);
    EXPECT_NE(form().thumbnailClicks().viewer(), nullptr);
    EXPECT_FALSE(viewer->isVisible());
}
