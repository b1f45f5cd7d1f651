#pragma once
// The day grid: a click in a day cell lays the grid dayGrid over the month with that day's
// entries (filteredEntries runs the day query); "Back" closes it and rebuilds the clicked cell.
#include "calendar/CalendarParts.h"

#include <QObject>
#include <QString>
#include <memory>

namespace wk::calendar {

class CaptionHeader;
class DayGridModel;
class MonthCalendar;

class DayList : public QObject {
    Q_OBJECT
public:
    DayList(const CalendarParts& parts, MonthCalendar& calendar);
    ~DayList() override;

    // The date text of cell `index` (1..42): " m/d/ yyyy" with the month and year of the cell's
    // day (the neighbouring month for grey cells of the first and last rows).
    QString dateTextOfCell(int index) const;
    // The day the grid was last opened on: its date text and its day cell (1..42; 0 before).
    const QString& dayDate() const { return dayDate_; }
    int dayCell() const { return dayCell_; }

    void openDayList(int index);
    void closeDayList();

    DayGridModel& model() { return *model_; }
    CaptionHeader& header() { return *header_; }

private:
    CalendarParts parts_;
    MonthCalendar& calendar_;
    QString dayDate_; // the date text of the day the grid shows
    int dayCell_ = 0; // the day cell it was opened from (1..42), refilled as it closes
    std::unique_ptr<DayGridModel> model_;
    CaptionHeader* header_;
};

} // namespace wk::calendar
