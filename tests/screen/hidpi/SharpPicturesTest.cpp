// On a screen of twice the pixel density pictures are decoded with twice the pixels of their
// controls and drawn pixel for pixel: the big picture, the thumbnails and a bare image control.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/ImageControl.h"
#include "controls/PictureButton.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

QSize inDevicePixels(QSize natural, const QWidget* control)
{
    return natural.scaled(control->size() * 2, Qt::KeepAspectRatio);
}

} // namespace

TEST(SharpPictures, AStretchedPictureIsDrawnPixelForPixel)
{
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    // One-pixel stripes: any scaling on the way to the screen greys them.
    QTemporaryDir dir;
    QImage stripes(320, 240, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QString file = dir.filePath("stripes.bmp");
    ASSERT_TRUE(stripes.save(file));

    QWidget window;
    controls::ImageControl image(&window);
    image.setStretch(true);
    image.resize(160, 120);
    window.show();
    image.load(file);
    EXPECT_EQ(image.picture().image.size(), QSize(320, 240));
    EXPECT_EQ(image.picture().image.devicePixelRatio(), 2.0);
    const QImage shown = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(320, 240));
    for (int x : {0, 1, 2, 3, 158, 159, 160, 161, 318, 319})
        EXPECT_EQ(shown.pixel(x, 120), stripes.pixel(x, 120)) << x;
}

TEST(SharpPictures, ThumbnailsAndTheBigPictureAfterAThumbnailClickHaveTwiceThePixels)
{
    TestScrapbook book;
    const QString tall = book.writePicture("tall.jpg", {1200, 1600});
    const QString wide = book.writePicture("wide.jpg", {1600, 1200});
    book.addEntry({QDate(2001, 5, 1), "Tall", "1 Events", {}, tall});
    book.addEntry({QDate(2001, 5, 2), "Wide", "1 Events", {}, wide});
    StartedProgram program(book.dir());
    program.start();
    shell::Mtform1& form = program.form();
    selectLine(form.ListDB1, 0);
    EXPECT_EQ(form.Image8->picture().image.size(), inDevicePixels({1200, 1600}, form.Image8));

    form.TimeOn1->click();
    ASSERT_EQ(form.Image[2]->picture().file, wide);
    EXPECT_EQ(form.Image[2]->picture().image.size(), inDevicePixels({1600, 1200}, form.Image[2]));

    const int portraitWidth = form.Image8->width();
    QTest::mouseClick(form.Image[2], Qt::LeftButton);
    ASSERT_GT(form.Image8->width(), portraitWidth); // widened for the landscape picture
    EXPECT_EQ(form.Image8->picture().image.size(), inDevicePixels({1600, 1200}, form.Image8));
    EXPECT_EQ(form.Image8->picture().image.devicePixelRatio(), 2.0);
}
