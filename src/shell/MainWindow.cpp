#include "shell/MainWindow.h"

#include "browse/Browse.h"
#include "calendar/Calendar.h"
#include "controls/ClassicColours.h"
#include "controls/FrameCanvas.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "dialogs/Dialogs.h"
#include "editing/Editing.h"
#include "filters/Filters.h"
#include "search/Search.h"
#include "slideshow/Slideshow.h"
#include "shell/EntryUndo.h"
#include "shell/ScrapbookBackups.h"
#include "shell/ScreenModes.h"
#include "shell/ServerFolder.h"
#include "shell/WindowPlacement.h"
#include "strip/Strip.h"
#include "timeline/Timeline.h"
#include "store/Backups.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace wk::shell {

namespace {
// The design holds every control: the bottom row of buttons starts at 6480 and is 375 high.
constexpr int kDesignWidth = 9480;
constexpr int kDesignHeight = 6480 + 375;
} // namespace

MainWindow::MainWindow(const MainWindowServices& services, QWidget* parent)
    : QWidget(parent), services_(services), entries_(connections_, QStringLiteral("Data1")),
      filteredEntries_(connections_, QStringLiteral("DataFind")),
      nameTable_(connections_, QStringLiteral("DataWhere")),
      categoryTable_(connections_, QStringLiteral("DataCatagory")),
      pictureDisc_(connections_, QStringLiteral("datacd"))
{
    setObjectName(QStringLiteral("MTFORM1"));
    setWindowTitle(QStringLiteral("Wanderkeep - %1").arg(services_.scrapbook.displayName()));
    layout_ = new controls::TwipsLayout(this, QSize(kDesignWidth, kDesignHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    setPalette(pal);
    setAutoFillBackground(true);

    backups_ = std::make_unique<ScrapbookBackups>(services_.prompts, services_.clock);
    backups_->guard(connections_);

    entries_.setRecordSource(QStringLiteral("MYLIFE"));
    filteredEntries_.setRecordSource(QStringLiteral("MYLIFE"));
    nameTable_.setRecordSource(QStringLiteral("WHERE"));
    categoryTable_.setRecordSource(QStringLiteral("Catagory"));
    pictureDisc_.setRecordSource(QStringLiteral("cddrive"));

    canvas_ = new controls::FrameCanvas(this);
    createControls();
    canvas_->lower();

    createSubsystems();
    undo_ =
        std::make_unique<EntryUndo>(this, connections_, services_.prompts, [this] { showUndoneChange(); });
    connect(quitButton, &QPushButton::clicked, this, &MainWindow::askToQuit);
}

MainWindow::~MainWindow() = default;

void MainWindow::load()
{
    // A failing step ends this handler; start-up goes on without it.
    try {
        unsetCursor();
        const QString& database = services_.scrapbook.database();
        for (store::DataSource* source : {&entries_, &nameTable_, &categoryTable_, &filteredEntries_})
            source->setDatabaseName(database);
        controls::skipStep([&] { pictureDisc_.setDatabaseName(pictureDiscDatabase(services_.scrapbook)); });
        // What an interrupted backup left beside the scrapbook goes now, before it could be
        // mistaken for a copy.
        controls::skipStep([&] { store::removeUnfinishedBackups(services_.scrapbook); });
        restoreWindowPlacement(this);
        show();
        logEdit->show();
        for (int k = 1; k <= 7; ++k)
            stripSlots[k]->hide();
        bigImage->show();
        bigImage->setStretch(true);
        timelineButton->show();
        stripStepping_->hideArrows();
        logEdit->setReadOnly(true);
        dateEdit->setReadOnly(false);
        for (int i = 1; i <= 42; ++i)
            dayCells[i]->hide();
        monthLabel->hide();
        yearScroller->hide();
        monthScroller->hide();
        dayListLabel->hide();
    } catch (const std::exception& failure) {
        controls::logSkipped(failure);
    }
}

void MainWindow::showWhetherWritable()
{
    // A scrapbook open for reading only (a child's account, a read-only file): the buttons that
    // would change it are off. Keys and drops that would are refused by the store, which says so.
    const bool readOnly = connections_.open(services_.scrapbook)->isReadOnly();
    for (QWidget* change :
         std::initializer_list<QWidget*>{addButton, saveNewButton, saveChangesButton, deleteButton,
                                         nameListButton, mergeButton, scanButton, importButton})
        change->setEnabled(!readOnly);
}

void MainWindow::watchOthersChanges()
{
    auto connection = connections_.open(services_.scrapbook);
    if (connection->changeSocket() < 0)
        return;
    // Waiting on the server's notices sends nothing: an idle window costs the server nothing.
    othersChanges_ = new store::ChangeWatcher(std::move(connection), this);
    connect(othersChanges_, &store::ChangeWatcher::othersChanged, this, &MainWindow::showOthersChanges);
}

void MainWindow::showOthersChanges()
{
    if (editScreenPanel->isVisible())
        return;
    const int row = entryList->currentRow();
    const qint64 shown = row >= 0 && row < lineBookmarks_.ids().size() ? lineBookmarks_.ids().at(row) : -1;
    controls::skipStep([&] { entryLines().refillFromLastSource(); });
    showChangedEntriesInViews();
    if (const qsizetype line = lineBookmarks_.ids().indexOf(shown);
        line >= 0 && line != entryList->currentRow())
        entryList->setCurrentRow(int(line));
}

void MainWindow::askToQuit()
{
    if (services_.prompts.askYesNo(QStringLiteral("Wanderkeep"),
                                   QStringLiteral("Do you really want to quit?")))
        close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program: every other window closes with it.
    event->accept();
    saveWindowPlacement(this);
    Q_EMIT unloaded();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

void MainWindow::showUndoneChange()
{
    controls::skipStep([&] { entryLines().refillFromLastSource(); });
    showChangedEntriesInViews();
}

void MainWindow::showChangedEntriesInViews()
{
    if (calendarButton->isChecked())
        controls::skipStep([&] {
            calendar().fillMonth(calendar().shownMonth(), calendar().shownYear().value_or(0),
                                 {.requery = true});
        });
    if (listingPanel->isVisible())
        controls::skipStep([&] { timelineListing().fillListing(); });
}

void MainWindow::showImportedEntries(qint64 rowId)
{
    entryFilters().showAllPictures();
    showChangedEntriesInViews();
    const qsizetype line = lineBookmarks_.ids().indexOf(rowId);
    if (line < 0)
        return;
    entryList->setCurrentRow(int(line));
    // On the Edit Screen the boxes show, and Save changes, the entry on screen.
    if (editScreenPanel->isVisible())
        controls::skipStep([&] { editing().editEntry(entryLines().positionOnLine(int(line))); });
}

} // namespace wk::shell
