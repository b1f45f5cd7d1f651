// Lines of "List by Date" too wide for the list, month headers above all, show their whole
// text as their tooltip; lines that fit show none.
#include "LineToolTip.h"
#include "TimelineFixture.h"

#include "controls/PictureButton.h"

using namespace wk;
using wk::testing::TimelineTest;
using wk::testing::toolTipOfLine;

TEST_F(TimelineTest, ListingLinesTooWideShowTheirWholeText)
{
    book.addEntry({QDate(2024, 1, 7), "Skating"});
    book.addEntry({QDate(2024, 2, 3), "The long drive north to see the northern lights, at last"});
    shell::Mtform1& form = start();
    form.Option2->click();
    QListWidget* list = form.Listdb2;
    ASSERT_EQ(list->count(), 4);

    EXPECT_EQ(toolTipOfLine(list, 1), QString()); // "07  Skating" fits
    EXPECT_EQ(toolTipOfLine(list, 0), "------------------ January 2024 ----------------------------------");
    EXPECT_EQ(toolTipOfLine(list, 2), "--------------------February 2024---------------------------------");
    EXPECT_EQ(toolTipOfLine(list, 3), "03  The long drive north to see the northern lights, at last");
}
