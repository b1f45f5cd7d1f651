// How a day cell shows its lines: a tooltip with every title of the day in full, and lines as
// wide as the cell in a font that lets the day number and the start of two titles be read when
// the cell is enlarged with the window.
#include "CalendarFixture.h"

#include "calendar/DayCellDelegate.h"

#include <QScrollBar>
#include <QStyle>

using namespace wk;
using wk::testing::CalendarTest;

TEST_F(CalendarTest, ADayCellsTooltipListsEveryTitleInFull)
{
    book.addEntry({QDate(2024, 2, 14), "Valentine's breakfast in bed with the children"});
    book.addEntry({QDate(2024, 2, 14), "Dentist"});
    book.addEntry({QDate(2024, 2, 14), "Choir practice at the church hall"});
    book.addEntry({QDate(2024, 3, 14), "Pi day"});
    shell::Mtform1& form = startCalendar(QDate(2024, 2, 10)); // the 1st is a Thursday: cell 5
    ASSERT_EQ(dayNumber(18), 14);

    EXPECT_EQ(form.List1[18]->toolTip(),
              "Valentine's breakfast in bed with the children\nDentist\nChoir practice at the church hall");
    EXPECT_EQ(form.List1[17]->toolTip(), QString()); // a day without entries

    // The cells are refilled for another month; their tooltips follow.
    form.ScrollMo->setValue(3); // March 2024: the 1st is a Friday, the 14th in cell 19
    EXPECT_EQ(form.List1[19]->toolTip(), "Pi day");
    EXPECT_EQ(form.List1[18]->toolTip(), QString());
}

TEST_F(CalendarTest, CellLinesEndInAnEllipsisAndTwoTitlesShowInAnEnlargedCell)
{
    const QString first = "Grandma's 80th";
    const QString second = "Sports day run";
    book.addEntry({QDate(2024, 2, 14), first});
    book.addEntry({QDate(2024, 2, 14), second});
    shell::Mtform1& form = startCalendar(QDate(2024, 2, 10));
    QListWidget* cell = form.List1[18];
    ASSERT_EQ(lines(18), QStringList({"14", first, second}));

    // Every line is as wide as the cell, so the style ends a long one in an ellipsis rather
    // than the cell cutting it mid-letter; nothing scrolls sideways.
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(cell->visualItemRect(cell->item(k)).width(), cell->viewport()->width()) << k;
    EXPECT_EQ(cell->horizontalScrollBar()->maximum(), 0);

    // The window three times larger, as on a full-HD screen: cell and font grow alike.
    form.show();
    const QSize designSize = cell->size();
    cell->resize(designSize * 3);
    QFont large = cell->font();
    large.setPixelSize(QFontInfo(large).pixelSize() * 3);
    cell->setFont(large);
    const QFont lineFont = calendar::dayLineFont(cell);
    EXPECT_LE(QFontInfo(lineFont).pixelSize(), QFontInfo(large).pixelSize());
    const int margin = cell->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell) + 1;
    for (int k = 0; k < 3; ++k) {
        const QRect line = cell->visualItemRect(cell->item(k));
        EXPECT_EQ(line.width(), cell->viewport()->width()) << k;
        EXPECT_TRUE(cell->viewport()->rect().contains(line)) << k; // in sight, not below the cell
        // At least the first twelve characters of each line are read before any ellipsis.
        const QString text = cell->item(k)->text();
        const QString shown =
            QFontMetrics(lineFont).elidedText(text, Qt::ElideRight, line.width() - 2 * margin);
        EXPECT_EQ(shown.left(12), text.left(12)) << k;
    }

    // Smaller again, the lines narrow with the cell at once, so they still end in an ellipsis.
    cell->resize(designSize * 2);
    EXPECT_EQ(cell->visualItemRect(cell->item(1)).width(), cell->viewport()->width());
}
