#pragma once
// The timeline: "List by Date" (TimelineListing), the TimeLine switch that fills the strip and
// its year scroller (TimeLineSwitch), and the printed timeline (TimelinePrintWindow).
//
// Front doors: TimelineListing and TimeLineSwitch, created by the main window, and
// TimelinePrintWindow::openFromCheckBox. This folder may call contracts/, controls/ and store/.
#include "timeline/TimelinePrintWindow.h"
#include "timeline/TimeLineSwitch.h"
#include "timeline/TimelineListing.h"
