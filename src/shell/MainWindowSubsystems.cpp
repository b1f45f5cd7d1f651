// The composition of the main window: one object per subsystem, each handed exactly the controls,
// the shared state and the other subsystems' operations it works on, and each connecting its
// own handlers to its own controls. No two subsystems handle the same control's event, so the
// order below is only the order in which one needs another to exist.
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include "browse/Browse.h"
#include "calendar/Calendar.h"
#include "controls/DropDownCombo.h"
#include "controls/FrameCanvas.h"
#include "controls/PictureButton.h"
#include "dialogs/Dialogs.h"
#include "editing/Editing.h"
#include "filters/Filters.h"
#include "search/Search.h"
#include "shell/UserSettings.h"
#include "slideshow/Slideshow.h"
#include "import/Import.h"
#include "shell/EntryUndo.h"
#include "shell/FamilyServer.h"
#include "shell/ServerFolder.h"
#include "shell/MainWindow.h"
#include "shell/ScreenModes.h"
#include "store/ScrapbookFile.h"
#include "strip/Strip.h"
#include "timeline/Timeline.h"

#include <QPushButton>
#include <QShortcut>

namespace wk::shell {

timeline::TimelinePrintWindow* MainWindow::printWindow() const { return printWindow_; }

dialogs::PictureDiscParts MainWindow::pictureDiscParts()
{
    return {this, pictureDisc_, pictureRoot_, services_.prompts};
}

void MainWindow::createSubsystems()
{
    createBrowsing();
    createEditing();
    createStripAndFilters();
    createCalendarAndTimeline();
    connectWindowOpeners();
}

void MainWindow::createBrowsing()
{
    entryDisplay_ = std::make_unique<browse::EntryDisplay>(browse::EntryDisplayParts{
        .bigPictureFrame = bigPictureFrame,
        .bigImage = bigImage,
        .logEdit = logEdit,
        .entryNameLabel = entryNameLabel,
        .pictureDisc = pictureDisc_,
        .pictureRoot = pictureRoot_,
        .strip = strip_,
        .programDirectory = programDirectory(),
        .prompts = services_.prompts,
    });
    entryDisplay_->openPictureDiscWindow = [this] { dialogs::PictureDiscWindow::open(pictureDiscParts()); };

    entryLines_ = std::make_unique<browse::EntryList>(browse::EntryListParts{
        .window = this,
        .entryList = entryList,
        .pictureLabel = pictureLabel,
        .dayCells = dayCells,
        .calendarButton = calendarButton,
        .connections = connections_,
        .entries = entries_,
        .lineBookmarks = lineBookmarks_,
        .strip = strip_,
        .prompts = services_.prompts,
        .display = *entryDisplay_,
    });
}

void MainWindow::createEditing()
{
    const editing::EditingParts editingParts{
        .editScreenPanel = editScreenPanel,
        .dateEdit = dateEdit,
        .pictureEdit = pictureEdit,
        .logEdit = logEdit,
        .titleEdit = titleEdit,
        .nameCombo = nameCombo,
        .categoryCombo = categoryCombo,
        .addButton = addButton,
        .saveNewButton = saveNewButton,
        .saveChangesButton = saveChangesButton,
        .deleteButton = deleteButton,
        .thumbnailsButton = thumbnailsButton,
        .mergeButton = mergeButton,
        .entryList = entryList,
        .stripSlots = stripSlots,
        .forwardArrow = forwardArrow,
        .backArrow = backArrow,
        .entries = entries_,
        .nameTable = nameTable_,
        .lineBookmarks = lineBookmarks_,
        .strip = strip_,
        .prompts = services_.prompts,
        .clock = services_.clock,
        .programDirectory = programDirectory(),
        .bigPicture = *entryDisplay_,
        .entryLines = *entryLines_,
    };
    pictureFiles_ = std::make_unique<editing::PictureFiles>(editingParts);
    editing_ = std::make_unique<editing::EntryEditing>(editingParts, *pictureFiles_);

    thumbnailClicks_ = std::make_unique<browse::ThumbnailClicks>(browse::ThumbnailClicksParts{
        .window = this,
        .stripSlots = stripSlots,
        .bigImage = bigImage,
        .logEdit = logEdit,
        .pictureEdit = pictureEdit,
        .editScreenPanel = editScreenPanel,
        .entries = entries_,
        .strip = strip_,
        .display = *entryDisplay_,
        .editor = *editing_,
    });
}

void MainWindow::createStripAndFilters()
{
    stripStepping_ = std::make_unique<strip::StripStepping>(strip::StripParts{
        .stripSlots = stripSlots,
        .forwardArrow = forwardArrow,
        .backArrow = backArrow,
        .forwardStop = forwardStop,
        .backStop = backStop,
        .entryList = entryList,
        .lineBookmarks = lineBookmarks_,
        .strip = strip_,
        .entryLines = *entryLines_,
        .pictureFolder = *pictureFiles_,
    });

    entryFilters_ = std::make_unique<filters::EntryFilters>(filters::EntryFiltersParts{
        .categoryButtons = categoryButtons,
        .categoryGroup = categoryGroup,
        .allPicturesButton = allPicturesButton,
        .nameList = nameList,
        .entryList = entryList,
        .timelineButton = timelineButton,
        .stripSlots = stripSlots,
        .entries = entries_,
        .filteredEntries = filteredEntries_,
        .nameTable = nameTable_,
        .entryLines = *entryLines_,
        .stripArrows = *stripStepping_,
    });

    entrySearch_ = std::make_unique<search::EntrySearch>(search::EntrySearchParts{
        .searchBox = searchBox,
        .categoryButtons = categoryButtons,
        .allPicturesButton = allPicturesButton,
        .nameList = nameList,
        .entries = entries_,
        .showFound =
            [this](const QString& typed, const std::vector<qint64>& rows) {
                entryFilters_->showFoundEntries(typed, rows);
            },
        .showAllPictures = [this] { entryFilters_->showAllPictures(); },
    });
}

void MainWindow::createCalendarAndTimeline()
{
    screenModes_ = std::make_unique<ScreenModes>(*this);
    calendar_ = std::make_unique<calendar::MonthCalendar>(calendar::CalendarParts{
        .calendarButton = calendarButton,
        .bigPictureFrame = bigPictureFrame,
        .bigImage = bigImage,
        .logEdit = logEdit,
        .calendarFrame = calendarFrame,
        .monthLabel = monthLabel,
        .yearLabel = yearLabel,
        .monthScroller = monthScroller,
        .yearScroller = yearScroller,
        .weekdayLabels = weekdayLabels,
        .dayCells = dayCells,
        .dayGrid = dayGrid,
        .dayListBackButton = dayListBackButton,
        .entryList = entryList,
        .entries = entries_,
        .filteredEntries = filteredEntries_,
        .clock = services_.clock,
        .prompts = services_.prompts,
        .entryLines = *entryLines_,
        .mainScreen = *screenModes_,
    });

    timelineListing_ = std::make_unique<timeline::TimelineListing>(timeline::TimelineListingParts{
        .listByDateButton = listByDateButton,
        .editScreenButton = editScreenButton,
        .timelineButton = timelineButton,
        .mainScreenPanel = mainScreenPanel,
        .editScreenPanel = editScreenPanel,
        .listingPanel = listingPanel,
        .dateList = dateList,
        .entryDateLabel = entryDateLabel,
        .entryNameLabel = entryNameLabel,
        .bigImage = bigImage,
        .logEdit = logEdit,
        .entries = entries_,
        .lineBookmarks = lineBookmarks_,
        .bigPicture = *entryDisplay_,
    });

    timeLineSwitch_ = std::make_unique<timeline::TimeLineSwitch>(timeline::TimeLineSwitchParts{
        .timelineButton = timelineButton,
        .yearScroller = yearScroller,
        .stripSlots = stripSlots,
        .forwardArrow = forwardArrow,
        .backArrow = backArrow,
        .entryList = entryList,
        .calendarButton = calendarButton,
        .bigImage = bigImage,
        .monthLabel = monthLabel,
        .yearLabel = yearLabel,
        .weekdayLabels = weekdayLabels,
        .dayCells = dayCells,
        .canvas = *canvas_,
        .lineBookmarks = lineBookmarks_,
        .strip = strip_,
        .clock = services_.clock,
        .entryLines = *entryLines_,
        .stripArrows = *stripStepping_,
        .month = *calendar_,
    });
}

// The windows opened from the main window's buttons and tick boxes.
void MainWindow::connectWindowOpeners()
{
    dialogs::TablesWindow::openOnPress(
        dialogs::TablesWindowParts{
            .window = this,
            .scrapbook = scrapbook(),
            .connections = connections_,
            .categoryTable = categoryTable_,
            .nameTable = nameTable_,
            .categoryButtons = categoryButtons,
            .nameList = nameList,
            .prompts = services_.prompts,
        },
        nameListButton);
    connect(discDriveButton, &QPushButton::clicked, this,
            [this] { dialogs::PictureDiscWindow::open(pictureDiscParts()); });
    connect(scanButton, &QPushButton::clicked, this,
            [this] { editing::ScanWindow::open(services_.prompts, programDirectory(), this); });
    connect(importButton, &QPushButton::clicked, this,
            [this] { importing::importFromFolder(importParts()); });
    connect(serverButton, &QPushButton::clicked, this, [this] {
        if (const std::optional<store::ScrapbookLocation> chosen =
                chooseFamilyServerScrapbook(services_.prompts))
            Q_EMIT otherScrapbookChosen(*chosen);
    });
    pictureFolderButton->setVisible(services_.scrapbook.onServer());
    connect(pictureFolderButton, &QPushButton::clicked, this, [this] {
        // The window opens again on the same scrapbook, its pictures looked for in the new folder.
        if (const std::optional<store::ScrapbookLocation> moved =
                changeThisComputersFolder(services_.scrapbook, services_.prompts))
            Q_EMIT otherScrapbookChosen(*moved);
    });
    connect(helpButton, &QPushButton::clicked, this,
            [this] { dialogs::HelpWindow::open(helpWindow_, programDirectory(), this); });
    connect(printCheck, &QAbstractButton::toggled, this, [this] {
        timeline::TimelinePrintWindow::openFromCheckBox(printWindow_,
                                                        timeline::TimelinePrintParts{
                                                            .window = this,
                                                            .printCheck = printCheck,
                                                            .entries = entries_,
                                                            .programDirectory = programDirectory(),
                                                            .prompts = services_.prompts,
                                                            .viewer = *thumbnailClicks_,
                                                        });
    });
    connect(kidsGuideCheck, &QAbstractButton::toggled, this, [this] {
        dialogs::KidsGuide::openFromCheckBox(kidsGuide_, this, kidsGuideCheck, programDirectory());
    });
    connect(slideshowButton, &QAbstractButton::clicked, this, &MainWindow::startSlideshow);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &MainWindow::startSlideshow);
}

void MainWindow::startSlideshow()
{
    if (slideshow_)
        return; // one show at a time
    if (entryList->count() == 0) {
        services_.prompts.tell(windowTitle(), QStringLiteral("The list has no entries to show."),
                               controls::MessageIcon::Information);
        return;
    }
    constexpr int kDefaultSeconds = 5;
    auto* show = new slideshow::SlideshowWindow(
        slideshow::SlideshowParts{
            .entryLines = *entryLines_,
            .entryList = entryList,
            .seconds = userSettings().value(QStringLiteral("slideshow/seconds"), kDefaultSeconds).toInt(),
            .rememberSeconds =
                [](int seconds) { userSettings().setValue(QStringLiteral("slideshow/seconds"), seconds); },
        },
        std::max(entryList->currentRow(), 0));
    // The Main Screen shows the entry the show ended on.
    connect(show, &slideshow::SlideshowWindow::ended, this,
            [this](int line) { entryList->setCurrentRow(line); });
    slideshow_ = show;
    show->showFullScreen();
    show->activateWindow();
}

importing::ImportParts MainWindow::importParts()
{
    auto asOneUndoStep = [this](const std::function<void()>& work) {
        entryUndo().recordAsOneStep(QStringLiteral("Import pictures"), work);
    };
    auto showEntries = [this](qint64 rowId) { showImportedEntries(rowId); };
    return importing::ImportParts{
        .window = this,
        .prompts = services_.prompts,
        .connections = connections_,
        .programDirectory = programDirectory(),
        .databasePath = services_.scrapbook.database(),
        .categoryCombo = categoryCombo,
        .nameCombo = nameCombo,
        .asOneUndoStep = asOneUndoStep,
        .showEntries = showEntries,
    };
}

} // namespace wk::shell
