#pragma once
// The shell: the intro window and the start-up sequence (IntroWindow), the main window, which
// creates every control (MainWindowWidgets), keeps the result sets and the state the subsystems
// share, and creates the subsystems themselves (the composition root), and the screen modes that
// switch between its panels (ScreenModes). The main window keeps its own state: other code reads
// it through its accessors. Behaviour lives in the subsystem folders; each subsystem is
// handed only the controls, state and other subsystems' operations it works on.
//
// Front door: MainWindow, created by app/. The shell may call every subsystem folder (browse,
// calendar, dialogs, editing, filters, import, search, slideshow, strip, timeline), contracts/, controls/
// and store/; no subsystem calls the shell.
#include "controls/Forward.h"
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include "contracts/PictureRoot.h"
#include "contracts/StripState.h"
#include "controls/Prompts.h"
#include "shell/MainWindowWidgets.h"
#include "store/ScrapbookLocation.h"
#include "store/ChangeWatcher.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/DataSource.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAbstractButton;

namespace wk::dialogs {
struct PictureDiscParts;
class HelpWindow;
class KidsGuide;
} // namespace wk::dialogs

namespace wk::importing {
struct ImportParts;
}

namespace wk::browse {
class EntryDisplay;
class EntryList;
class ThumbnailClicks;
} // namespace wk::browse

namespace wk::filters {
class EntryFilters;
}
namespace wk::search {
class EntrySearch;
}
namespace wk::calendar {
class MonthCalendar;
} // namespace wk::calendar
namespace wk::editing {
class EntryEditing;
class PictureFiles;
} // namespace wk::editing
namespace wk::timeline {
class TimelinePrintWindow;
class TimelineListing;
class TimeLineSwitch;
} // namespace wk::timeline
namespace wk::strip {
class StripStepping;
}

namespace wk::shell {

class EntryUndo;
class ScrapbookBackups;
class ScreenModes;

// Everything the main window needs from outside; tests build it over a temporary folder.
struct MainWindowServices {
    controls::Prompts& prompts;
    // The scrapbook the window opens (a folder location converts from its name); its folder is
    // where every relative file name is taken from.
    store::ScrapbookLocation scrapbook;
    const store::Clock& clock; // today's date, for every part that asks
};

// The widgets are a private base, as in the multiple-inheritance way of using a designed form:
// the window's own code names them directly, everything else reads them through widgets().
class MainWindow : public QWidget, private MainWindowWidgets {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The controls, by what they are (each keeps its design name as its objectName).
    const MainWindowWidgets& widgets() const { return *this; }

    // What the window was given.
    controls::Prompts& prompts() const { return services_.prompts; }
    const store::ScrapbookLocation& scrapbook() const { return services_.scrapbook; }
    // This computer's folder for the scrapbook: pictures by relative name and the program's own files.
    const QString& programDirectory() const { return services_.scrapbook.folder(); }
    const store::Clock& clock() const { return services_.clock; }

    // The scrapbook's result sets (never visible).
    store::ConnectionPool& connections() { return connections_; }
    store::DataSource& entries() { return entries_; }
    store::DataSource& filteredEntries() { return filteredEntries_; }
    store::DataSource& nameTable() { return nameTable_; }
    store::DataSource& categoryTable() { return categoryTable_; }
    store::DataSource& pictureDisc() { return pictureDisc_; }

    // What the subsystems share: which entry each list line stands for, what the strip shows
    // and where the picture disc is found.
    const controls::LineBookmarks& lineBookmarks() const { return lineBookmarks_; }
    contracts::StripState& strip() { return strip_; }
    contracts::PictureRoot& pictureRoot() { return pictureRoot_; }

    // --- subsystems ------------------------------------------------------------------------------
    browse::EntryDisplay& entryDisplay() { return *entryDisplay_; }
    browse::EntryList& entryLines() { return *entryLines_; }
    browse::ThumbnailClicks& thumbnailClicks() { return *thumbnailClicks_; }
    timeline::TimelinePrintWindow* printWindow() const; // null while closed
    ScreenModes& screenModes() { return *screenModes_; }
    filters::EntryFilters& entryFilters() { return *entryFilters_; }
    search::EntrySearch& entrySearch() { return *entrySearch_; }
    calendar::MonthCalendar& calendar() { return *calendar_; }
    editing::EntryEditing& editing() { return *editing_; }
    editing::PictureFiles& pictureFiles() { return *pictureFiles_; }
    timeline::TimelineListing& timelineListing() { return *timelineListing_; }
    timeline::TimeLineSwitch& timeLineSwitch() { return *timeLineSwitch_; }
    strip::StripStepping& stripStepping() { return *stripStepping_; }

    // Load handler: the data sources get their file and the controls their initial visibility.
    void load();
    // Undo and redo of this run's changes to the entries.
    EntryUndo& entryUndo() { return *undo_; }

    // Turns off the buttons that would change a scrapbook open for reading only.
    void showWhetherWritable();
    // Watches for another computer's changes to the scrapbook (a server's change notices; a file
    // has none) and shows them without a click: see showOthersChanges.
    void watchOthersChanges();

    // Asks "Do you really want to quit?"; Yes closes every window.
    void askToQuit();

    // The window's own drawing surface behind the controls (DrawFrameON / DrawFrameOFF).
    controls::FrameCanvas& frameCanvas() { return *canvas_; }

Q_SIGNALS:
    // The window was closed: the program ends, unless another scrapbook was chosen.
    void unloaded();
    // The user chose another scrapbook to open in place of this one (the family server's).
    void otherScrapbookChosen(const wk::store::ScrapbookLocation& scrapbook);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createSubsystems(); // one object per subsystem, each wiring its own handlers
    void createBrowsing();
    void createEditing();
    void createStripAndFilters();
    void createCalendarAndTimeline();
    void connectWindowOpeners();
    dialogs::PictureDiscParts pictureDiscParts();
    importing::ImportParts importParts();
    // Shows the entry list full screen from the entry on screen; an empty list is told.
    void startSlideshow();
    // After an undo or a redo: the entry list, the calendar and the listing read the entries again.
    void showUndoneChange();
    // The calendar and the listing, where shown, read the entries again.
    void showChangedEntriesInViews();
    // Another connection wrote: the entry list and the open views read the entries again, and the
    // entry on screen stays on screen while it exists. On the Edit Screen the boxes keep what is
    // typed; the views catch up as the screen is left.
    void showOthersChanges();
    // After an import: All Pictures, with entry `rowId` on screen, and the calendar and listing
    // read again.
    void showImportedEntries(qint64 rowId);

    const MainWindowServices services_;
    store::ConnectionPool connections_;
    store::DataSource entries_;
    store::DataSource filteredEntries_;
    store::DataSource nameTable_;
    store::DataSource categoryTable_;
    store::DataSource pictureDisc_;
    controls::LineBookmarks lineBookmarks_;
    contracts::StripState strip_;
    contracts::PictureRoot pictureRoot_;

    controls::FrameCanvas* canvas_ = nullptr;
    controls::TwipsLayout* layout_ = nullptr;       // the design scales with the window
    std::unique_ptr<ScrapbookBackups> backups_;     // a copy before the first change of the run
    store::ChangeWatcher* othersChanges_ = nullptr; // none for a file
    std::unique_ptr<EntryUndo> undo_;               // Ctrl+Z, Ctrl+Shift+Z over the entries
    std::unique_ptr<browse::EntryDisplay> entryDisplay_;
    std::unique_ptr<browse::EntryList> entryLines_;
    // The subsystems belong to the window and go before its widget teardown, which closes and
    // deletes the controls their event filters and handlers read.
    std::unique_ptr<browse::ThumbnailClicks> thumbnailClicks_;
    QPointer<timeline::TimelinePrintWindow> printWindow_;
    std::unique_ptr<ScreenModes> screenModes_;
    std::unique_ptr<filters::EntryFilters> entryFilters_;
    std::unique_ptr<search::EntrySearch> entrySearch_; // goes first: its thread calls the filters
    std::unique_ptr<calendar::MonthCalendar> calendar_;
    std::unique_ptr<editing::PictureFiles> pictureFiles_;
    std::unique_ptr<editing::EntryEditing> editing_;
    std::unique_ptr<timeline::TimelineListing> timelineListing_;
    std::unique_ptr<timeline::TimeLineSwitch> timeLineSwitch_;
    std::unique_ptr<strip::StripStepping> stripStepping_;
    QPointer<dialogs::HelpWindow> helpWindow_;
    QPointer<dialogs::KidsGuide> kidsGuide_;
    QPointer<QWidget> slideshow_;
};

} // namespace wk::shell
