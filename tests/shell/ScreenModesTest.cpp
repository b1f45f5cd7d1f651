// The frames drawn on the window, and exit.
#include "ProgramTest.h"

#include "controls/FrameCanvas.h"

using namespace wk;
using ScreenModes = wk::testing::ProgramTest;

TEST_F(ScreenModes, FramesAreDrawnAndErasedOnTheSurfaceAndExitAsksFirst)
{
    shell::MainWindow& form = start();
    auto* surface = form.findChild<controls::FrameCanvas*>("surface");
    ASSERT_NE(surface, nullptr);
    QWidget* image = form.widgets().bigImage;
    form.frameCanvas().DrawFrameON(image, image, "OUTWARD", 150);
    EXPECT_EQ(surface->primitiveCount(), 6); // the clearing box, four edges, the black outline
    form.frameCanvas().DrawFrameON(image, image, "inward", 50);
    EXPECT_EQ(surface->primitiveCount(), 6 + 5); // no outline for an inward frame
    // Erasing the outer frame paints over everything inside it, and its outline in grey.
    form.frameCanvas().DrawFrameOFF(image, image, "OUTWARD", 150);
    EXPECT_EQ(surface->primitiveCount(), 7);

    form.widgets().quitButton->click(); // answered No
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(form.isVisible());
    prompts().yesNoAnswers.enqueue(true);
    form.widgets().quitButton->click();
    EXPECT_FALSE(form.isVisible());
}
