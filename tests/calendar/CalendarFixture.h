#pragma once
// A started program on a scrapbook in a temporary folder with "today" pinned, and the small
// helpers the calendar tests share: reading cells and switching the calendar on.
#include "ProgramTest.h"

#include "calendar/CalendarCells.h"
#include "controls/PictureButton.h"

#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace wk::testing {

class CalendarTest : public ProgramTest {
protected:
    // Starts the program with its clock at `day` and ticks the calendar switch.
    shell::MainWindow& startCalendar(const QDate& day)
    {
        today = day;
        start().widgets().calendarButton->click();
        return form();
    }

    QStringList lines(int cell) const { return listLines(program->form().widgets().dayCells[cell]); }
    // Clicks line `row` of day cell `cell` with the mouse.
    void clickLine(int cell, int row)
    {
        QListWidget* list = program->form().widgets().dayCells[cell];
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    int dayNumber(int cell) const
    {
        return calendar::cellDayNumber(program->form().widgets().dayCells[cell]);
    }
    bool grey(int cell) const
    {
        return calendar::cellBackground(program->form().widgets().dayCells[cell]) == calendar::buttonFace();
    }
    QColor background(int cell) const
    {
        return calendar::cellBackground(program->form().widgets().dayCells[cell]);
    }
    QColor text(int cell) const { return calendar::cellText(program->form().widgets().dayCells[cell]); }
};

} // namespace wk::testing
