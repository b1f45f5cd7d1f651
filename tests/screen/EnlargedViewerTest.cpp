// The enlarged viewer on a 1920x1080 screen: its viewport fills the maximised window and follows
// its size, a small picture stands in the middle, the scroll ranges cover just what is hidden,
// and the zoom keys and Ctrl+wheel change the shown size within bounds.
#include "ProgramTest.h"

#include "browse/EnlargedViewer.h"
#include "browse/ThumbnailClicks.h"

#include <QScrollBar>

using namespace wk;
using EnlargedViewer = wk::testing::ProgramTest;

TEST_F(EnlargedViewer, FillsItsWindowScrollsOverWhatIsHiddenAndZooms)
{
    book.addEntry({QDate(2002, 3, 1), "Wide", "1 Events", {}, book.writePicture("wide.jpg", {2400, 1600})});
    book.addEntry({QDate(2002, 3, 2), "Small", "1 Events", {}, book.writePicture("small.bmp", {200, 150})});
    start();
    // Clicks the big picture of list line `line` and waits for the viewer to be `size` large.
    const auto openOn = [&](int line, QSize size) -> browse::EnlargedViewer& {
        widgets().entryList->setCurrentRow(line);
        form().show();
        QTest::mouseClick(widgets().bigImage, Qt::LeftButton);
        browse::EnlargedViewer* viewer = form().thumbnailClicks().viewer();
        if (!viewer || !QTest::qWaitFor([&] { return viewer->size() == size; }))
            throw std::runtime_error("the viewer is not open at its size");
        return *viewer;
    };
    const auto ranges = [](const browse::EnlargedViewer& viewer) {
        return QSize(viewer.horizontalScroller->maximum(), viewer.verticalScroller->maximum());
    };

    browse::EnlargedViewer& viewer = openOn(0, {1920, 1080});
    EXPECT_EQ(viewer.pictureViewport->geometry(), viewer.rect());
    const QRect area = viewer.pictureArea(); // all but the bars along the right and bottom edges
    EXPECT_EQ(viewer.verticalScroller->geometry().bottomRight(), QPoint(1919, area.bottom()));
    EXPECT_EQ(ranges(viewer), QSize(2400, 1600) - area.size());

    // The keys zoom by steps, eight times larger at most and eight times smaller at least; 0
    // fits the whole picture into the area, shape kept; 1 returns to natural size.
    QTest::keyClick(&viewer, Qt::Key_Plus);
    EXPECT_EQ(viewer.pictureView->size(), QSize(3000, 2000));
    EXPECT_EQ(ranges(viewer), QSize(3000, 2000) - area.size());
    for (int k = 0; k < 20; ++k)
        QTest::keyClick(&viewer, Qt::Key_Plus);
    EXPECT_EQ(viewer.pictureView->size(), QSize(19200, 12800));
    for (int k = 0; k < 40; ++k)
        QTest::keyClick(&viewer, Qt::Key_Minus);
    EXPECT_EQ(viewer.pictureView->size(), QSize(300, 200));
    QTest::keyClick(&viewer, Qt::Key_0);
    EXPECT_TRUE(area.contains(viewer.pictureView->geometry()));
    EXPECT_EQ(viewer.pictureView->height(), area.height());
    EXPECT_NEAR(viewer.pictureView->width(), 1.5 * area.height(), 1);
    QTest::keyClick(&viewer, Qt::Key_1);
    EXPECT_EQ(viewer.pictureView->size(), QSize(2400, 1600));

    // Ctrl+wheel zooms about the mouse: the picture's point under it stays there.
    viewer.horizontalScroller->setValue(100);
    const QPoint mouse(600, 400);
    const QPoint spot = mouse - viewer.pictureView->pos();
    QWheelEvent wheel(mouse, viewer.mapToGlobal(mouse), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&viewer, &wheel);
    EXPECT_EQ(viewer.pictureView->size(), QSize(3000, 2000));
    EXPECT_EQ(viewer.pictureView->pos() + spot * 1.25, mouse);
    QTest::keyClick(&viewer, Qt::Key_1);

    // A smaller window: the ranges follow, and at their ends the far corner is in sight.
    viewer.setWindowState(Qt::WindowNoState);
    viewer.resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.pictureViewport->size() == QSize(1000, 700); }));
    EXPECT_EQ(ranges(viewer), QSize(2400, 1600) - viewer.pictureArea().size());
    viewer.horizontalScroller->setValue(viewer.horizontalScroller->maximum());
    viewer.verticalScroller->setValue(viewer.verticalScroller->maximum());
    EXPECT_EQ(viewer.pictureView->geometry().bottomRight(), viewer.pictureArea().bottomRight());
    viewer.returnOnArrowClick();

    // A small picture stands in the middle (the scroll values kept from the last picture may
    // shift it by a pixel); its ranges stay at one.
    browse::EnlargedViewer& small = openOn(1, {1000, 700});
    EXPECT_LE((small.pictureView->geometry().center() - small.pictureArea().center()).manhattanLength(), 4);
    EXPECT_EQ(ranges(small), QSize(1, 1));
}
