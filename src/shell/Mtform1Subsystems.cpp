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
#include "shell/Mtform1.h"
#include "shell/ScreenModes.h"
#include "strip/Strip.h"
#include "timeline/Timeline.h"

#include <QPushButton>

namespace wk::shell {

timeline::Printform1* Mtform1::printForm() const { return printForm_; }

dialogs::CdformParts Mtform1::cdformParts() { return {this, datacd, pictureRoot, prompts}; }

void Mtform1::createSubsystems()
{
    createBrowsing();
    createEditing();
    createStripAndFilters();
    createCalendarAndTimeline();
    connectWindowOpeners();
}

void Mtform1::createBrowsing()
{
    entryDisplay_ = std::make_unique<browse::EntryDisplay>(browse::EntryDisplayParts{
        .Frame3 = Frame3,
        .Image8 = Image8,
        .Text3 = Text3,
        .wherelabel = wherelabel,
        .datacd = datacd,
        .pictureRoot = pictureRoot,
        .folderThumbnails = folderThumbnails,
        .programDirectory = programDirectory,
    });
    entryDisplay_->openCdForm = [this] { dialogs::Cdform::open(cdformParts()); };

    entryList_ = std::make_unique<browse::EntryList>(browse::EntryListParts{
        .window = this,
        .ListDB1 = ListDB1,
        .LABELFILE = LABELFILE,
        .List1 = List1,
        .Calstart1 = Calstart1,
        .connections = connections,
        .Data1 = Data1,
        .lineBookmarks = lineBookmarks,
        .folderThumbnails = folderThumbnails,
        .prompts = prompts,
        .display = *entryDisplay_,
    });
}

void Mtform1::createEditing()
{
    const editing::EditingParts editingParts{
        .Frame5 = Frame5,
        .Text1 = Text1,
        .Text2 = Text2,
        .Text3 = Text3,
        .Text4 = Text4,
        .Wheretext = Wheretext,
        .WhatText = WhatText,
        .CMDADD = CMDADD,
        .SAVEADD = SAVEADD,
        .SaveEdit = SaveEdit,
        .CMDDEL = CMDDEL,
        .Command1 = Command1,
        .CMDMerge = CMDMerge,
        .File1 = File1,
        .File2 = File2,
        .ListDB1 = ListDB1,
        .Image = Image,
        .CMDFWD = CMDFWD,
        .CMDREV = CMDREV,
        .Data1 = Data1,
        .DataWhere = DataWhere,
        .lineBookmarks = lineBookmarks,
        .stripBookmarks = stripBookmarks,
        .stripFirstIndex = stripFirstIndex,
        .stripLastIndex = stripLastIndex,
        .folderThumbnails = folderThumbnails,
        .prompts = prompts,
        .clock = clock,
        .bigPicture = *entryDisplay_,
        .entryLines = *entryList_,
    };
    pictureFiles_ = std::make_unique<editing::PictureFiles>(editingParts);
    editing_ = std::make_unique<editing::EntryEditing>(editingParts, *pictureFiles_);

    thumbnailClicks_ = std::make_unique<browse::ThumbnailClicks>(browse::ThumbnailClicksParts{
        .window = this,
        .Image = Image,
        .Image8 = Image8,
        .Text3 = Text3,
        .Text2 = Text2,
        .Frame5 = Frame5,
        .Data1 = Data1,
        .stripBookmarks = stripBookmarks,
        .folderThumbnails = folderThumbnails,
        .display = *entryDisplay_,
        .editor = *editing_,
    });
}

void Mtform1::createStripAndFilters()
{
    stripStepping_ = std::make_unique<strip::StripStepping>(strip::StripParts{
        .Image = Image,
        .CMDFWD = CMDFWD,
        .CMDREV = CMDREV,
        .FWDSTOP = FWDSTOP,
        .REVSTOP = REVSTOP,
        .ListDB1 = ListDB1,
        .lineBookmarks = lineBookmarks,
        .stripBookmarks = stripBookmarks,
        .stripFirstIndex = stripFirstIndex,
        .stripLastIndex = stripLastIndex,
        .folderThumbnails = folderThumbnails,
        .entryLines = *entryList_,
        .pictureFolder = *pictureFiles_,
    });

    entryFilters_ = std::make_unique<filters::EntryFilters>(filters::EntryFiltersParts{
        .SSOption = SSOption,
        .categoryOptions = categoryOptions,
        .CmdAll = CmdAll,
        .DBList2 = DBList2,
        .ListDB1 = ListDB1,
        .TimeOn1 = TimeOn1,
        .Image = Image,
        .Data1 = Data1,
        .DataFind = DataFind,
        .DataWhere = DataWhere,
        .entryLines = *entryList_,
        .stripArrows = *stripStepping_,
    });
}

void Mtform1::createCalendarAndTimeline()
{
    screenModes_ = std::make_unique<ScreenModes>(*this);
    calendar_ = std::make_unique<calendar::MonthCalendar>(calendar::CalendarParts{
        .Calstart1 = Calstart1,
        .Frame3 = Frame3,
        .Image8 = Image8,
        .Text3 = Text3,
        .Frame4 = Frame4,
        .CALLABEL = CALLABEL,
        .Label8 = Label8,
        .ScrollMo = ScrollMo,
        .VScroll1 = VScroll1,
        .WeekdayLabel = WeekdayLabel,
        .List1 = List1,
        .DBGrid1 = DBGrid1,
        .ListDate = ListDate,
        .CmdDayList = CmdDayList,
        .ListDB1 = ListDB1,
        .Data1 = Data1,
        .DataFind = DataFind,
        .dayListCell = dayListCell,
        .clock = clock,
        .entryLines = *entryList_,
        .mainScreen = *screenModes_,
    });

    timelineListing_ = std::make_unique<timeline::TimelineListing>(timeline::TimelineListingParts{
        .Option2 = Option2,
        .Option3 = Option3,
        .TimeOn1 = TimeOn1,
        .Frame1 = Frame1,
        .Frame5 = Frame5,
        .FrameMytrip = FrameMytrip,
        .Listdb2 = Listdb2,
        .datelabel = datelabel,
        .wherelabel = wherelabel,
        .Image8 = Image8,
        .Text3 = Text3,
        .Data1 = Data1,
        .lineBookmarks = lineBookmarks,
        .bigPicture = *entryDisplay_,
    });

    timeLineSwitch_ = std::make_unique<timeline::TimeLineSwitch>(timeline::TimeLineSwitchParts{
        .TimeOn1 = TimeOn1,
        .VScroll1 = VScroll1,
        .Image = Image,
        .CMDFWD = CMDFWD,
        .CMDREV = CMDREV,
        .ListDB1 = ListDB1,
        .Calstart1 = Calstart1,
        .Image8 = Image8,
        .CALLABEL = CALLABEL,
        .Label8 = Label8,
        .WeekdayLabel = WeekdayLabel,
        .List1 = List1,
        .canvas = *canvas_,
        .lineBookmarks = lineBookmarks,
        .stripBookmarks = stripBookmarks,
        .stripFirstIndex = stripFirstIndex,
        .stripLastIndex = stripLastIndex,
        .folderThumbnails = folderThumbnails,
        .clock = clock,
        .entryLines = *entryList_,
        .stripArrows = *stripStepping_,
        .month = *calendar_,
    });
}

// The windows opened from the main window's buttons and tick boxes.
void Mtform1::connectWindowOpeners()
{
    dialogs::FormTables::openOnPress( // Command2_MouseDown
        dialogs::FormTablesParts{
            .window = this,
            .programDirectory = programDirectory,
            .connections = connections,
            .DataCatagory = DataCatagory,
            .DataWhere = DataWhere,
            .SSOption = SSOption,
            .DBList2 = DBList2,
            .prompts = prompts,
        },
        Command2);
    connect(Command3, &QPushButton::clicked, this, [this] { dialogs::Cdform::open(cdformParts()); });
    connect(Scan, &QPushButton::clicked, this,
            [this] { editing::FRMScan::open(prompts, programDirectory, this); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { dialogs::HelpForm1::open(helpForm_, programDirectory, this); });
    connect(Check2, &QAbstractButton::toggled, this, [this] { // Check2_Click
        timeline::Printform1::openFromCheck2(printForm_, timeline::Printform1Parts{
                                                             .window = this,
                                                             .Check2 = Check2,
                                                             .Data1 = Data1,
                                                             .programDirectory = programDirectory,
                                                             .prompts = prompts,
                                                             .viewer = *thumbnailClicks_,
                                                         });
    });
    connect(Check1, &QAbstractButton::toggled, this,
            [this] { dialogs::Kidsform1::openFromCheck1(kidsForm_, this, Check1, programDirectory); });
}

} // namespace wk::shell
