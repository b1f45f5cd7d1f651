#pragma once
// The program started with "today" pinned and the calendar switched on, and readers of its cells.
#include "ProgramTest.h"

#include "calendar/CalendarCells.h"

namespace wk::testing {

class CalendarTest : public ProgramTest {
protected:
    shell::MainWindow& startCalendar(const QDate& day)
    {
        today = day;
        start().widgets().calendarButton->click();
        return form();
    }
    QListWidget* cell(int k) const { return program->form().widgets().dayCells[k]; }
    QStringList lines(int k) const { return listLines(cell(k)); }
    // Clicks line `row` of day cell `k` with the mouse.
    void clickLine(int k, int row)
    {
        QTest::mouseClick(cell(k)->viewport(), Qt::LeftButton, {},
                          cell(k)->visualItemRect(cell(k)->item(row)).center());
    }
    int dayNumber(int k) const { return calendar::cellDayNumber(cell(k)); }
    QColor background(int k) const { return calendar::cellBackground(cell(k)); }
    QColor text(int k) const { return calendar::cellText(cell(k)); }
    bool grey(int k) const { return background(k) == calendar::buttonFace(); }
};

} // namespace wk::testing
