// Lines of the entry list too wide for it show their whole title as their tooltip, whoever
// filled the list; lines that fit show none.
#include "LineToolTip.h"
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include <QRadioButton>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;
using wk::testing::toolTipOfLine;

namespace {
// What a tooltip reads as, plain or marked up.
QString shownText(const QString& tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}
} // namespace

TEST(EntryListTips, CutLinesShowTheirWholeTitle)
{
    const QString longTitle = "Grandma's eightieth birthday party at the lake house, with all the cousins";
    const QString markedUp = "<b>Bold</b> plans for the summer holidays by the sea, written down at last";
    TestScrapbook book;
    book.setCategories({"1 Events", "2 School", "3 Family", "4 Trips"});
    book.addEntry({QDate(2003, 5, 1), "Picnic", "1 Events", QString("Lily")});
    book.addEntry({QDate(2003, 5, 2), longTitle, "1 Events", QString("Lily")});
    book.addEntry({QDate(2003, 5, 3), markedUp, "4 Trips"});
    StartedProgram program(book.dir());
    program.start();
    QListWidget* list = program->ListDB1;

    EXPECT_EQ(toolTipOfLine(list, 0), QString());
    EXPECT_EQ(toolTipOfLine(list, 1), longTitle);
    EXPECT_EQ(shownText(toolTipOfLine(list, 2)), markedUp); // its markup is text, not lost

    // A category button fills the list by itself; its lines are cut and shown whole alike.
    program->SSOption[1]->click();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(toolTipOfLine(list, 0), QString());
    EXPECT_EQ(toolTipOfLine(list, 1), longTitle);
}
