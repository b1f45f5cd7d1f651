#pragma once
// Filling the month calendar and moving its year, as the TimeLine's year scroller does. Implemented by
// calendar::MonthCalendar.
#include <optional>

namespace wk::contracts {

struct MonthFillOptions {
    bool requery = false; // run the entry set's record source again before the entry pass
};

class MonthView {
public:
    // Fills the 42 day cells for `month` of `year` with the titles of that month's entries.
    virtual void fillMonth(int month, int year, MonthFillOptions options) = 0;
    // The year the calendar shows in its year label; none before the first is shown.
    virtual std::optional<int> shownYear() const = 0;
    virtual void showYear(int year) = 0;

protected:
    ~MonthView() = default;
};

} // namespace wk::contracts
