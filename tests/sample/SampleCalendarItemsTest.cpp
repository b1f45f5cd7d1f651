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
    wk::shell::Mtform1& form = program.form();
    const QStringList calendarItems{"Dentist Appointment", "Parent Teacher Meeting", "Car Service",
                                    "Flu Shots", "School Photo Day"};

    form.SSOption[5]->click(); // straight after start no name is chosen
    EXPECT_EQ(listLines(form.ListDB1), calendarItems);

    // A user who chose a name first follows the help: All Pictures, then Calendar Items.
    for (const char* name : {"Lily", "*All Pictures"}) {
        form.DBList2->setCurrentItem(form.DBList2->findItems(name, Qt::MatchExactly).value(0));
        ASSERT_EQ(form.DBList2->currentItem()->text(), name);
        form.CmdAll->click();
        form.SSOption[5]->click();
        EXPECT_EQ(listLines(form.ListDB1), calendarItems) << "after " << name;
    }
}
