// The sample scrapbook as a new user meets it: the help document's way to the calendar items.
#include "SampleScrapbook.h"
#include "StartedProgram.h"

#include "controls/PictureButton.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using wk::testing::listLines;
using wk::testing::StartedProgram;

TEST(SampleScrapbook, AllPicturesThenCalendarItemsListsEveryCalendarItem)
{
    QTemporaryDir tmp;
    wk::sample::writeSampleScrapbook(tmp.path());
    StartedProgram program(tmp.path());
    program.start();
    wk::shell::MainWindow& form = program.form();
    const QStringList calendarItems{"Dentist Appointment", "Parent Teacher Meeting", "Car Service",
                                    "Flu Shots", "School Photo Day"};

    form.widgets().categoryButtons[5]->click(); // straight after start no name is chosen
    EXPECT_EQ(listLines(form.widgets().entryList), calendarItems);

    // A user who chose a name first follows the help: All Pictures, then Calendar Items.
    for (const char* name : {"Lily", "*All Pictures"}) {
        form.widgets().nameList->setCurrentItem(
            form.widgets().nameList->findItems(name, Qt::MatchExactly).value(0));
        ASSERT_EQ(form.widgets().nameList->currentItem()->text(), name);
        form.widgets().allPicturesButton->click();
        form.widgets().categoryButtons[5]->click();
        EXPECT_EQ(listLines(form.widgets().entryList), calendarItems) << "after " << name;
    }
}
