#pragma once
// The shell: the main window, which creates every control of the scrapbook, the state the
// subsystems share and the subsystems themselves (the composition root), and the screen modes
// that switch between its panels. Behaviour lives in the subsystem folders; each subsystem is
// handed only the controls, state and other subsystems' operations it works on.
//
// Front door: Mtform1, created by app/. The shell may call every subsystem folder (browse,
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
struct CdformParts;
class HelpForm1;
class Kidsform1;
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
class Printform1;
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
struct Mtform1Services {
    controls::Prompts& prompts;
    // The folder every relative file name is taken from: the working folder at start-up.
    QString programDirectory;
    const store::Clock& clock; // today's date, for every part that asks
};

class Mtform1 : public QWidget {
    Q_OBJECT
public:
    explicit Mtform1(const Mtform1Services& services, QWidget* parent = nullptr);
    ~Mtform1() override;

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
    store::DataSource Data1;
    store::DataSource DataFind;
    store::DataSource DataWhere;
    store::DataSource DataCatagory;
    store::DataSource datacd;
    store::DataSource Data2;
    // The database file name the data sources are given: programDirectory + the file name.
    QString databasePath(const QString& fileName) const;

    // --- thumbnail strip ---------------------------------------------------------------------
    QGroupBox* Frame2 = nullptr;
    std::array<controls::ImageControl*, 8> Image{}; // Image[1]..Image[7]
    controls::ImageControl* CMDFWD = nullptr;
    controls::ImageControl* CMDREV = nullptr;
    controls::ImageControl* FWDSTOP = nullptr;
    controls::ImageControl* REVSTOP = nullptr;
    controls::PictureButton* TimeOn1 = nullptr;

    // --- big picture, log, calendar switch ---------------------------------------------------
    QGroupBox* Frame3 = nullptr;
    controls::ImageControl* Image8 = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    controls::PictureButton* Calstart1 = nullptr;

    // --- calendar ------------------------------------------------------------------------------
    QGroupBox* Frame4 = nullptr;
    QLabel* CALLABEL = nullptr;
    QLabel* Label8 = nullptr;
    QScrollBar* ScrollMo = nullptr;
    QScrollBar* VScroll1 = nullptr;
    std::array<QLabel*, 8> WeekdayLabel{}; // Label1..Label7 of the calendar
    std::array<QListWidget*, 43> List1{};  // List1(1)..List1(42)
    QTableView* DBGrid1 = nullptr;
    QLineEdit* ListDate = nullptr;
    QPushButton* CmdDayList = nullptr;
    QLabel* DAYLIST = nullptr;

    // --- Main Screen panel -------------------------------------------------------------------
    QGroupBox* Frame1 = nullptr;
    controls::LineList* ListDB1 = nullptr;
    std::array<QRadioButton*, 6> SSOption{}; // SSOption1..SSOption5
    QButtonGroup* categoryOptions = nullptr;
    QPushButton* CmdAll = nullptr;
    QListWidget* DBList2 = nullptr;

    // --- Edit Screen panel -------------------------------------------------------------------
    QGroupBox* Frame5 = nullptr;
    QLabel* LABELFILE = nullptr;
    QLabel* labeltitle = nullptr;
    QLabel* Labelwhere = nullptr;
    QLabel* Labeldate = nullptr;
    QLabel* Labelwhat = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text4 = nullptr;
    controls::DropDownCombo* Wheretext = nullptr; // fills its list as it opens
    QLineEdit* Text1 = nullptr;
    QComboBox* WhatText = nullptr;
    QPushButton* CMDADD = nullptr;
    QPushButton* SAVEADD = nullptr;
    QPushButton* SaveEdit = nullptr;
    QPushButton* CMDDEL = nullptr;
    QPushButton* Command1 = nullptr; // "Thumbnails"
    QPushButton* Command2 = nullptr; // "Name List"
    QPushButton* Command3 = nullptr; // "CD Drive"
    QPushButton* CMDMerge = nullptr;
    QPushButton* Scan = nullptr;
    controls::FolderList* File1 = nullptr; // hidden folder listings
    controls::FolderList* File2 = nullptr;

    // --- List by Date panel ------------------------------------------------------------------
    QGroupBox* FrameMytrip = nullptr;
    controls::LineList* Listdb2 = nullptr;
    QLabel* wherelabel = nullptr;
    QLabel* datelabel = nullptr;

    // --- bottom row ----------------------------------------------------------------------------
    QPushButton* CMDStop = nullptr;
    QPushButton* CmdHelp = nullptr;
    controls::PictureButton* Check2 = nullptr;
    controls::PictureButton* Check1 = nullptr;
    controls::PictureButton* Option3 = nullptr;
    controls::PictureButton* Option2 = nullptr;
    controls::PictureButton* Option1 = nullptr;
    QButtonGroup* screenOptions = nullptr;

    // --- subsystems ------------------------------------------------------------------------------
    browse::EntryDisplay& entryDisplay() { return *entryDisplay_; }
    browse::EntryList& entryList() { return *entryList_; }
    browse::ThumbnailClicks& thumbnailClicks() { return *thumbnailClicks_; }
    timeline::Printform1* printForm() const; // null while closed
    ScreenModes& screenModes() { return *screenModes_; }
    filters::EntryFilters& entryFilters() { return *entryFilters_; }
    calendar::MonthCalendar& calendar() { return *calendar_; }
    editing::EntryEditing& editing() { return *editing_; }
    editing::PictureFiles& pictureFiles() { return *pictureFiles_; }
    timeline::TimelineListing& timelineListing() { return *timelineListing_; }
    timeline::TimeLineSwitch& timeLineSwitch() { return *timeLineSwitch_; }
    strip::StripStepping& stripStepping() { return *stripStepping_; }

    // Load handler: the data sources get their file and the controls their initial visibility.
    void Form_Load();
    // Undo and redo of this run's changes to the entries.
    EntryUndo& entryUndo() { return *undo_; }

    // Asks "Do you really want to quit?"; Yes closes every window.
    void CMDSTOP_Click();

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
    dialogs::CdformParts cdformParts();
    // After an undo or a redo: the entry list, the calendar and the listing read the entries again.
    void showUndoneChange();

    controls::FrameCanvas* canvas_ = nullptr;
    controls::TwipsLayout* layout_ = nullptr;   // the design scales with the window
    std::unique_ptr<ScrapbookBackups> backups_; // a copy before the first change of the run
    std::unique_ptr<EntryUndo> undo_;           // Ctrl+Z, Ctrl+Shift+Z over the entries
    std::unique_ptr<browse::EntryDisplay> entryDisplay_;
    std::unique_ptr<browse::EntryList> entryList_;
    // The subsystems belong to the window and go before its widget teardown, which closes and
    // deletes the controls their event filters and handlers read.
    std::unique_ptr<browse::ThumbnailClicks> thumbnailClicks_;
    QPointer<timeline::Printform1> printForm_;
    std::unique_ptr<ScreenModes> screenModes_;
    std::unique_ptr<filters::EntryFilters> entryFilters_;
    std::unique_ptr<calendar::MonthCalendar> calendar_;
    std::unique_ptr<editing::PictureFiles> pictureFiles_;
    std::unique_ptr<editing::EntryEditing> editing_;
    std::unique_ptr<timeline::TimelineListing> timelineListing_;
    std::unique_ptr<timeline::TimeLineSwitch> timeLineSwitch_;
    std::unique_ptr<strip::StripStepping> stripStepping_;
    QPointer<dialogs::HelpForm1> helpForm_;
    QPointer<dialogs::Kidsform1> kidsForm_;
};

} // namespace wk::shell
