#include "dialogs/TablesWindow.h"

#include "controls/BoundLists.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "controls/WindowShowing.h"
#include "dialogs/TableGridModel.h"
#include "controls/Prompts.h"
#include "store/DataSource.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace wk::dialogs {

using controls::skipStep;

namespace {

// Opens the tables window on a mouse press, the way the button's MouseDown does.
class PressOpener : public QObject {
public:
    PressOpener(const TablesWindowParts& parts, QPushButton* button) : QObject(button), parts_(parts) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            TablesWindow::open(parts_);
        return QObject::eventFilter(watched, event);
    }

private:
    TablesWindowParts parts_;
};

} // namespace

TablesWindow* TablesWindow::open(const TablesWindowParts& parts)
{
    auto* existing =
        parts.window->findChild<TablesWindow*>(QStringLiteral("FormTables"), Qt::FindDirectChildrenOnly);
    TablesWindow* window = existing ? existing : new TablesWindow(parts);
    controls::showInFront(window);
    return window;
}

void TablesWindow::openOnPress(const TablesWindowParts& parts, QPushButton* button)
{
    button->installEventFilter(new PressOpener(parts, button));
}

TablesWindow::TablesWindow(const TablesWindowParts& parts)
    : QWidget(parts.window, Qt::Window), parts_(parts),
      dataTables_(std::make_unique<store::DataSource>(parts.connections, QStringLiteral("DataTables")))
{
    setObjectName(QStringLiteral("FormTables"));
    setWindowTitle(QStringLiteral("Tables"));
    setAttribute(Qt::WA_DeleteOnClose);
    // No database until a button chooses a table: the grid starts empty.
    dataTables_->setRecordSource(QStringLiteral("Catagory"));

    tableGrid = new QTableView(this);
    tableGrid->setObjectName(QStringLiteral("DBGridtables"));
    model_ = new TableGridModel(*dataTables_, this);
    model_->refused = [this](const QString& reason) {
        parts_.prompts.tell(windowTitle(),
                            QStringLiteral("The table did not take this change:\n%1").arg(reason),
                            controls::MessageIcon::Exclamation);
    };
    tableGrid->setModel(model_);
    tableGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    tableGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tableGrid->horizontalHeader()->setDefaultSectionSize(controls::twipsToPixels(1200));
    tableGrid->installEventFilter(this);

    namesTableButton = new QPushButton(QStringLiteral("Who or Where"), this);
    namesTableButton->setObjectName(QStringLiteral("Command1"));
    categoriesTableButton = new QPushButton(QStringLiteral("Catagory"), this);
    categoriesTableButton->setObjectName(QStringLiteral("Command2"));
    controls::placeTwips(tableGrid, 120, 120, 4575, 3855);
    controls::placeTwips(namesTableButton, 120, 4080, 1455, 375);
    controls::placeTwips(categoriesTableButton, 1680, 4080, 1455, 375);
    new controls::TwipsLayout(this, QSize(4815, 4575)); // the grid grows with the window
    connect(namesTableButton, &QPushButton::clicked, this, &TablesWindow::showNamesTable);
    connect(categoriesTableButton, &QPushButton::clicked, this, &TablesWindow::showCategoriesTable);
}

TablesWindow::~TablesWindow() = default;

QString TablesWindow::scrapbookPath() const { return parts_.scrapbook.database(); }

void TablesWindow::showTable(const QString& table)
{
    skipStep([&] {
        dataTables_->setDatabaseName(scrapbookPath());
        dataTables_->setRecordSource(table);
        dataTables_->refresh();
    });
    model_->reload();
}

void TablesWindow::showNamesTable() { showTable(QStringLiteral("Where")); }

void TablesWindow::showCategoriesTable() { showTable(QStringLiteral("Catagory")); }

void TablesWindow::deleteSelectedRows()
{
    QList<int> rows;
    for (const QModelIndex& index : tableGrid->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty() && tableGrid->currentIndex().isValid())
        rows << tableGrid->currentIndex().row();
    if (!rows.isEmpty())
        model_->removeTableRows(rows);
}

bool TablesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tableGrid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) { // not while a cell is typed
        deleteSelectedRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TablesWindow::unload()
{
    store::DataSource& categories = parts_.categoryTable;
    skipStep([&] { categories.setDatabaseName(scrapbookPath()); });
    skipStep([&] { categories.setRecordSource(QStringLiteral("catagory")); });
    skipStep([&] { categories.refresh(); });
    skipStep([&] { categories.moveFirst(); });
    for (int k = 1; k <= 4; ++k) {
        skipStep([&] {
            QString caption = categories.field(QStringLiteral("catagory")).toString();
            while (caption.endsWith(QLatin1Char(' ')))
                caption.chop(1);
            parts_.categoryButtons[k]->setText(caption);
        });
        skipStep([&] { categories.moveNext(); });
    }
    for (int k = 1; k <= 4; ++k)
        parts_.categoryButtons[k]->update();
    skipStep([&] { controls::fillList(parts_.nameList, parts_.nameTable, QStringLiteral("where")); });
}

void TablesWindow::closeEvent(QCloseEvent* event)
{
    // A cell still being typed is stored before the window goes.
    if (QWidget* editor = QApplication::focusWidget();
        editor && editor != tableGrid && tableGrid->isAncestorOf(editor))
        Q_EMIT tableGrid->itemDelegate()->commitData(editor);
    unload();
    event->accept();
}

} // namespace wk::dialogs
