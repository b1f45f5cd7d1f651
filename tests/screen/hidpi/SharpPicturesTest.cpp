// On a screen of twice the pixel density the main window is the same layout with twice the pixels,
// and pictures are decoded with twice their controls' pixels and drawn pixel for pixel.
#include "ProgramTest.h"

#include <QGuiApplication>
#include <QScreen>

using namespace wk;
using SharpPictures = wk::testing::ProgramTest;

TEST_F(SharpPictures, TheLayoutIsTheSameAndTheBigPictureHasTwiceThePixelsDrawnOneForOne)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    const QString tall = book.writePicture("tall.bmp", {1200, 1600});
    // Stripes five pixels wide: edges that any scaling on the way to the screen would blur.
    QImage stripes(1600, 1200, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x / 5 % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    ASSERT_TRUE(stripes.save(book.path("stripes.bmp")));
    book.addEntry({QDate(2001, 5, 1), "Tall", "1 Events", {}, tall});
    book.addEntry({QDate(2001, 5, 2), "Stripes", "1 Events", {}, book.path("stripes.bmp")});
    shell::MainWindow& form = start();
    // Logical geometry as on the ordinary 1920x1080 screen: two thirds of its height.
    EXPECT_EQ(form.height(), QGuiApplication::primaryScreen()->availableGeometry().height() * 2 / 3);
    // A drawn face is painted at the screen's density, not scaled up afterwards.
    const QPixmap face = form.widgets().mainScreenButton->grab();
    EXPECT_EQ(face.devicePixelRatio(), 2.0);
    EXPECT_EQ(face.size(), form.widgets().mainScreenButton->size() * 2);

    wk::testing::selectLine(form.widgets().entryList, 0); // the narrow portrait width
    form.widgets().timelineButton->click();

    QTest::mouseClick(form.widgets().stripSlots[2], Qt::LeftButton); // widens the big picture for the stripes
    controls::ImageControl* big = form.widgets().bigImage;
    const QSize device = QSize(1600, 1200).scaled(big->size() * 2, Qt::KeepAspectRatio);
    EXPECT_EQ(big->picture().image.size(), device);
    EXPECT_EQ(big->picture().image.devicePixelRatio(), 2.0);
    // Drawn one for one: what reaches the screen is the decoded image itself.
    const QImage shown = big->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), big->size() * 2);
    const QPoint corner((shown.width() - device.width()) / 2, (shown.height() - device.height()) / 2);
    EXPECT_EQ(shown.copy(QRect(corner, device)), big->picture().image.convertToFormat(QImage::Format_RGB32));
}
