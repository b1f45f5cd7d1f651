// Dragging an entry of the entry list onto a day: the highlight under the drag and the copy.
#include "CalendarFixture.h"

#include "browse/EntryList.h"
#include "calendar/DayDrop.h"
#include "calendar/MonthCalendar.h"
#include "controls/LineList.h"
#include "store/DataSource.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>

using namespace wk;
using wk::testing::CalendarTest;
using wk::testing::EntryRow;

namespace {

std::unique_ptr<QMimeData> entryLine(int line)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setText("Picture");
    mime->setData("application/x-wanderkeep-entry-line", QByteArray::number(line));
    return mime;
}

// What the drag loop delivers to a cell: enter, a move, then a drop or a leave.
void dragOnto(QListWidget* cell, int line, bool drop)
{
    const QPoint at = cell->viewport()->rect().center();
    const auto mime = entryLine(line);
    QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(cell->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(cell->viewport(), &move);
    if (drop) {
        QDropEvent dropped(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(cell->viewport(), &dropped);
    } else {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(cell->viewport(), &leave);
    }
}

} // namespace

TEST_F(CalendarTest, DroppingCopiesTheSelectedLinesEntryEvenWhenTitlesRepeat)
{
    book.addEntry({QDate(1997, 5, 1), "Birthday", "3 Family", QString("Gran"), "gran.jpg", QString("cake")});
    book.addEntry({QDate(1997, 9, 9), "Birthday", "4 Trips", QString("Tom"), "%\\tom.jpg", {}});
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10)); // February 1998
    bool dragStarted = false;
    form.entryLines().startDrag = [&] {
        dragStarted = true;
        dragOnto(form.widgets().dayCells[12], form.widgets().entryList->currentRow(), true);
    };
    // Pressing the second line starts the drag with the label beside it.
    wk::controls::LineList* list = form.widgets().entryList;
    QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_TRUE(dragStarted);
    EXPECT_EQ(list->currentRow(), 1);

    const auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2]["DATE"].toDate(), QDate(1998, 2, 12));
    EXPECT_EQ(rows[2]["MYEVENT"].toString(), "Birthday");
    EXPECT_EQ(rows[2]["WHAT"].toString(), "4 Trips");
    EXPECT_EQ(rows[2]["WHERE"].toString(), "Tom");
    EXPECT_EQ(rows[2]["PICTURE"].toString(), "%\\tom.jpg");
    EXPECT_TRUE(rows[2]["LOG"].isNull());
    EXPECT_EQ(lines(12), QStringList({"12", "Birthday"}));
    EXPECT_EQ(background(12), QColor(255, 255, 255));
    EXPECT_EQ(text(12), QColor(0, 0, 0));
}

TEST_F(CalendarTest, DropsOnAGreyFirstRowCellAndOnCell41Holding13)
{
    book.addEntry({QDate(1990, 1, 1), "Grandma's kite", "2 School", {}, {}, QString("windy")});
    shell::MainWindow& form = startCalendar(QDate(1998, 7, 10)); // July 1998: cells 1..3 hold 28..30 June
    form.widgets().entryList->setCurrentRow(0);
    dragOnto(form.widgets().dayCells[3], 0, true);
    EXPECT_EQ(lines(3), QStringList({"30", "Grandma's kite"}));
    EXPECT_TRUE(grey(3)); // a grey cell stays grey after the drop

    form.calendar().fillMonth(2, 1998, {}); // February 1998: cell 41 holds 13 March
    form.widgets().yearLabel->setText("1998");
    ASSERT_EQ(dayNumber(41), 13);
    dragOnto(form.widgets().dayCells[41], 0, true);
    EXPECT_EQ(background(41), QColor(255, 255, 255));
    EXPECT_EQ(lines(41), QStringList({"13", "Grandma's kite"}));

    const auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1]["DATE"].toDate(), QDate(1998, 6, 30));
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Grandma's kite"); // an apostrophe copies the right entry
    EXPECT_EQ(rows[1]["LOG"].toString(), "windy");
    EXPECT_EQ(rows[2]["DATE"].toDate(), QDate(1998, 2, 13)); // not below 13: the shown month
}

TEST_F(CalendarTest, TheCellUnderTheDragIsHighlightedAndLeftWithItsOwnThresholds)
{
    book.addEntry({QDate(1990, 1, 1), "Kite"});
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10)); // cells 29..42 hold 1..14 March
    calendar::DayDrop& drop = form.calendar().dayDrop();
    drop.dragOverDay(39, calendar::DayDrop::Enter);
    EXPECT_EQ(background(39), QColor(0, 0, 128));
    EXPECT_EQ(text(39), QColor(255, 255, 255));
    dragOnto(form.widgets().dayCells[39], 0, false); // holds 11: not below 10, so white, not grey
    EXPECT_EQ(background(39), QColor(255, 255, 255));
    EXPECT_EQ(text(39), QColor(0, 0, 0));
    dragOnto(form.widgets().dayCells[37], 0, false); // holds 9: grey again
    EXPECT_TRUE(grey(37));
    dragOnto(form.widgets().dayCells[10], 0, false); // today's cell loses its highlight
    EXPECT_EQ(background(10), QColor(255, 255, 255));
    EXPECT_EQ(text(10), QColor(0, 0, 0));

    // With no line selected a drop stores nothing, and the highlight is gone all the same.
    form.widgets().entryList->setCurrentRow(-1);
    dragOnto(form.widgets().dayCells[11], 0, true);
    EXPECT_EQ(lines(11), QStringList({"11"}));
    EXPECT_EQ(background(11), QColor(255, 255, 255));
    EXPECT_EQ(storedEntries().size(), 1u);
}
