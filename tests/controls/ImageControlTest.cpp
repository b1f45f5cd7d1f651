// The image control's mouse signals: every action forwarded, a click only for the left button let
// go over the control.
#include "controls/ImageControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using wk::controls::ImageControl;

TEST(ImageControl, MouseActionsAreForwardedAndALeftClickIsAClick)
{
    ImageControl image;
    image.resize(100, 80);
    QSignalSpy clicked(&image, &ImageControl::clicked);
    QSignalSpy pressed(&image, &ImageControl::mousePressed);
    QSignalSpy released(&image, &ImageControl::mouseReleased);
    QSignalSpy moved(&image, &ImageControl::mouseMoved);

    // No button held: still reported (the control tracks the mouse).
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), image.mapToGlobal(QPointF(30, 30)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&image, &move);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][0].value<Qt::MouseButtons>(), Qt::NoButton);
    EXPECT_EQ(moved[0][2].toPoint(), QPoint(30, 30));

    QTest::mouseClick(&image, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    EXPECT_EQ(clicked.count(), 1);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(pressed[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(pressed[0][2].toPoint(), QPoint(10, 20));
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released[0][2].toPoint(), QPoint(10, 20));

    QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 1); // the right button is forwarded, not a click
    EXPECT_EQ(pressed.count(), 2);
    EXPECT_EQ(pressed[1][0].value<Qt::MouseButton>(), Qt::RightButton);

    // Pressed inside, released outside (a drag away): no click.
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(300, 40));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(released.count(), 3);
}
