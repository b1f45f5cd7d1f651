// The composition of the main window: one object per subsystem, each handed exactly the controls,
// the shared state and the other subsystems' operations it works on, and each connecting its
// own handlers to its own controls. No two subsystems handle the same control's event, so the
// order below is only the order in which one needs another to exist.
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include "browse/Browse.h"
#include "calendar/Calendar.h"
#include "controls/FrameCanvas.h"
#include "controls/PictureButton.h"
#include "dialogs/Dialogs.h"
#include "editing/Editing.h"
#include "filters/Filters.h"
#include "shell/MainWindow.h"
#include "shell/ScreenModes.h"
#include "strip/Strip.h"
#include "timeline/Timeline.h"

#include <QPushButton>

namespace wk::shell {

timeline::TimelinePrintWindow* MainWindow::printWindow() const { return printWindow_; }

dialogs::PictureDiscParts MainWindow::pictureDiscParts() { return {this, pictureDisc, pictureRoot, prompts}; }

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
        .pictureDisc = pictureDisc,
        .pictureRoot = pictureRoot,
        .folderThumbnails = folderThumbnails,
        .programDirectory = programDirectory,
    });
    entryDisplay_->openPictureDiscWindow = [this] { dialogs::PictureDiscWindow::open(pictureDiscParts()); };

    entryLines_ = std::make_unique<browse::EntryList>(browse::EntryListParts{
        .window = this,
        .entryList = entryList,
        .pictureLabel = pictureLabel,
        .dayCells = dayCells,
        .calendarButton = calendarButton,
        .connections = connections,
        .entries = entries,
        .lineBookmarks = lineBookmarks,
        .folderThumbnails = folderThumbnails,
        .prompts = prompts,
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
        .folderPictures = folderPictures,
        .cameraNumbers = cameraNumbers,
        .entryList = entryList,
        .stripSlots = stripSlots,
        .forwardArrow = forwardArrow,
        .backArrow = backArrow,
        .entries = entries,
        .nameTable = nameTable,
        .lineBookmarks = lineBookmarks,
        .stripBookmarks = stripBookmarks,
        .stripFirstIndex = stripFirstIndex,
        .stripLastIndex = stripLastIndex,
        .folderThumbnails = folderThumbnails,
        .prompts = prompts,
        .clock = clock,
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
        .entries = entries,
        .stripBookmarks = stripBookmarks,
        .folderThumbnails = folderThumbnails,
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
        .lineBookmarks = lineBookmarks,
        .stripBookmarks = stripBookmarks,
        .stripFirstIndex = stripFirstIndex,
        .stripLastIndex = stripLastIndex,
        .folderThumbnails = folderThumbnails,
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
        .entries = entries,
        .filteredEntries = filteredEntries,
        .nameTable = nameTable,
        .entryLines = *entryLines_,
        .stripArrows = *stripStepping_,
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
        .dayListDate = dayListDate,
        .dayListBackButton = dayListBackButton,
        .entryList = entryList,
        .entries = entries,
        .filteredEntries = filteredEntries,
        .dayListCell = dayListCell,
        .clock = clock,
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
        .entries = entries,
        .lineBookmarks = lineBookmarks,
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
        .lineBookmarks = lineBookmarks,
        .stripBookmarks = stripBookmarks,
        .stripFirstIndex = stripFirstIndex,
        .stripLastIndex = stripLastIndex,
        .folderThumbnails = folderThumbnails,
        .clock = clock,
        .entryLines = *entryLines_,
        .stripArrows = *stripStepping_,
        .month = *calendar_,
    });
}

// The windows opened from the main window's buttons and tick boxes.
void MainWindow::connectWindowOpeners()
{
    dialogs::TablesWindow::openOnPress( // Command2_MouseDown
        dialogs::TablesWindowParts{
            .window = this,
            .programDirectory = programDirectory,
            .connections = connections,
            .categoryTable = categoryTable,
            .nameTable = nameTable,
            .categoryButtons = categoryButtons,
            .nameList = nameList,
            .prompts = prompts,
        },
        nameListButton);
    connect(discDriveButton, &QPushButton::clicked, this,
            [this] { dialogs::PictureDiscWindow::open(pictureDiscParts()); });
    connect(scanButton, &QPushButton::clicked, this,
            [this] { editing::ScanWindow::open(prompts, programDirectory, this); });
    connect(helpButton, &QPushButton::clicked, this,
            [this] { dialogs::HelpWindow::open(helpWindow_, programDirectory, this); });
    connect(printCheck, &QAbstractButton::toggled, this, [this] { // Check2_Click
        timeline::TimelinePrintWindow::openFromCheckBox(printWindow_,
                                                        timeline::TimelinePrintParts{
                                                            .window = this,
                                                            .printCheck = printCheck,
                                                            .entries = entries,
                                                            .programDirectory = programDirectory,
                                                            .prompts = prompts,
                                                            .viewer = *thumbnailClicks_,
                                                        });
    });
    connect(kidsGuideCheck, &QAbstractButton::toggled, this, [this] {
        dialogs::KidsGuide::openFromCheckBox(kidsGuide_, this, kidsGuideCheck, programDirectory);
    });
}

} // namespace wk::shell
