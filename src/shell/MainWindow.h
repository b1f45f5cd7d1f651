#pragma once
// The shell: the main window, which creates every control of the scrapbook, the state the
// subsystems share and the subsystems themselves (the composition root), and the screen modes
// that switch between its panels. Behaviour lives in the subsystem folders; each subsystem is
// handed only the controls, state and other subsystems' operations it works on.
//
// Front door: MainWindow, created by app/. The shell may call every subsystem folder (browse,
// calendar, dialogs, editing, filters, strip, timeline), contracts/, controls/ and store/;
// no subsystem calls the shell.
#include "controls/Forward.h"
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include "controls/Prompts.h"
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

namespace wk::browse {
class EntryDisplay;
class EntryList;
class ThumbnailClicks;
} // namespace wk::browse

namespace wk::filters {
class EntryFilters;
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
    // The folder every relative file name is taken from: the working folder at start-up.
    QString programDirectory;
    const store::Clock& clock; // today's date, for every part that asks
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- shared state ------------------------------------------------------------------------
    controls::Prompts& prompts;
    const QString programDirectory;
    const store::Clock& clock;
    QString pictureRoot;
    controls::LineBookmarks lineBookmarks;
    std::array<QString, 8> stripBookmarks; // slots 1..7
    // Line indices of the strip's first and last slots; full-size integers, because a
    // scrapbook of years holds more lines than a 16-bit index can count.
    int stripFirstIndex = 0;
    int stripLastIndex = 0;
    std::int16_t dayListCell = 0;
    // The strip shows a folder's pictures ("Thumbnails"): its slots then hold file names, a
    // thumbnail click hands its file to the picture box and the arrows step through the folder.
    // Showing an entry or refilling the list or the strip from the entries ends it.
    bool folderThumbnails = false;

    // --- data sources (never visible) --------------------------------------------------------
    store::ConnectionPool connections;
    store::DataSource entries;
    store::DataSource filteredEntries;
    store::DataSource nameTable;
    store::DataSource categoryTable;
    store::DataSource pictureDisc;
    // The database file name the data sources are given: programDirectory + the file name.
    QString databasePath(const QString& fileName) const;

    // --- thumbnail strip ---------------------------------------------------------------------
    QGroupBox* stripFrame = nullptr;
    std::array<controls::ImageControl*, 8> stripSlots{}; // Image[1]..Image[7]
    controls::ImageControl* forwardArrow = nullptr;
    controls::ImageControl* backArrow = nullptr;
    controls::ImageControl* forwardStop = nullptr;
    controls::ImageControl* backStop = nullptr;
    controls::PictureButton* timelineButton = nullptr;

    // --- big picture, log, calendar switch ---------------------------------------------------
    QGroupBox* bigPictureFrame = nullptr;
    controls::ImageControl* bigImage = nullptr;
    QPlainTextEdit* logEdit = nullptr;
    controls::PictureButton* calendarButton = nullptr;

    // --- calendar ------------------------------------------------------------------------------
    QGroupBox* calendarFrame = nullptr;
    QLabel* monthLabel = nullptr;
    QLabel* yearLabel = nullptr;
    QScrollBar* monthScroller = nullptr;
    QScrollBar* yearScroller = nullptr;
    std::array<QLabel*, 8> weekdayLabels{};  // Label1..Label7 of the calendar
    std::array<QListWidget*, 43> dayCells{}; // dayCells(1)..dayCells(42)
    QTableView* dayGrid = nullptr;
    QLineEdit* dayListDate = nullptr;
    QPushButton* dayListBackButton = nullptr;
    QLabel* dayListLabel = nullptr;

    // --- Main Screen panel -------------------------------------------------------------------
    QGroupBox* mainScreenPanel = nullptr;
    controls::LineList* entryList = nullptr;
    std::array<QRadioButton*, 6> categoryButtons{}; // SSOption1..SSOption5
    QButtonGroup* categoryGroup = nullptr;
    QPushButton* allPicturesButton = nullptr;
    QListWidget* nameList = nullptr;

    // --- Edit Screen panel -------------------------------------------------------------------
    QGroupBox* editScreenPanel = nullptr;
    QLabel* pictureLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* dateLabel = nullptr;
    QLabel* categoryLabel = nullptr;
    QLineEdit* pictureEdit = nullptr;
    QLineEdit* titleEdit = nullptr;
    controls::DropDownCombo* nameCombo = nullptr; // fills its list as it opens
    QLineEdit* dateEdit = nullptr;
    QComboBox* categoryCombo = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* saveNewButton = nullptr;
    QPushButton* saveChangesButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* thumbnailsButton = nullptr; // "Thumbnails"
    QPushButton* nameListButton = nullptr;   // "Name List"
    QPushButton* discDriveButton = nullptr;  // "CD Drive"
    QPushButton* mergeButton = nullptr;
    QPushButton* scanButton = nullptr;
    controls::FolderList* folderPictures = nullptr; // hidden folder listings
    controls::FolderList* cameraNumbers = nullptr;

    // --- List by Date panel ------------------------------------------------------------------
    QGroupBox* listingPanel = nullptr;
    controls::LineList* dateList = nullptr;
    QLabel* entryNameLabel = nullptr;
    QLabel* entryDateLabel = nullptr;

    // --- bottom row ----------------------------------------------------------------------------
    QPushButton* quitButton = nullptr;
    QPushButton* helpButton = nullptr;
    controls::PictureButton* printCheck = nullptr;
    controls::PictureButton* kidsGuideCheck = nullptr;
    controls::PictureButton* editScreenButton = nullptr;
    controls::PictureButton* listByDateButton = nullptr;
    controls::PictureButton* mainScreenButton = nullptr;
    QButtonGroup* screenGroup = nullptr;

    // --- subsystems ------------------------------------------------------------------------------
    browse::EntryDisplay& entryDisplay() { return *entryDisplay_; }
    browse::EntryList& entryLines() { return *entryLines_; }
    browse::ThumbnailClicks& thumbnailClicks() { return *thumbnailClicks_; }
    timeline::TimelinePrintWindow* printWindow() const; // null while closed
    ScreenModes& screenModes() { return *screenModes_; }
    filters::EntryFilters& entryFilters() { return *entryFilters_; }
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

    // Asks "Do you really want to quit?"; Yes closes every window.
    void askToQuit();

    // The window's own drawing surface behind the controls (DrawFrameON / DrawFrameOFF).
    controls::FrameCanvas& frameCanvas() { return *canvas_; }

Q_SIGNALS:
    // The window was closed: the program ends.
    void unloaded();

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
    // After an undo or a redo: the entry list, the calendar and the listing read the entries again.
    void showUndoneChange();

    controls::FrameCanvas* canvas_ = nullptr;
    controls::TwipsLayout* layout_ = nullptr;   // the design scales with the window
    std::unique_ptr<ScrapbookBackups> backups_; // a copy before the first change of the run
    std::unique_ptr<EntryUndo> undo_;           // Ctrl+Z, Ctrl+Shift+Z over the entries
    std::unique_ptr<browse::EntryDisplay> entryDisplay_;
    std::unique_ptr<browse::EntryList> entryLines_;
    // The subsystems belong to the window and go before its widget teardown, which closes and
    // deletes the controls their event filters and handlers read.
    std::unique_ptr<browse::ThumbnailClicks> thumbnailClicks_;
    QPointer<timeline::TimelinePrintWindow> printWindow_;
    std::unique_ptr<ScreenModes> screenModes_;
    std::unique_ptr<filters::EntryFilters> entryFilters_;
    std::unique_ptr<calendar::MonthCalendar> calendar_;
    std::unique_ptr<editing::PictureFiles> pictureFiles_;
    std::unique_ptr<editing::EntryEditing> editing_;
    std::unique_ptr<timeline::TimelineListing> timelineListing_;
    std::unique_ptr<timeline::TimeLineSwitch> timeLineSwitch_;
    std::unique_ptr<strip::StripStepping> stripStepping_;
    QPointer<dialogs::HelpWindow> helpWindow_;
    QPointer<dialogs::KidsGuide> kidsGuide_;
};

} // namespace wk::shell
