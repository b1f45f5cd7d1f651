#pragma once
// "Tables": edits the category names (table Catagory) and the who-or-where names (table WHERE)
// in a grid. "Who or Where" and "Catagory" choose the table; every cell change, new row (typed
// into the grid's last line) and deleted row (Delete key on selected rows) is stored at once.
// Closing the window puts the first four category names on the main window's category buttons
// and re-reads its name list.
#include "controls/Forward.h"
#include "store/ScrapbookLocation.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

namespace wk::dialogs {

// What the tables window works on: the scrapbook it edits and the main window's category
// buttons and name list, which it refreshes as it closes.
struct TablesWindowParts {
    QWidget* window; // the main window, which owns this one
    const store::ScrapbookLocation& scrapbook;
    store::ConnectionPool& connections;
    store::DataSource& categoryTable;
    store::DataSource& nameTable;
    std::array<QRadioButton*, 6> categoryButtons; // [1]..[5]
    QListWidget* nameList;
    controls::Prompts& prompts;
};

class TableGridModel;

class TablesWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window of `form`, creating it when it is not open.
    static TablesWindow* open(const TablesWindowParts& parts);
    // Opens the window when the mouse button goes down on `button`, as a press on the "Name List" button
    // does.
    static void openOnPress(const TablesWindowParts& parts, QPushButton* button);

    explicit TablesWindow(const TablesWindowParts& parts);
    ~TablesWindow() override;

    void showNamesTable();      // "Who or Where"
    void showCategoriesTable(); // "Catagory"
    void unload();
    // Deletes the table rows of the grid's selected rows.
    void deleteSelectedRows();

    store::DataSource& tableRows() { return *dataTables_; }
    TableGridModel& gridModel() { return *model_; }

    QTableView* tableGrid = nullptr;
    QPushButton* namesTableButton = nullptr;
    QPushButton* categoriesTableButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTable(const QString& table);
    QString scrapbookPath() const;

    TablesWindowParts parts_;
    std::unique_ptr<store::DataSource> dataTables_;
    TableGridModel* model_ = nullptr;
};

} // namespace wk::dialogs
