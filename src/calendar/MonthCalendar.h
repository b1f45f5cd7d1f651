#pragma once
// The calendar of the main window: a month as 42 day cells (six weeks from Sunday), the
// calendar switch calendarButton, the month scroller monthScroller, the day grid of one day (DayList) and
// copying an entry onto a day by drag and drop (DayDrop).
//
// Front door: MonthCalendar, created by the main window. Other subsystems call fillMonth()
// (the year scroller runs it for today's month of the year it shows).
#include "calendar/CalendarParts.h"
#include "contracts/MonthView.h"

#include <QDate>
#include <QObject>
#include <array>
#include <memory>

namespace wk::calendar {

class DayDrop;
class DayList;
class EntryDateIndex;

using contracts::MonthFillOptions;

class MonthCalendar : public QObject, public contracts::MonthView {
    Q_OBJECT
public:
    explicit MonthCalendar(const CalendarParts& parts);
    ~MonthCalendar() override;

    // The calendar switch: on, the month of today takes the place of the big picture and the
    // log; off, the main screen comes back.
    void toggleCalendar();

    // Fills the 42 cells for `month` (1..12) of `year`: the month name, the weekday headings,
    // day numbers, grey days of the neighbouring months, today's day number highlighted, and
    // the title of every entry of the entry set under its day. Every cell starts from black
    // text on the window colour, whatever an earlier fill left. A failing step is skipped.
    void fillMonth(int month, int year, MonthFillOptions options) override;

    // The month scroller: a change refills the grid (0 and 13 step the year and come back to
    // 12 or 1); a thumb drag only previews the month name.
    void showScrolledMonth();
    void followMonthDrag(int value);

    // The date of each cell in the last fill (index 1..42); invalid before the first fill.
    QDate cellDate(int index) const { return cellDates_[size_t(index)]; }

    // The month the calendar shows (1..12; 0 before the first), kept as a value: the month label
    // only displays it.
    int shownMonth() const { return month_; }
    std::optional<int> shownYear() const override { return year_; }
    void showYear(int year) override;

    DayList& dayList() { return *dayList_; }
    DayDrop& dayDrop() { return *dayDrop_; }

private:
    void clearCells();
    void setWeekdayHeadings();
    void showMonth(int month);

    CalendarParts parts_;
    std::unique_ptr<EntryDateIndex> index_;
    std::unique_ptr<DayList> dayList_;
    std::unique_ptr<DayDrop> dayDrop_;
    std::array<QDate, 43> cellDates_{};
    int month_ = 0;
    std::optional<int> year_;
};

} // namespace wk::calendar
