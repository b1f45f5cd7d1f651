// The image control: stretching with the picture's shape kept, own-size display, loading at the
// control's size and again after a resize, mouse signals.
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

// A picture of one colour; the format follows the extension.
QString writePicture(const QTemporaryDir& dir, const QString& name, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

bool near(QRgb pixel, QColor colour)
{
    return std::abs(qRed(pixel) - colour.red()) < 24 && std::abs(qGreen(pixel) - colour.green()) < 24 &&
           std::abs(qBlue(pixel) - colour.blue()) < 24;
}

// A stretching control on a window of a colour no picture has.
struct ControlOnWindow {
    ControlOnWindow()
    {
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, background);
        window.setPalette(pal);
        window.setAutoFillBackground(true);
        window.resize(400, 400);
        image.setStretch(true);
        window.show();
    }
    const QColor background{0, 128, 128};
    QWidget window;
    ImageControl image{&window};
};

} // namespace

TEST(ImageControl, StretchedLoadDecodesAtControlSizeOwnSizeTakesThePictureSize)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "sunset.jpg", {640, 480}, Qt::red);
    ImageControl image;
    image.resize(160, 120);
    image.setStretch(true);
    image.load(path);
    EXPECT_EQ(image.picture().image.size(), QSize(160, 120));
    EXPECT_EQ(image.picture().naturalSize, QSize(640, 480));
    EXPECT_EQ(image.size(), QSize(160, 120)); // a stretching control keeps its size

    // A picture of the control's shape covers it.
    const QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.size(), QSize(160, 120));
    EXPECT_GT(qRed(shown.pixel(155, 115)), 200);

    image.setStretch(false);
    image.load(path);
    EXPECT_EQ(image.picture().image.size(), QSize(640, 480));
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image.sizeHint(), QSize(640, 480));
}

TEST(ImageControl, StretchedPicturesKeepTheirShapeCentredOnWhatIsBehind)
{
    QTemporaryDir dir;
    struct Case {
        QSize control, picture;
        QSize decoded;
        QPoint outside[2]; // beside or above and below the picture
    };
    const Case cases[] = {
        {{200, 100}, {300, 300}, {100, 100}, {{20, 50}, {180, 50}}}, // square in a wide control
        {{200, 100}, {200, 400}, {50, 100}, {{60, 50}, {140, 50}}},  // tall in a wide control
        {{100, 200}, {400, 200}, {100, 50}, {{50, 60}, {50, 140}}},  // wide in a tall control
        {{100, 200}, {30, 10}, {30, 10}, {{50, 70}, {50, 130}}},     // small: scaled up to fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " in "
                                        << c.control.width() << "x" << c.control.height());
        ControlOnWindow on;
        on.image.resize(c.control);
        on.image.load(writePicture(dir, "shape.bmp", c.picture, Qt::red));
        EXPECT_EQ(on.image.picture().image.size(), c.decoded);
        const QImage shown = on.image.grab().toImage();
        EXPECT_TRUE(near(shown.pixel(c.control.width() / 2, c.control.height() / 2), Qt::red));
        for (QPoint p : c.outside)
            EXPECT_TRUE(near(shown.pixel(p), on.background)) << p.x() << "," << p.y();
    }

    // A picture handed over without a file is scaled the same way.
    ControlOnWindow on;
    on.image.resize(200, 100);
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::yellow);
    on.image.setPicture({QString(), square.size(), square});
    const QImage shown = on.image.grab().toImage();
    EXPECT_TRUE(near(shown.pixel(100, 50), Qt::yellow));
    EXPECT_TRUE(near(shown.pixel(20, 50), on.background));
}

TEST(ImageControl, AResizedPictureIsDecodedAgainOnceTheSizeSettles)
{
    QTemporaryDir dir;
    const QString path = writePicture(dir, "field.bmp", {800, 400}, Qt::green);
    ControlOnWindow on;
    on.image.resize(100, 100);
    on.image.load(path);
    ASSERT_EQ(on.image.picture().image.size(), QSize(100, 50));
    QSignalSpy decoded(&on.image, &ImageControl::pictureDecoded);

    // The steps of a drag: none decodes, the old image is drawn scaled, shape kept.
    for (int side = 120; side <= 300; side += 20)
        on.image.resize(side, side);
    EXPECT_EQ(decoded.count(), 0);
    EXPECT_TRUE(on.image.redecodePending());
    const QImage meanwhile = on.image.grab().toImage();
    EXPECT_TRUE(near(meanwhile.pixel(150, 150), Qt::green));
    EXPECT_TRUE(near(meanwhile.pixel(150, 40), on.background));

    EXPECT_TRUE(decoded.wait(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !on.image.redecodePending(); }, 5000));
    EXPECT_EQ(decoded.count(), 1);
    EXPECT_EQ(on.image.picture().image.size(), QSize(300, 150));
    EXPECT_EQ(on.image.picture().file, path);

    // Back to the size it was decoded for: nothing to decode.
    on.image.resize(310, 300);
    on.image.resize(300, 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !on.image.redecodePending(); }, 5000));
    EXPECT_EQ(decoded.count(), 1);

    // A picture set without a file is only ever scaled.
    QImage plain(40, 20, QImage::Format_RGB32);
    plain.fill(Qt::blue);
    on.image.setPicture({QString(), plain.size(), plain});
    on.image.resize(200, 200);
    EXPECT_FALSE(on.image.redecodePending());
    EXPECT_EQ(on.image.picture().image.size(), QSize(40, 20));
}

TEST(ImageControl, FailedLoadKeepsThePictureAndClearEmptiesIt)
{
    QTemporaryDir dir;
    ImageControl image;
    image.load(writePicture(dir, "tree.jpg", {50, 40}, Qt::green));
    EXPECT_THROW(image.load(dir.filePath("gone.jpg")), PictureError);
    EXPECT_TRUE(image.picture().file.endsWith("tree.jpg"));
    EXPECT_FALSE(image.picture().isNull());
    image.clear();
    EXPECT_TRUE(image.picture().isNull());
    EXPECT_TRUE(image.picture().file.isEmpty());
    image.grab(); // painting an empty control is fine
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
    EXPECT_TRUE(image.hasMouseTracking());
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
