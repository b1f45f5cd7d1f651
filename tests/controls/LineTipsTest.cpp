// Lines too wide for the entry list or "List by Date" show their whole text as their tooltip,
// whoever filled the list; lines that fit show none.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/PictureButton.h"

#include <QHelpEvent>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace wk;

namespace {
// Rests the mouse on the start of line `row` and reads the tooltip shown, as plain text.
QString toolTipOfLine(QAbstractItemView* list, int row)
{
    QToolTip::hideText(); // an earlier tooltip fades out first, so it is not read again
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return "<a tooltip that stays>";
    const QPoint at = list->visualRect(list->model()->index(row, 0)).topLeft() + QPoint(4, 4);
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument shown;
    shown.setHtml(tip);
    return shown.toPlainText();
}
} // namespace

TEST(LineTips, CutLinesOfTheEntryListAndTheListingShowTheirWholeText)
{
    const QString longTitle = "Grandma's eightieth birthday party at the lake house, with all the cousins";
    const QString markedUp = "<b>Bold</b> plans for the summer holidays by the sea, written down at last";
    wk::testing::TestScrapbook book;
    book.setCategories({"1 Events", "2 School", "3 Family", "4 Trips"});
    book.addEntry({QDate(2024, 1, 7), "Picnic", "1 Events", QString("Lily")});
    book.addEntry({QDate(2024, 2, 3), longTitle, "1 Events", QString("Lily")});
    book.addEntry({QDate(2024, 2, 5), markedUp, "4 Trips"});
    wk::testing::StartedProgram program(book.location());
    program.start();

    QAbstractItemView* entries = program->widgets().entryList;
    EXPECT_EQ(toolTipOfLine(entries, 0), QString());
    EXPECT_EQ(toolTipOfLine(entries, 1), longTitle);
    EXPECT_EQ(toolTipOfLine(entries, 2), markedUp); // its markup is text, not lost
    program->widgets().categoryButtons[1]->click(); // a category button fills the list by itself
    EXPECT_EQ(toolTipOfLine(entries, 1), longTitle);

    program->widgets().listByDateButton->click();
    QAbstractItemView* listing = program->widgets().dateList;
    EXPECT_EQ(toolTipOfLine(listing, 1), QString()); // "07  Picnic"
    EXPECT_EQ(toolTipOfLine(listing, 2),
              "--------------------February 2024---------------------------------");
    EXPECT_EQ(toolTipOfLine(listing, 3), "03  " + longTitle);
}
