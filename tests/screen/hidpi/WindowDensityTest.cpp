// On a screen of twice the pixel density the main window is the same layout with twice the
// pixels: the same logical geometry as on an ordinary screen, drawn at full density.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/PictureButton.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace wk;
using namespace wk::testing;

TEST(WindowDensity, TheLayoutIsTheSameAndEveryPixelIsDrawn)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    TestScrapbook book;
    StartedProgram program(book.dir());
    program.start();
    shell::MainWindow& form = program.form();
    // Logical geometry as on the ordinary 1920x1080 screen: two thirds of its height.
    EXPECT_EQ(form.height(), QGuiApplication::primaryScreen()->availableGeometry().height() * 2 / 3);

    // A drawn face is painted at the screen's density, not scaled up afterwards.
    const QPixmap face = form.widgets().mainScreenButton->grab();
    EXPECT_EQ(face.devicePixelRatio(), 2.0);
    EXPECT_EQ(face.size(), form.widgets().mainScreenButton->size() * 2);
}
