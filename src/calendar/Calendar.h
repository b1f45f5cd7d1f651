#pragma once
// The month calendar: 42 day cells, the month scroller, the day grid of one day (DayList) and
// copying an entry onto a day by drag and drop (DayDrop). The calendar keeps the month and year
// it shows as values; its two labels only display them.
//
// Front door: MonthCalendar, created by the main window with CalendarParts; it implements
// contracts::MonthView for the TimeLine's year scroller. This folder may call contracts/,
// controls/ and store/.
#include "calendar/CalendarParts.h"
#include "calendar/MonthCalendar.h"
