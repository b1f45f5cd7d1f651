#pragma once
// A started program on a scrapbook in a temporary folder with "today" pinned, and the small
// helpers the calendar tests share: reading cells and switching the calendar on.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "calendar/CalendarCells.h"
#include "controls/PictureButton.h"

#include <QListWidget>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace wk::testing {

class CalendarTest : public ::testing::Test {
protected:
    // Starts the program on `book` with its clock at `today` and ticks the calendar switch.
    shell::MainWindow& startCalendar(const QDate& today)
    {
        program = std::make_unique<StartedProgram>(book.dir());
        program->clock.setToday(today);
        program->start();
        program->form().widgets().calendarButton->click();
        return program->form();
    }

    QStringList lines(int cell) const
    {
        QStringList texts;
        const QListWidget* list = program->form().widgets().dayCells[cell];
        for (int k = 0; k < list->count(); ++k)
            texts << list->item(k)->text();
        return texts;
    }
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

    TestScrapbook book;
    std::unique_ptr<StartedProgram> program;
};

} // namespace wk::testing
