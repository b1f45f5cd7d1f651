// The enlarged viewer on a 1920x1080 screen: its viewport fills the maximised window and follows
// it when resized, a small picture stands in the middle, the scroll ranges cover just what is
// hidden, and the zoom keys and Ctrl+wheel change the shown size within bounds.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "browse/MTForm3.h"
#include "browse/ThumbnailClicks.h"
#include "controls/ImageControl.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

class EnlargedViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.addEntry(
            {QDate(2002, 3, 1), "Wide", "1 Events", {}, book.writePicture("wide.jpg", {2400, 1600})});
        book.addEntry(
            {QDate(2002, 3, 2), "Small", "1 Events", {}, book.writePicture("small.bmp", {200, 150})});
        program = std::make_unique<StartedProgram>(book.dir());
        program->start();
    }

    // Shows list line `line` and clicks the big picture; the first opening maximises the viewer.
    browse::MTForm3& openOn(int line)
    {
        shell::Mtform1& form = program->form();
        selectLine(form.ListDB1, line);
        form.show();
        QTest::mouseClick(form.Image8, Qt::LeftButton);
        browse::MTForm3* viewer = form.thumbnailClicks().viewer();
        if (!viewer)
            throw std::runtime_error("no viewer");
        return *viewer;
    }

    static void press(browse::MTForm3& viewer, Qt::Key key, int times = 1)
    {
        for (int k = 0; k < times; ++k)
            QTest::keyClick(&viewer, key);
    }

    static void ctrlWheel(browse::MTForm3& viewer, QPoint at, int notches,
                          Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QWheelEvent wheel(at, viewer.mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&viewer, &wheel);
    }

    static QPoint ranges(const browse::MTForm3& viewer)
    {
        return {viewer.HScroll1->maximum(), viewer.VScroll1->maximum()};
    }

    TestScrapbook book;
    std::unique_ptr<StartedProgram> program;
};

} // namespace

TEST_F(EnlargedViewer, ItsViewportFillsTheWindowAndFollowsItsSize)
{
    browse::MTForm3& viewer = openOn(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.size() == QSize(1920, 1080); }));
    EXPECT_EQ(viewer.Picture1->geometry(), viewer.rect());
    // The bars lie along the right and bottom edges; the picture is seen in the rest.
    const QRect area = viewer.pictureArea();
    EXPECT_EQ(viewer.VScroll1->geometry().right(), 1919);
    EXPECT_EQ(viewer.HScroll1->geometry().bottom(), 1079);
    EXPECT_EQ(area.width(), viewer.VScroll1->x());
    EXPECT_EQ(area.height(), viewer.HScroll1->y());
    EXPECT_GT(area.width(), 1850);
    EXPECT_GT(area.height(), 1010);

    // The ranges cover exactly what is hidden: at their ends the far edges are in sight.
    EXPECT_EQ(viewer.Picture2->size(), QSize(2400, 1600));
    EXPECT_EQ(ranges(viewer), QPoint(2400 - area.width(), 1600 - area.height()));
    viewer.HScroll1->setValue(viewer.HScroll1->maximum());
    viewer.VScroll1->setValue(viewer.VScroll1->maximum());
    EXPECT_EQ(viewer.Picture2->geometry().bottomRight(), area.bottomRight());

    // A smaller window: the viewport and the ranges follow it.
    viewer.setWindowState(Qt::WindowNoState);
    viewer.resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.Picture1->size() == QSize(1000, 700); }));
    const QRect smaller = viewer.pictureArea();
    EXPECT_EQ(smaller.width(), viewer.VScroll1->x());
    EXPECT_EQ(ranges(viewer), QPoint(2400 - smaller.width(), 1600 - smaller.height()));
    viewer.HScroll1->setValue(viewer.HScroll1->maximum());
    viewer.VScroll1->setValue(viewer.VScroll1->maximum());
    EXPECT_EQ(viewer.Picture2->geometry().bottomRight(), smaller.bottomRight());
    viewer.Image10_Click();

    // A small picture stands in the middle of the picture area, also after the window changed
    // size while it was hidden; its ranges stay at one.
    viewer.setWindowState(Qt::WindowMaximized);
    browse::MTForm3& small = openOn(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return small.size() == QSize(1920, 1080); }));
    EXPECT_EQ(small.Picture2->size(), QSize(200, 150));
    // (The scroll values kept from the last picture shift it by one pixel at most.)
    const QPoint offCentre = small.Picture2->geometry().center() - small.pictureArea().center();
    EXPECT_LE(std::abs(offCentre.x()), 2);
    EXPECT_LE(std::abs(offCentre.y()), 2);
    EXPECT_EQ(ranges(small), QPoint(1, 1));
}

TEST_F(EnlargedViewer, KeysAndCtrlWheelZoomWithinBounds)
{
    browse::MTForm3& viewer = openOn(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.size() == QSize(1920, 1080); }));
    const QRect area = viewer.pictureArea();

    press(viewer, Qt::Key_Plus);
    EXPECT_EQ(viewer.Picture2->size(), QSize(3000, 2000));
    EXPECT_EQ(ranges(viewer), QPoint(3000 - area.width(), 2000 - area.height()));
    EXPECT_EQ(viewer.Picture2->picture().image.size(), QSize(2400, 1600)); // scaled, not decoded again
    press(viewer, Qt::Key_Minus, 2);
    EXPECT_EQ(viewer.Picture2->size(), QSize(1920, 1280));

    // 0 fits the whole picture, shape kept, into the area and centres it; 1 is natural size.
    press(viewer, Qt::Key_0);
    const QRect fitted = viewer.Picture2->geometry();
    EXPECT_TRUE(area.contains(fitted));
    EXPECT_EQ(fitted.height(), area.height()); // the picture is wider than the screen is
    EXPECT_NEAR(double(fitted.width()) / fitted.height(), 1.5, 0.01);
    EXPECT_EQ(ranges(viewer), QPoint(1, 1));
    press(viewer, Qt::Key_1);
    EXPECT_EQ(viewer.Picture2->size(), QSize(2400, 1600));
    EXPECT_EQ(ranges(viewer), QPoint(2400 - area.width(), 1600 - area.height()));

    // Zooming is bounded both ways: eight times larger at most, eight times smaller at least.
    press(viewer, Qt::Key_Plus, 20);
    EXPECT_EQ(viewer.Picture2->size(), QSize(19200, 12800));
    press(viewer, Qt::Key_Minus, 40);
    EXPECT_EQ(viewer.Picture2->size(), QSize(300, 200));
    press(viewer, Qt::Key_1);

    // Ctrl+wheel zooms about the mouse: the picture's point under it stays under it.
    viewer.HScroll1->setValue(100);
    viewer.VScroll1->setValue(50);
    const QPoint mouse(600, 400);
    const QPoint spot = mouse - viewer.Picture2->pos(); // in the picture, at natural size
    ctrlWheel(viewer, mouse, 1);
    EXPECT_EQ(viewer.Picture2->size(), QSize(3000, 2000));
    EXPECT_EQ(viewer.Picture2->pos() + spot * 1.25, mouse);
    ctrlWheel(viewer, mouse, -1);
    EXPECT_EQ(viewer.Picture2->size(), QSize(2400, 1600));
    EXPECT_EQ(viewer.Picture2->pos() + spot, mouse);
    ctrlWheel(viewer, mouse, 1, Qt::NoModifier); // a plain wheel does not zoom
    EXPECT_EQ(viewer.Picture2->size(), QSize(2400, 1600));

    // A fitted picture keeps fitting the window as it is resized; a small one is enlarged.
    press(viewer, Qt::Key_0);
    viewer.setWindowState(Qt::WindowNoState);
    viewer.resize(900, 900);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.Picture1->size() == QSize(900, 900); }));
    EXPECT_EQ(viewer.Picture2->width(), viewer.pictureArea().width());
    EXPECT_TRUE(viewer.pictureArea().contains(viewer.Picture2->geometry()));
    viewer.Image10_Click();
    browse::MTForm3& small = openOn(1);
    EXPECT_EQ(small.Picture2->size(), QSize(200, 150)); // each opening starts at natural size
    press(small, Qt::Key_0);
    EXPECT_EQ(small.Picture2->size(), QSize(883, 662)); // the 900 x 900 window, less the bars
}
