// The enlarged viewer: the scroll ranges of small pictures, the ways back to the main window with
// exactly one of the two windows on screen, a double click; and the video viewer that takes its
// place for a video entry.
#include "ProgramTest.h"
#include "VideoClips.h"

#include "browse/EnlargedViewer.h"
#include "browse/ThumbnailClicks.h"
#include "browse/VideoViewer.h"
#include "controls/VideoPlayer.h"

#include <QCoreApplication>
#include <QScrollBar>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::VideoClips;

namespace {

class Viewer : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        const auto add = [&](int day, const char* title, const QString& picture) {
            book.addEntry({QDate(2001, 1, day), title, "1 Events", {}, picture});
        };
        add(1, "Large", book.writePicture("large.jpg", {1600, 1200}));
        add(2, "Small", book.writePicture("small.bmp", {200, 150}));
        add(3, "Exact", book.path("exact.bmp")); // written once the viewer shows its picture area
        add(4, "None", {});
        if (!VideoClips::ffmpegMissing())
            add(5, "Beach", clips.h264("beach.mp4", "red", "320x240", "4"));
        start();
    }

    // Shows list line `line` and clicks the big picture, as the user opens the viewer.
    browse::EnlargedViewer& openOn(int line)
    {
        selectLine(form().widgets().entryList, line);
        form().show();
        QTest::mouseClick(form().widgets().bigImage, Qt::LeftButton);
        browse::EnlargedViewer* viewer = form().thumbnailClicks().viewer();
        if (!viewer)
            throw std::runtime_error("no viewer");
        return *viewer;
    }

    static QSize ranges(const browse::EnlargedViewer& viewer)
    {
        return {viewer.horizontalScroller->maximum(), viewer.verticalScroller->maximum()};
    }
    void expectOnlyViewerShown(browse::EnlargedViewer& viewer)
    {
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_FALSE(form().isVisible());
    }
    void expectOnlyMainWindowShown()
    {
        EXPECT_TRUE(form().isVisible());
        browse::EnlargedViewer* viewer = form().thumbnailClicks().viewer();
        EXPECT_TRUE(!viewer || !viewer->isVisible());
    }

    VideoClips clips;
};

} // namespace

TEST_F(Viewer, SmallEqualAndMissingPicturesGetTheRangeOfOneAndReturningKeepsThePlace)
{
    browse::EnlargedViewer& small = openOn(1);
    EXPECT_EQ(small.pictureView->size(), QSize(200, 150));
    EXPECT_EQ(ranges(small), QSize(1, 1));
    const int left = small.pictureView->x();
    small.horizontalScroller->setValue(5);
    EXPECT_EQ(small.pictureView->x(), left - 1); // at most one pixel
    book.writePicture("exact.bmp", {small.pictureArea().width(), 120});
    small.returnOnPictureClick();

    browse::EnlargedViewer& exact = openOn(2);
    EXPECT_EQ(exact.pictureView->width(), exact.pictureArea().width());
    EXPECT_EQ(ranges(exact), QSize(1, 1));
    exact.returnOnArrowClick();

    browse::EnlargedViewer& none = openOn(3);
    EXPECT_TRUE(form().widgets().bigImage->picture().isNull());
    EXPECT_TRUE(none.pictureView->picture().isNull());
    EXPECT_EQ(ranges(none), QSize(1, 1));
    expectOnlyViewerShown(none);
    none.returnOnArrowClick();

    // Returning keeps the viewer and its place; closing unloads it.
    browse::EnlargedViewer& viewer = openOn(0);
    viewer.horizontalScroller->setValue(300);
    viewer.verticalScroller->setValue(40);

    QTest::mouseClick(viewer.pictureView, Qt::LeftButton, {}, {10, 10});
    expectOnlyMainWindowShown();
    ASSERT_EQ(form().thumbnailClicks().viewer(), &viewer);

    // The next opening recomputes the ranges but keeps the place.
    browse::EnlargedViewer& again = openOn(0);
    EXPECT_EQ(&again, &viewer);
    expectOnlyViewerShown(again);
    EXPECT_EQ(again.horizontalScroller->value(), 300);
    EXPECT_EQ(again.pictureView->pos(), QPoint(-300, -40));

    QTest::mouseClick(again.returnArrow, Qt::LeftButton);
    expectOnlyMainWindowShown();

    openOn(0);
    viewer.close(); // the title bar's close
    expectOnlyMainWindowShown();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form().thumbnailClicks().viewer(), nullptr);

    browse::EnlargedViewer& fresh = openOn(0);
    expectOnlyViewerShown(fresh);
    EXPECT_EQ(fresh.horizontalScroller->value(), 0);
    EXPECT_EQ(fresh.pictureView->pos(), QPoint(0, 0));
}

TEST_F(Viewer, AVideosPosterStandsInTheBigPictureAndAClickPlaysItUntilEsc)
{
    if (VideoClips::ffmpegMissing())
        GTEST_SKIP() << "ffmpeg is not installed";
    selectLine(form().widgets().entryList, 4);
    form().show();
    const controls::Picture& poster = form().widgets().bigImage->picture();
    EXPECT_EQ(poster.naturalSize, QSize(320, 240));
    EXPECT_GT(poster.image.pixelColor(2, 2).red(), 200);
    EXPECT_LT(poster.image.pixelColor(2, 2).green(), 60);

    QTest::mouseClick(form().widgets().bigImage, Qt::LeftButton);
    browse::VideoViewer* viewer = form().thumbnailClicks().videoViewer();
    ASSERT_TRUE(viewer && viewer->isVisible());
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(form().thumbnailClicks().viewerShown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewer->player->positionMs() > 0; }, 10000));
    EXPECT_TRUE(viewer->player->isPlaying()) << viewer->player->failure().toStdString();
    QTest::keyClick(viewer->player, Qt::Key_Space);
    EXPECT_FALSE(viewer->player->isPlaying());
    QTest::keyClick(viewer->player, Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_FALSE(viewer->player->isPlaying());
    expectOnlyMainWindowShown();

    // A picture entry still opens the enlarged viewer.
    expectOnlyViewerShown(openOn(0));
    EXPECT_FALSE(viewer->isVisible());
}

TEST_F(Viewer, ADoubleClickOnTheBigPictureOnlyEverShowsAndStretchesIt)
{
    controls::ImageControl* big = form().widgets().bigImage;
    big->setStretch(false);
    // A user's double click: a click, then a second press that is the double click.
    QTest::mouseClick(big, Qt::LeftButton);
    QTest::mouseDClick(big, Qt::LeftButton);
    QTest::mouseRelease(big, Qt::LeftButton);
    EXPECT_TRUE(big->stretch());
    // The click within the double click has opened the viewer in the main window's place.
    browse::EnlargedViewer* viewer = form().thumbnailClicks().viewer();
    ASSERT_TRUE(viewer && viewer->isVisible());
    EXPECT_FALSE(form().isVisible());
    // Moving over the big picture changes nothing.
    const QRect before = big->geometry();
    QTest::mouseMove(big, {5, 5});
    EXPECT_EQ(big->geometry(), before);
    EXPECT_TRUE(viewer->isVisible());
}
