#pragma once
// "Tables": edits the category names (table Catagory) and the who-or-where names (table WHERE)
// in a grid. "Who or Where" and "Catagory" choose the table; every cell change, new row (typed
// into the grid's last line) and deleted row (Delete key on selected rows) is stored at once.
// Closing the window puts the first four category names on the main window's category buttons
// and re-reads its name list.
#include "controls/Forward.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

namespace wk::dialogs {

// What the tables window works on: the scrapbook it edits and the main window's category
// buttons and name list, which it refreshes as it closes.
struct FormTablesParts {
    QWidget* window; // the main window, which owns this one
    const QString& programDirectory;
    store::ConnectionPool& connections;
    store::DataSource& DataCatagory;
    store::DataSource& DataWhere;
    std::array<QRadioButton*, 6> SSOption; // [1]..[5]
    QListWidget* DBList2;
    controls::Prompts& prompts;
};

class TableGridModel;

class FormTables : public QWidget {
    Q_OBJECT
public:
    // Shows the window of `form`, creating it when it is not open.
    static FormTables* open(const FormTablesParts& parts);
    // Opens the window when the mouse button goes down on `button` (Command2_MouseDown).
    static void openOnPress(const FormTablesParts& parts, QPushButton* button);

    explicit FormTables(const FormTablesParts& parts);
    ~FormTables() override;

    void Command1_Click(); // "Who or Where"
    void Command2_Click(); // "Catagory"
    void Form_Unload();
    // Deletes the table rows of the grid's selected rows.
    void deleteSelectedRows();

    store::DataSource& DataTables() { return *dataTables_; }
    TableGridModel& gridModel() { return *model_; }

    QTableView* DBGridtables = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTable(const QString& table);
    QString scrapbookPath() const;

    FormTablesParts parts_;
    std::unique_ptr<store::DataSource> dataTables_;
    TableGridModel* model_ = nullptr;
};

} // namespace wk::dialogs
