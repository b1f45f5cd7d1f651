// "Main Screen", "Edit Screen", exit and the frames drawn on the window.
#include "ProgramTest.h"

#include "controls/DropDownCombo.h"
#include "controls/FrameCanvas.h"

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using ScreenModes = wk::testing::ProgramTest;

TEST_F(ScreenModes, EditScreenFillsTheBoxesAndMainScreenRebuildsTheList)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    book.addEntry({QDate(1999, 4, 1), "Boat", "4 Trips", QString("Dad"), "boat.jpg", {}});
    shell::MainWindow& form = start();
    selectLine(form.widgets().entryList, 1);

    form.widgets().editScreenButton->click();
    EXPECT_TRUE(form.widgets().editScreenPanel->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().mainScreenPanel->isVisibleTo(&form));
    EXPECT_EQ(form.widgets().titleEdit->text(), "Boat");
    EXPECT_EQ(form.widgets().dateEdit->text(), "4/1/1999");
    EXPECT_EQ(form.widgets().pictureEdit->text(), "boat.jpg");
    EXPECT_EQ(form.widgets().nameCombo->currentText(), "Dad");
    EXPECT_EQ(form.widgets().categoryCombo->currentText(), "4 Trips");
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "");
    EXPECT_FALSE(form.widgets().logEdit->isReadOnly());
    EXPECT_TRUE(form.widgets().deleteButton->isVisibleTo(&form));

    book.addEntry({QDate(1999, 5, 1), "Picnic", "3 Family", {}, {}, {}});
    form.widgets().mainScreenButton->click();
    EXPECT_TRUE(form.widgets().mainScreenPanel->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().editScreenPanel->isVisibleTo(&form));
    EXPECT_TRUE(form.widgets().logEdit->isReadOnly());
    EXPECT_EQ(form.widgets().entryList->count(), 3); // the entry set ran again
    EXPECT_EQ(form.widgets().entryList->currentRow(), -1);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "windy"); // the first entry's log

    // No line selected: the boxes keep whatever entry is current.
    form.widgets().editScreenButton->click();
    EXPECT_TRUE(form.widgets().editScreenPanel->isVisibleTo(&form));
}

TEST_F(ScreenModes, ExitAsksAndNoKeepsTheWindow)
{
    shell::MainWindow& form = start();
    form.widgets().quitButton->click();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text, "Do you really want to quit?");
    EXPECT_TRUE(form.isVisible());
    prompts().yesNoAnswers.enqueue(true);
    form.widgets().quitButton->click();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ScreenModes, FramesAreDrawnAndErasedOnTheSurface)
{
    shell::MainWindow& form = start();
    auto* surface = form.findChild<controls::FrameCanvas*>("surface");
    ASSERT_NE(surface, nullptr);
    form.frameCanvas().DrawFrameON(form.widgets().bigImage, form.widgets().bigImage, "OUTWARD", 150);
    const int outward = surface->primitiveCount();
    EXPECT_EQ(outward, 6); // the clearing box, four edges, the black outline
    form.frameCanvas().DrawFrameON(form.widgets().bigImage, form.widgets().bigImage, "inward", 50);
    EXPECT_EQ(surface->primitiveCount(), outward + 5); // no outline for an inward frame
    // Erasing the outer frame paints over everything drawn inside it.
    // The old black outline lies outside it and is drawn over in grey instead.
    form.frameCanvas().DrawFrameOFF(form.widgets().bigImage, form.widgets().bigImage, "OUTWARD", 150);
    EXPECT_EQ(surface->primitiveCount(), 7);
}
