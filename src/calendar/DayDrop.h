#pragma once
// Dropping an entry of the entry list on a day cell: the cell under the drag is highlighted,
// and the drop stores a copy of the entry of the list's selected line, dated the cell's day.
#include "calendar/CalendarParts.h"

#include <QObject>

namespace wk::calendar {

class MonthCalendar;

class DayDrop : public QObject {
    Q_OBJECT
public:
    DayDrop(const CalendarParts& parts, MonthCalendar& calendar);

    enum DragState { Enter = 0, Leave = 1, Over = 2 };
    void dragOverDay(int index, DragState state);
    void dropOnDay(int index);

    // The day a drop on cell `index` dates its copy; invalid when the grid shows no month.
    QDate dropDate(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int cellOfViewport(QObject* viewport) const; // 0 when none

    CalendarParts parts_;
    MonthCalendar& calendar_;
};

} // namespace wk::calendar
