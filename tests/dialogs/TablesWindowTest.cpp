// The tables window: opened from "Name List", both tables edited in the grid (change, add,
// delete), a change the table refuses, and what closing it gives the main window.
#include "ProgramTest.h"

#include "dialogs/TablesWindow.h"
#include "dialogs/TableGridModel.h"

#include <QTableView>

using namespace wk;
using TablesWindow = wk::testing::ProgramTest;

namespace {

QStringList column(QAbstractItemModel* model, int col)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, col).data().toString();
    return out;
}

dialogs::TablesWindow* openTables(shell::MainWindow& form)
{
    QTest::mousePress(form.widgets().nameListButton, Qt::LeftButton);
    QTest::mouseRelease(form.widgets().nameListButton, Qt::LeftButton);
    return form.findChild<dialogs::TablesWindow*>("FormTables");
}

} // namespace

TEST_F(TablesWindow, EditsCategoriesAndNamesAndGivesThemToTheButtonsAndTheNameListWhenClosed)
{
    book.setCategories({"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar"});
    book.setNames({"*All Pictures", "Grandma"});
    start();

    dialogs::TablesWindow* tables = openTables(form());
    ASSERT_TRUE(tables && tables->isVisible());
    EXPECT_EQ(openTables(form()), tables); // a second press shows the same window
    QAbstractItemModel* grid = tables->tableGrid->model();
    EXPECT_EQ(grid->rowCount(), 0); // no table chosen yet

    tables->categoriesTableButton->click();
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(column(grid, 0),
              (QStringList{"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar", ""}));
    // Change a row, add one in the last line, delete one.
    EXPECT_TRUE(grid->setData(grid->index(0, 0), "1 Parties  "));
    EXPECT_TRUE(grid->setData(grid->index(5, 0), "6 Pets"));
    EXPECT_FALSE(grid->flags(grid->index(0, 1)) & Qt::ItemIsEditable); // one field only
    tables->tableGrid->selectRow(1);
    tables->deleteSelectedRows();
    EXPECT_EQ(column(grid, 0),
              (QStringList{"1 Parties  ", "3 Family", "4 Trips", "5 Calendar", "6 Pets", ""}));

    // Names are edited with their sort numbers.
    tables->namesTableButton->click();
    grid = tables->tableGrid->model();
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->headerData(1, Qt::Horizontal).toString().toLower(), "sort");
    EXPECT_TRUE(grid->setData(grid->index(2, 0), "Uncle Bob's Farm"));
    EXPECT_TRUE(grid->setData(grid->index(2, 1), 7));
    EXPECT_EQ(grid->index(2, 1).data().toInt(), 7);
    EXPECT_TRUE(grid->setData(grid->index(1, 0), "Granny"));
    tables->close();
    const auto captions = [&] {
        QStringList out;
        for (int k = 1; k <= 5; ++k)
            out << widgets().categoryButtons[k]->text();
        return out;
    };
    EXPECT_EQ(captions(), (QStringList{"1 Parties", "3 Family", "4 Trips", "5 Calendar", "Calendar Items"}));
    EXPECT_EQ(wk::testing::listLines(widgets().nameList),
              (QStringList{"*All Pictures", "Granny", "Uncle Bob's Farm"}));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    // Stored in the file: a new start-up reads the same. With fewer than four rows left, the
    // buttons past them keep their captions.
    start();
    EXPECT_EQ(widgets().categoryButtons[1]->text(), "1 Parties");
    tables = openTables(form());
    tables->categoriesTableButton->click();
    for (int k = 0; k < 3; ++k) {
        tables->tableGrid->selectRow(0);
        tables->deleteSelectedRows();
    }
    tables->close();
    EXPECT_EQ(captions(), (QStringList{"5 Calendar", "6 Pets", "4 Trips", "5 Calendar", "Calendar Items"}));
}

TEST_F(TablesWindow, ARefusedRowIsReportedAndNothingElseIsLost)
{
    book.setCategories({"1 Events", "2 School"});
    book.exec("CREATE TRIGGER named_categories BEFORE UPDATE ON Catagory "
              "WHEN trim(coalesce(NEW.catagory, '')) = '' "
              "BEGIN SELECT RAISE(ABORT, 'a category needs a name'); END");
    book.exec("CREATE TRIGGER named_new_categories BEFORE INSERT ON Catagory "
              "WHEN trim(coalesce(NEW.catagory, '')) = '' "
              "BEGIN SELECT RAISE(ABORT, 'a category needs a name'); END");
    shell::MainWindow& form = start();
    dialogs::TablesWindow* tables = openTables(form);
    tables->categoriesTableButton->click();
    QAbstractItemModel* grid = tables->tableGrid->model();
    EXPECT_TRUE(grid->setData(grid->index(1, 0), "2 Lessons"));
    EXPECT_FALSE(grid->setData(grid->index(0, 0), "   "));
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts().first().contains("a category needs a name"));
    EXPECT_EQ(column(grid, 0), (QStringList{"1 Events", "2 Lessons", ""}));
    // The grid goes on working after the refusal.
    EXPECT_TRUE(grid->setData(grid->index(2, 0), "3 Pets"));
    tables->close();
    EXPECT_EQ(form.widgets().categoryButtons[1]->text(), "1 Events");
    EXPECT_EQ(form.widgets().categoryButtons[3]->text(), "3 Pets");
}
