// The image control: stretching with the shape kept, own-size display, loading at the control's
// size and again after a resize, mouse signals.
#include "controls/ImageControl.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using wk::controls::ImageControl;
using wk::controls::Picture;
using wk::controls::PictureError;

namespace {

// A picture of one colour; the name's extension chooses the format.
QString writePicture(const QTemporaryDir& dir, const QString& name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

} // namespace

TEST(ImageControl, StretchedLoadDecodesAtControlSizeOwnSizeTakesThePictureSizeAFailedLoadKeepsIt)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "sunset.jpg", {640, 480}, Qt::red);
    ImageControl image;
    image.resize(160, 120);
    image.setStretch(true);
    image.load(path);
    EXPECT_EQ(image.picture().image.size(), QSize(160, 120));
    EXPECT_EQ(image.size(), QSize(160, 120));                     // a stretching control keeps its size
    EXPECT_GT(qRed(image.grab().toImage().pixel(155, 115)), 200); // covered by a picture of its shape

    image.setStretch(false);
    image.load(path);
    EXPECT_EQ(image.picture().image.size(), QSize(640, 480));
    EXPECT_EQ(image.size(), QSize(640, 480));

    // A failed load keeps the picture; clear empties it.
    EXPECT_THROW(image.load(dir.filePath("gone.jpg")), PictureError);
    EXPECT_EQ(image.picture().file, path);
    image.clear();
    EXPECT_TRUE(image.picture().isNull() && image.picture().file.isEmpty());
    image.grab(); // painting an empty control is fine
}

TEST(ImageControl, StretchedPicturesKeepTheirShapeCentredOnWhatIsBehind)
{
    QTemporaryDir dir;
    struct Case {
        QSize control, picture, decoded;
        QPoint beside; // a point outside the picture
    };
    for (const Case& c : {Case{{200, 100}, {300, 300}, {100, 100}, {20, 50}}, // square in a wide control
                          Case{{200, 100}, {200, 400}, {50, 100}, {140, 50}}, // tall in a wide control
                          Case{{100, 200}, {40, 20}, {100, 50}, {50, 60}}}) { // small and wide in a tall one
        ImageControl image;
        image.resize(c.control);
        image.setStretch(true);
        image.load(writePicture(dir, "shape.bmp", c.picture, Qt::red));
        EXPECT_EQ(image.picture().image.size(), c.picture.boundedTo(c.decoded));
        const QImage shown = image.grab().toImage();
        EXPECT_EQ(shown.pixelColor(c.control.width() / 2, c.control.height() / 2), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(c.beside), image.palette().color(QPalette::Window)) << c.picture.width();
    }
}

TEST(ImageControl, AResizedPictureIsDecodedAgainOnceTheSizeSettles)
{
    QTemporaryDir dir;
    ImageControl image;
    image.resize(100, 100);
    image.setStretch(true);
    image.show();
    image.load(writePicture(dir, "field.bmp", {800, 400}, Qt::green));
    QSignalSpy decoded(&image, &ImageControl::pictureDecoded);
    for (int side = 120; side <= 300; side += 20) // the steps of a drag
        image.resize(side, side);
    EXPECT_EQ(decoded.count(), 0);
    // Meanwhile the old image is drawn scaled, its shape kept.
    EXPECT_EQ(image.grab().toImage().pixelColor(150, 40), image.palette().color(QPalette::Window));
    EXPECT_TRUE(decoded.wait(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !image.redecodePending(); }, 5000));
    EXPECT_EQ(decoded.count(), 1);
    EXPECT_EQ(image.picture().image.size(), QSize(300, 150));

    // Back at the size it was decoded for, or without a file: nothing to decode.
    image.resize(310, 300);
    image.resize(300, 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !image.redecodePending(); }, 5000));
    image.setPicture({QString(), {40, 20}, image.picture().image});
    image.resize(200, 200);
    EXPECT_FALSE(image.redecodePending());
    EXPECT_EQ(decoded.count(), 1);
}

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
