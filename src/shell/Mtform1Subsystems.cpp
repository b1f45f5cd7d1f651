// One object per subsystem of the main window. Each connects its own handlers to the controls
// when it is created; the order matters only where one subsystem calls another's operations.
#include "browse/EntryDisplay.h"
#include "browse/EntryList.h"
#include "browse/ThumbnailClicks.h"
#include "calendar/MonthCalendar.h"
#include "dialogs/Cdform.h"
#include "dialogs/FormTables.h"
#include "filters/EntryFilters.h"
#include "dialogs/HelpForm1.h"
#include "dialogs/Kidsform1.h"
#include "timeline/Printform1.h"
#include "editing/FRMScan.h"
#include "editing/EntryEditing.h"
#include "editing/PictureFiles.h"
#include "controls/PictureButton.h"
#include "shell/Mtform1.h"
#include "shell/ScreenModes.h"
#include "strip/StripStepping.h"
#include "timeline/TimeLineSwitch.h"
#include "timeline/TimelineListing.h"

#include <QPushButton>

namespace wk::shell {

timeline::Printform1* Mtform1::printForm() const { return printForm_; }

void Mtform1::createSubsystems()
{
    entryDisplay_ = std::make_unique<browse::EntryDisplay>(*this);
    entryList_ = std::make_unique<browse::EntryList>(*this);
    thumbnailClicks_ = std::make_unique<browse::ThumbnailClicks>(*this);
    screenModes_ = std::make_unique<ScreenModes>(*this);
    entryFilters_ = std::make_unique<filters::EntryFilters>(*this);
    dialogs::FormTables::openOnPress(*this, Command2); // Command2_MouseDown
    calendar_ = std::make_unique<calendar::MonthCalendar>(*this);
    pictureFiles_ = std::make_unique<editing::PictureFiles>(*this);
    editing_ = std::make_unique<editing::EntryEditing>(*this);
    timelineListing_ = std::make_unique<timeline::TimelineListing>(*this);
    timeLineSwitch_ = std::make_unique<timeline::TimeLineSwitch>(*this);
    stripStepping_ = std::make_unique<strip::StripStepping>(*this);

    entryDisplay_->openCdForm = [this] { dialogs::Cdform::open(*this); };
    connect(Command3, &QPushButton::clicked, this, [this] { dialogs::Cdform::open(*this); });
    connect(Scan, &QPushButton::clicked, this,
            [this] { editing::FRMScan::open(prompts, programDirectory, this); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { dialogs::HelpForm1::open(helpForm_, programDirectory, this); });
    connect(Check2, &QAbstractButton::toggled, this,
            [this] { timeline::Printform1::openFromCheck2(printForm_, *this); }); // Check2_Click
    connect(Check1, &QAbstractButton::toggled, this,
            [this] { dialogs::Kidsform1::openFromCheck1(kidsForm_, this, Check1, programDirectory); });
}

} // namespace wk::shell
