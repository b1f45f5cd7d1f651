// The enlarged viewer: the picture at natural size (within the decode bound), the scroll ranges
// and moves, and the ways back to the main window, with exactly one of the two windows on screen
// throughout; and the video viewer that takes its place for a video entry.
#include "JpegFrame.h"
#include "SampleArtwork.h"
#include "ProgramTest.h"
#include "VideoClips.h"

#include "browse/EnlargedViewer.h"
#include "browse/ThumbnailClicks.h"
#include "browse/VideoViewer.h"
#include "controls/VideoPlayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QScrollBar>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::VideoClips;
using wk::testing::withFrameSize;

namespace {

// The process's peak resident memory is counted again from its current size.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        throw std::runtime_error("cannot reset the peak memory");
}

// Peak resident memory in megabytes since the last reset.
qint64 peakMemoryMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the process status");
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
    }
    throw std::runtime_error("no peak memory in the process status");
}

// A flat grey of 16001 x 4201 pixels, 67.2 megapixels: just over the decode bound. Encoded once.
const QByteArray& greyPanoramaJpeg()
{
    static const QByteArray jpeg = [] {
        QImage grey(16001, 4201, QImage::Format_Grayscale8);
        grey.fill(128);
        return sample::encodeJpeg(grey, 90);
    }();
    return jpeg;
}

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
        // A small picture whose header claims 19999 x 19999 pixels, and a real 67-megapixel panorama.
        sample::writeBytes(
            book.path("damaged.jpg"),
            withFrameSize(sample::encodeJpeg(sample::drawScene(sample::Scene::Tree, {120, 90}, "Tree"), 90),
                          {19999, 19999}));
        add(5, "Damaged", book.path("damaged.jpg"));
        sample::writeBytes(book.path("panorama.jpg"), greyPanoramaJpeg());
        add(6, "Panorama", book.path("panorama.jpg"));
        if (!VideoClips::ffmpegMissing())
            add(7, "Beach", clips.h264("beach.mp4", "red", "320x240", "4"));
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

TEST_F(Viewer, ALargePictureIsShownAtFullSizeAndScrollsToItsFarEdges)
{
    ASSERT_LT(form().widgets().bigImage->picture().image.width(), 1600); // the big picture's reduced copy
    browse::EnlargedViewer& viewer = openOn(0);
    expectOnlyViewerShown(viewer);
    EXPECT_TRUE(viewer.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(viewer.pictureView->picture().image.size(), QSize(1600, 1200));
    EXPECT_EQ(viewer.pictureView->size(), QSize(1600, 1200));

    const QSize area = viewer.pictureArea().size();
    EXPECT_EQ(viewer.horizontalScroller->minimum(), 0);
    EXPECT_EQ(ranges(viewer), QSize(1600, 1200) - area);
    viewer.horizontalScroller->setValue(1600 - area.width());
    viewer.verticalScroller->setValue(1200 - area.height());
    EXPECT_EQ(viewer.pictureView->geometry().right() + 1, area.width());
    EXPECT_EQ(viewer.pictureView->geometry().bottom() + 1, area.height());
    viewer.verticalScroller->setValue(0);
    EXPECT_EQ(viewer.pictureView->y(), 0);

    // Dragging the scroll box moves the picture before the box is let go.
    viewer.horizontalScroller->setSliderDown(true);
    viewer.horizontalScroller->setSliderPosition(123);
    EXPECT_EQ(viewer.pictureView->x(), -123);
    viewer.horizontalScroller->setSliderPosition(200);
    EXPECT_EQ(viewer.pictureView->x(), -200);
    viewer.horizontalScroller->setSliderDown(false);
    EXPECT_EQ(viewer.pictureView->x(), -200);

    // The scroll bars and the back arrow stay above a picture that covers the viewport.
    const QPoint barPoint = viewer.horizontalScroller->geometry().center();
    EXPECT_EQ(viewer.pictureViewport->childAt(barPoint), viewer.horizontalScroller);
    const QPoint arrowPoint = viewer.returnArrow->geometry().center();
    EXPECT_EQ(viewer.childAt(arrowPoint), viewer.returnArrow);
}

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

TEST_F(Viewer, HugePicturesOpenWithinTheMemoryBound)
{
    openOn(3).returnOnArrowClick(); // an entry without a picture empties the big picture
    resetPeakMemory();

    // The damaged header is refused when the entry is shown: there is nothing to enlarge.
    browse::EnlargedViewer& damaged = openOn(4);
    EXPECT_TRUE(damaged.pictureView->picture().isNull());
    damaged.returnOnArrowClick();

    // The panorama opens reduced by the decoder to fit 8192 a side and scrolls to its far edge.
    browse::EnlargedViewer& panorama = openOn(5);
    const QSize shown = panorama.pictureView->size();
    EXPECT_LE(shown.width(), 8192);
    EXPECT_GT(shown.width(), 8192 * 7 / 8);
    EXPECT_EQ(panorama.horizontalScroller->maximum(), shown.width() - panorama.pictureArea().width());

    EXPECT_LT(peakMemoryMegabytes(), 700);
}

TEST_F(Viewer, AVideosPosterStandsInTheBigPictureAndAClickPlaysItUntilEsc)
{
    if (VideoClips::ffmpegMissing())
        GTEST_SKIP() << "ffmpeg is not installed";
    selectLine(form().widgets().entryList, 6);
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
