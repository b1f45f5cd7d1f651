// Dragging an entry of the entry list onto a day: the highlight under the drag and the copy.
#include "CalendarFixture.h"

#include "browse/EntryList.h"
#include "calendar/DayDrop.h"
#include "calendar/MonthCalendar.h"
#include "controls/LineList.h"
#include "SqliteRows.h"

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
        dragOnto(cell(12), form.widgets().entryList->currentRow(), true);
    };
    // Pressing the second line starts the drag with the label beside it.
    wk::controls::LineList* list = form.widgets().entryList;
    QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_TRUE(dragStarted);
    EXPECT_EQ(store::testing::rowsOf(book.databasePath(), "SELECT * FROM MYLIFE WHERE rowid = 3"),
              QStringList({"1998-02-12|Birthday|4 Trips|Tom|%\\tom.jpg|<null>"}));
    EXPECT_EQ(lines(12), QStringList({"12", "Birthday"}));
}

TEST_F(CalendarTest, TheCellUnderTheDragIsHighlightedAndADropGoesToTheCellsDay)
{
    book.addEntry({QDate(1990, 1, 1), "Grandma's kite", "2 School", {}, {}, QString("windy")});
    shell::MainWindow& form = startCalendar(QDate(1998, 2, 10)); // cells 29..42 hold 1..14 March
    form.calendar().dayDrop().dragOverDay(39, calendar::DayDrop::Enter);
    EXPECT_EQ(background(39), QColor(0, 0, 128));
    EXPECT_EQ(text(39), QColor(255, 255, 255));
    dragOnto(cell(39), 0, false); // holds 11: not below 10, so white, not grey
    EXPECT_EQ(background(39), QColor(255, 255, 255));
    EXPECT_EQ(text(39), QColor(0, 0, 0));
    dragOnto(cell(37), 0, false); // holds 9: grey again
    EXPECT_TRUE(grey(37));
    dragOnto(cell(10), 0, false); // today's cell loses its highlight
    EXPECT_EQ(background(10), QColor(255, 255, 255));
    EXPECT_EQ(text(10), QColor(0, 0, 0));

    // With no line selected a drop stores nothing, and the highlight is gone all the same.
    form.widgets().entryList->setCurrentRow(-1);
    dragOnto(cell(11), 0, true);
    EXPECT_EQ(lines(11), QStringList({"11"}));
    EXPECT_EQ(background(11), QColor(255, 255, 255));

    // Cell 41's 13 is not below 13: the shown month. A grey first-row cell is the month before's.
    form.widgets().entryList->setCurrentRow(0);
    dragOnto(cell(41), 0, true);
    EXPECT_EQ(lines(41), QStringList({"13", "Grandma's kite"}));
    EXPECT_EQ(background(41), QColor(255, 255, 255));
    form.calendar().fillMonth(7, 1998, {}); // cells 1..3 hold 28..30 June
    dragOnto(cell(3), 0, true);
    EXPECT_EQ(lines(3), QStringList({"30", "Grandma's kite"}));
    EXPECT_TRUE(grey(3));
    EXPECT_EQ(store::testing::rowsOf(book.databasePath(), "SELECT DATE, MYEVENT, LOG FROM MYLIFE"),
              QStringList({"1990-01-01|Grandma's kite|windy", "1998-02-13|Grandma's kite|windy",
                           "1998-06-30|Grandma's kite|windy"}));
}
