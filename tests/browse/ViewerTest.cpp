// The enlarged viewer: the picture at natural size, the scroll ranges and moves, and the ways
// back to the main window, with exactly one of the two windows on screen throughout.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "browse/MTForm3.h"
#include "browse/ThumbnailClicks.h"
#include "controls/ImageControl.h"
#include "controls/Twips.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::px;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

class Viewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int viewportWidth = px(9495);
        book.addEntry(
            {QDate(2001, 1, 1), "Large", "1 Events", {}, book.writePicture("large.jpg", {1600, 1200})});
        book.addEntry(
            {QDate(2001, 1, 2), "Small", "1 Events", {}, book.writePicture("small.bmp", {200, 150})});
        book.addEntry({QDate(2001, 1, 3),
                       "Exact",
                       "1 Events",
                       {},
                       book.writePicture("exact.bmp", {viewportWidth, 120})});
        book.addEntry({QDate(2001, 1, 4), "None", "1 Events", {}, {}});
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
    EXPECT_EQ(viewer.Picture1->size(), QSize(px(9495), px(7095)));
    EXPECT_EQ(viewer.Picture2->picture().image.size(), QSize(1600, 1200));
    EXPECT_EQ(viewer.Picture2->size(), QSize(1600, 1200));

    const int hMax = 1600 - viewer.Picture1->width();
    const int vMax = 1200 - viewer.Picture1->height();
    EXPECT_EQ(viewer.HScroll1->minimum(), 0);
    EXPECT_EQ(viewer.HScroll1->maximum(), hMax);
    EXPECT_EQ(viewer.VScroll1->maximum(), vMax);

    viewer.HScroll1->setValue(hMax);
    viewer.VScroll1->setValue(vMax);
    EXPECT_EQ(viewer.Picture2->geometry().right() + 1, viewer.Picture1->width());
    EXPECT_EQ(viewer.Picture2->geometry().bottom() + 1, viewer.Picture1->height());
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
    small.HScroll1->setValue(5);
    EXPECT_EQ(small.Picture2->x(), -1); // at most one pixel
    small.Picture2_Click();

    browse::MTForm3& exact = openOn(2);
    EXPECT_EQ(exact.Picture2->width(), exact.Picture1->width());
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
