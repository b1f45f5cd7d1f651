#pragma once
// The timeline: "List by Date" (TimelineListing), the TimeLine switch that fills the strip and
// its year scroller (TimeLineSwitch), and the printed timeline (Printform1).
//
// Front doors: TimelineListing and TimeLineSwitch, created by the main window, and
// Printform1::openFromCheck2. This folder may call contracts/, controls/ and store/.
#include "timeline/Printform1.h"
#include "timeline/TimeLineSwitch.h"
#include "timeline/TimelineListing.h"
