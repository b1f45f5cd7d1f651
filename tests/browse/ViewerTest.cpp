// The enlarged viewer: the picture at natural size (within the decode bound), the scroll ranges
// and moves, and the ways back to the main window, with exactly one of the two windows on screen
// throughout.
#include "JpegFrame.h"
#include "SampleArtwork.h"
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "browse/MTForm3.h"
#include "browse/ThumbnailClicks.h"
#include "controls/ImageControl.h"

#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;
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

class Viewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.addEntry(
            {QDate(2001, 1, 1), "Large", "1 Events", {}, book.writePicture("large.jpg", {1600, 1200})});
        book.addEntry(
            {QDate(2001, 1, 2), "Small", "1 Events", {}, book.writePicture("small.bmp", {200, 150})});
        // Written once the viewer shows how wide its picture area is.
        book.addEntry({QDate(2001, 1, 3), "Exact", "1 Events", {}, book.path("exact.bmp")});
        book.addEntry({QDate(2001, 1, 4), "None", "1 Events", {}, {}});
        // A small picture whose header claims 19999 x 19999 pixels, and a real 67-megapixel panorama.
        QImage small(120, 90, QImage::Format_RGB32);
        small.fill(Qt::darkGreen);
        sample::writeBytes(book.path("damaged.jpg"),
                           withFrameSize(sample::encodeJpeg(small, 90), {19999, 19999}));
        book.addEntry({QDate(2001, 1, 5), "Damaged", "1 Events", {}, book.path("damaged.jpg")});
        sample::writeBytes(book.path("panorama.jpg"), greyPanoramaJpeg());
        book.addEntry({QDate(2001, 1, 6), "Panorama", "1 Events", {}, book.path("panorama.jpg")});
        program = std::make_unique<StartedProgram>(book.dir());
        program->start();
    }

    shell::Mtform1& form() { return program->form(); }

    // Shows list line `line` and clicks the big picture, as the user opens the viewer.
    browse::MTForm3& openOn(int line)
    {
        selectLine(form().ListDB1, line);
        form().show();
        QTest::mouseClick(form().Image8, Qt::LeftButton);
        browse::MTForm3* viewer = form().thumbnailClicks().viewer();
        if (!viewer)
            throw std::runtime_error("no viewer");
        return *viewer;
    }

    void expectOnlyViewerShown(browse::MTForm3& viewer)
    {
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_FALSE(form().isVisible());
    }
    void expectOnlyMainWindowShown()
    {
        EXPECT_TRUE(form().isVisible());
        browse::MTForm3* viewer = form().thumbnailClicks().viewer();
        EXPECT_TRUE(!viewer || !viewer->isVisible());
    }

    TestScrapbook book;
    std::unique_ptr<StartedProgram> program;
};

} // namespace

TEST_F(Viewer, ALargePictureIsShownAtFullSizeAndScrollsToItsFarEdges)
{
    ASSERT_LT(form().Image8->picture().image.width(), 1600); // the big picture's reduced copy
    browse::MTForm3& viewer = openOn(0);
    expectOnlyViewerShown(viewer);
    EXPECT_EQ(viewer.objectName(), "MTForm3");
    EXPECT_EQ(viewer.windowTitle(), "Form3");
    EXPECT_TRUE(viewer.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(viewer.Picture2->picture().image.size(), QSize(1600, 1200));
    EXPECT_EQ(viewer.Picture2->size(), QSize(1600, 1200));

    const QSize area = viewer.pictureArea().size();
    const int hMax = 1600 - area.width();
    const int vMax = 1200 - area.height();
    EXPECT_EQ(viewer.HScroll1->minimum(), 0);
    EXPECT_EQ(viewer.HScroll1->maximum(), hMax);
    EXPECT_EQ(viewer.VScroll1->maximum(), vMax);

    viewer.HScroll1->setValue(hMax);
    viewer.VScroll1->setValue(vMax);
    EXPECT_EQ(viewer.Picture2->geometry().right() + 1, area.width());
    EXPECT_EQ(viewer.Picture2->geometry().bottom() + 1, area.height());
    viewer.VScroll1->setValue(0);
    EXPECT_EQ(viewer.Picture2->y(), 0);

    // Dragging the scroll box moves the picture before the box is let go.
    viewer.HScroll1->setSliderDown(true);
    viewer.HScroll1->setSliderPosition(123);
    EXPECT_EQ(viewer.Picture2->x(), -123);
    viewer.HScroll1->setSliderPosition(200);
    EXPECT_EQ(viewer.Picture2->x(), -200);
    viewer.HScroll1->setSliderDown(false);
    EXPECT_EQ(viewer.Picture2->x(), -200);

    // The scroll bars and the back arrow stay above a picture that covers the viewport.
    const QPoint barPoint = viewer.HScroll1->geometry().center();
    EXPECT_EQ(viewer.Picture1->childAt(barPoint), viewer.HScroll1);
    const QPoint arrowPoint = viewer.IMAGE10->geometry().center();
    EXPECT_EQ(viewer.childAt(arrowPoint), viewer.IMAGE10);
}

TEST_F(Viewer, SmallEqualAndMissingPicturesGetTheRangeOfOne)
{
    browse::MTForm3& small = openOn(1);
    EXPECT_EQ(small.Picture2->size(), QSize(200, 150));
    EXPECT_EQ(small.HScroll1->maximum(), 1);
    EXPECT_EQ(small.VScroll1->maximum(), 1);
    const int left = small.Picture2->x();
    small.HScroll1->setValue(5);
    EXPECT_EQ(small.Picture2->x(), left - 1); // at most one pixel
    book.writePicture("exact.bmp", {small.pictureArea().width(), 120});
    small.Picture2_Click();

    browse::MTForm3& exact = openOn(2);
    EXPECT_EQ(exact.Picture2->width(), exact.pictureArea().width());
    EXPECT_EQ(exact.HScroll1->maximum(), 1);
    EXPECT_EQ(exact.VScroll1->maximum(), 1);
    exact.Image10_Click();

    browse::MTForm3& none = openOn(3);
    EXPECT_TRUE(form().Image8->picture().isNull());
    EXPECT_TRUE(none.Picture2->picture().isNull());
    EXPECT_EQ(none.HScroll1->maximum(), 1);
    EXPECT_EQ(none.VScroll1->maximum(), 1);
    expectOnlyViewerShown(none);
}

TEST_F(Viewer, ReturningKeepsTheViewerAndItsPlaceClosingUnloadsIt)
{
    browse::MTForm3& viewer = openOn(0);
    viewer.HScroll1->setValue(300);
    viewer.VScroll1->setValue(40);

    QTest::mouseClick(viewer.Picture2, Qt::LeftButton, {}, {10, 10});
    expectOnlyMainWindowShown();
    ASSERT_EQ(form().thumbnailClicks().viewer(), &viewer);

    // The next opening recomputes the ranges but keeps the place.
    browse::MTForm3& again = openOn(0);
    EXPECT_EQ(&again, &viewer);
    expectOnlyViewerShown(again);
    EXPECT_EQ(again.HScroll1->value(), 300);
    EXPECT_EQ(again.Picture2->pos(), QPoint(-300, -40));

    QTest::mouseClick(again.IMAGE10, Qt::LeftButton);
    expectOnlyMainWindowShown();

    openOn(0);
    viewer.close(); // the title bar's close
    expectOnlyMainWindowShown();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form().thumbnailClicks().viewer(), nullptr);

    browse::MTForm3& fresh = openOn(0);
    expectOnlyViewerShown(fresh);
    EXPECT_EQ(fresh.HScroll1->value(), 0);
    EXPECT_EQ(fresh.Picture2->pos(), QPoint(0, 0));
}

TEST_F(Viewer, HugePicturesOpenWithinTheMemoryBound)
{
    openOn(3).Image10_Click(); // an entry without a picture empties the big picture
    resetPeakMemory();

    // The damaged header is refused when the entry is shown: there is nothing to enlarge.
    browse::MTForm3& damaged = openOn(4);
    EXPECT_TRUE(damaged.Picture2->picture().isNull());
    damaged.Image10_Click();

    // The panorama opens reduced by the decoder to fit 8192 a side and scrolls to its far edge.
    browse::MTForm3& panorama = openOn(5);
    const QSize shown = panorama.Picture2->size();
    EXPECT_LE(shown.width(), 8192);
    EXPECT_GT(shown.width(), 8192 * 7 / 8);
    EXPECT_EQ(panorama.HScroll1->maximum(), shown.width() - panorama.pictureArea().width());

    EXPECT_LT(peakMemoryMegabytes(), 700);
}
