// A day cell lists every title of its day in full in its tooltip, and draws its lines as wide as
// the cell in a font that lets the day number and the start of two titles be read when the cell
// is enlarged with the window.
#include "CalendarFixture.h"

#include "calendar/DayCellDelegate.h"

#include <QStyle>

using namespace wk;
using wk::testing::CalendarTest;

TEST_F(CalendarTest, ADayCellShowsItsTitlesWholeInItsTooltipAndReadableInItsLines)
{
    book.addEntry({QDate(2024, 2, 14), "Grandma's 80th birthday party at the lake"});
    book.addEntry({QDate(2024, 2, 14), "Sports day run"});
    shell::MainWindow& form = startCalendar(QDate(2024, 2, 10)); // the 14th is in cell 18
    QListWidget* cell = form.widgets().dayCells[18];
    ASSERT_EQ(lines(18).size(), 3);
    EXPECT_EQ(cell->toolTip(), "Grandma's 80th birthday party at the lake\nSports day run");
    EXPECT_EQ(form.widgets().dayCells[17]->toolTip(), QString()); // a day without entries

    // The window three times larger, as on a full-HD screen: cell and font grow alike. Each
    // line is as wide as the cell (so a long title ends in an ellipsis instead of being cut
    // mid-letter), in sight, and shows at least its first twelve characters.
    form.show();
    cell->resize(cell->size() * 3);
    QFont large = cell->font();
    large.setPixelSize(QFontInfo(large).pixelSize() * 3);
    cell->setFont(large);
    const QFontMetrics lineFont(calendar::dayLineFont(cell));
    const int margin = cell->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell) + 1;
    for (int k = 0; k < 3; ++k) {
        const QRect line = cell->visualItemRect(cell->item(k));
        EXPECT_EQ(line.width(), cell->viewport()->width()) << k;
        EXPECT_TRUE(cell->viewport()->rect().contains(line)) << k;
        const QString text = cell->item(k)->text();
        EXPECT_EQ(lineFont.elidedText(text, Qt::ElideRight, line.width() - 2 * margin).left(12),
                  text.left(12));
    }
}
