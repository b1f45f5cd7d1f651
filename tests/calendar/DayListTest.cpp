// The day grid: the day query of a clicked cell, rows typed into the grid and "Back".
#include "CalendarFixture.h"

#include "calendar/CaptionHeader.h"
#include "calendar/DayGridModel.h"
#include "calendar/DayList.h"
#include "calendar/MonthCalendar.h"
#include "store/DataSource.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace wk;
using wk::testing::CalendarTest;

namespace {

QStringList gridColumn(const QTableView* grid, int column)
{
    QStringList texts;
    const QAbstractItemModel* model = grid->model();
    for (int r = 0; r < model->rowCount(); ++r)
        texts << model->index(r, column).data().toString();
    return texts;
}

} // namespace

TEST_F(CalendarTest, AGreyFirstRowCellOfJanuaryListsADayOfTheYearBefore)
{
    book.addEntry({QDate(1998, 12, 28), "Sledging", "3 Family"});
    book.addEntry({QDate(1998, 12, 28), "Snowman", "3 Family"});
    book.addEntry({QDate(1999, 12, 28), "A year later"});
    shell::MainWindow& form = startCalendar(QDate(1999, 1, 10));
    ASSERT_EQ(lines(2), QStringList({"28", "Sledging", "Snowman"}));

    clickLine(2, 2); // the title line lists the same day as the day number
    EXPECT_TRUE(form.widgets().dayGrid->isVisibleTo(&form));
    EXPECT_TRUE(form.widgets().dayListBackButton->isVisibleTo(&form));
    EXPECT_EQ(form.calendar().dayList().dayCell(), 2);
    EXPECT_EQ(form.calendar().dayList().dayDate(), " 12/28/ 1998");
    auto* header = qobject_cast<calendar::CaptionHeader*>(form.widgets().dayGrid->horizontalHeader());
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->caption(), "28");
    const QAbstractItemModel* model = form.widgets().dayGrid->model();
    // Headed in words; each column stays its field.
    EXPECT_EQ(model->headerData(2, Qt::Horizontal, calendar::DayGridModel::FieldRole).toString(), "WHAT");
    EXPECT_EQ(gridColumn(form.widgets().dayGrid, 0),
              QStringList({"Sledging", "Snowman", ""})); // + new-row line
    EXPECT_EQ(gridColumn(form.widgets().dayGrid, 1), QStringList({"12/28/1998", "12/28/1998", ""}));
    EXPECT_EQ(gridColumn(form.widgets().dayGrid, 2), QStringList({"3 Family", "3 Family", ""}));
}

TEST_F(CalendarTest, GreyCellsListTheirMonthAndBackKeepsTheDayNumber)
{
    book.addEntry({QDate(1998, 6, 20), "Gone soon"});
    shell::MainWindow& form = startCalendar(QDate(1998, 6, 10)); // June 1998: the 1st is a Monday
    ASSERT_EQ(dayNumber(1), 31);
    clickLine(1, 0);
    EXPECT_EQ(form.calendar().dayList().dayDate(), " 5/31/ 1998");
    form.widgets().dayListBackButton->click();
    ASSERT_EQ(dayNumber(34), 3);
    clickLine(34, 0);
    EXPECT_EQ(form.calendar().dayList().dayDate(), " 7/3/ 1998");
    form.widgets().dayListBackButton->click();

    // Back on a day whose entries went, or that never had any, keeps the day number.
    ASSERT_EQ(lines(21), QStringList({"20", "Gone soon"}));
    clickLine(21, 1);
    book.exec("DELETE FROM MYLIFE");
    form.widgets().dayListBackButton->click();
    EXPECT_EQ(lines(21), QStringList({"20"}));
    clickLine(22, 0);
    form.widgets().dayListBackButton->click();
    EXPECT_EQ(lines(22), QStringList({"21"}));
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
    EXPECT_EQ(gridColumn(grid, 1)[1], "6/15/1998");
    EXPECT_EQ(gridColumn(grid, 2)[1], "1 Events");

    // Changing a row writes it back, and the change rule gives it the day and "1 Events".
    ASSERT_TRUE(model->setData(model->index(0, 0), "Funfair"));
    const auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Funfair");
    EXPECT_EQ(rows[0]["WHAT"].toString(), "1 Events");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Parade");
    EXPECT_EQ(rows[1]["DATE"].toDate(), QDate(1998, 6, 15));
    EXPECT_EQ(rows[1]["WHAT"].toString(), "1 Events");

    form.widgets().dayListBackButton->click();
    EXPECT_FALSE(grid->isVisibleTo(&form));
    EXPECT_FALSE(form.widgets().dayListBackButton->isVisibleTo(&form));
    EXPECT_EQ(lines(16), QStringList({"15", "Funfair", "Parade"}));
    EXPECT_EQ(form.entries().recordCount(), 2); // the entry set ran again
}
