// The day grid: the day query of a clicked cell, rows typed into the grid and "Back".
#include "CalendarFixture.h"

#include "calendar/CaptionHeader.h"
#include "calendar/DayGridModel.h"
#include "calendar/DayList.h"
#include "calendar/MonthCalendar.h"
#include "SqliteRows.h"
#include <QLineEdit>
#include <QTableView>

using namespace wk;
using wk::testing::CalendarTest;

namespace {

QStringList gridColumn(const QTableView* grid, int column)
{
    QStringList texts;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        texts << grid->model()->index(r, column).data().toString();
    return texts;
}

} // namespace

TEST_F(CalendarTest, GreyCellsListTheirOwnMonthAndBackKeepsTheDayNumber)
{
    book.addEntry({QDate(1998, 12, 28), "Sledging", "3 Family"});
    book.addEntry({QDate(1998, 12, 28), "Snowman", "3 Family"});
    book.addEntry({QDate(1999, 12, 28), "A year later"});
    book.addEntry({QDate(1999, 1, 20), "Gone soon"});
    shell::MainWindow& form = startCalendar(QDate(1999, 1, 10)); // the 1st is in cell 6
    ASSERT_EQ(lines(2), QStringList({"28", "Sledging", "Snowman"}));

    clickLine(2, 2); // a title line lists the same day as the day number
    QTableView* grid = form.widgets().dayGrid;
    EXPECT_TRUE(grid->isVisibleTo(&form));
    EXPECT_EQ(form.calendar().dayList().dayCell(), 2);
    EXPECT_EQ(form.calendar().dayList().dayDate(), " 12/28/ 1998");
    auto* header = qobject_cast<calendar::CaptionHeader*>(grid->horizontalHeader());
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->caption(), "28");
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal, calendar::DayGridModel::FieldRole).toString(),
              "WHAT");
    EXPECT_EQ(gridColumn(grid, 0), QStringList({"Sledging", "Snowman", ""})); // + the new-row line
    EXPECT_EQ(gridColumn(grid, 1), QStringList({"12/28/1998", "12/28/1998", ""}));
    EXPECT_EQ(gridColumn(grid, 2), QStringList({"3 Family", "3 Family", ""}));
    form.widgets().dayListBackButton->click();
    ASSERT_EQ(dayNumber(37), 1);
    clickLine(37, 0);
    EXPECT_EQ(form.calendar().dayList().dayDate(), " 2/1/ 1999");
    form.widgets().dayListBackButton->click();

    // Back on a day whose entries went, or that never had any, keeps the day number.
    ASSERT_EQ(lines(25), QStringList({"20", "Gone soon"}));
    clickLine(25, 1);
    book.exec("DELETE FROM MYLIFE");
    form.widgets().dayListBackButton->click();
    EXPECT_EQ(lines(25), QStringList({"20"}));
    clickLine(26, 0);
    form.widgets().dayListBackButton->click();
    EXPECT_EQ(lines(26), QStringList({"21"}));
}

TEST_F(CalendarTest, ARowTypedInTheDayGridIsStoredForTheDayAndBackListsIt)
{
    book.addEntry({QDate(1998, 6, 15), "Fair", "4 Trips"});
    shell::MainWindow& form = startCalendar(QDate(1998, 6, 10));
    ASSERT_EQ(dayNumber(16), 15);
    clickLine(16, 0);
    QTableView* grid = form.widgets().dayGrid;
    QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->rowCount(), 2);

    // Typing a title on the new-row line, as a user does.
    grid->setCurrentIndex(model->index(1, 0));
    grid->edit(model->index(1, 0));
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Parade");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits through a queued call
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(gridColumn(grid, 0), QStringList({"Fair", "Parade", ""}));

    // Changing a row writes it back, and the change rule gives it the day and "1 Events".
    ASSERT_TRUE(model->setData(model->index(0, 0), "Funfair"));
    EXPECT_EQ(
        store::testing::rowsOf(book.databasePath(), "SELECT DATE, MYEVENT, WHAT FROM MYLIFE ORDER BY rowid"),
        QStringList({"1998-06-15|Funfair|1 Events", "1998-06-15|Parade|1 Events"}));

    form.widgets().dayListBackButton->click();
    EXPECT_FALSE(grid->isVisibleTo(&form));
    EXPECT_EQ(lines(16), QStringList({"15", "Funfair", "Parade"}));
    EXPECT_EQ(form.entries().recordCount(), 2); // the entry set ran again
}
