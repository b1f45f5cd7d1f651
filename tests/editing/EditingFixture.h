#pragma once
// The program on a real scrapbook on 4 July 2001, with helpers to open the edit screen.
#include "ProgramTest.h"

namespace wk::testing {

class EditingTest : public ProgramTest {
protected:
    void SetUp() override { today = QDate(2001, 7, 4); }
    // Starts the program and opens the edit screen on list line `line` (none when negative).
    shell::MainWindow& startInEditScreen(int line = 0)
    {
        shell::MainWindow& form = start();
        if (line >= 0)
            selectLine(form.widgets().entryList, line);
        form.widgets().editScreenButton->click();
        return form;
    }
    void addKite()
    {
        book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    }
    bool shown(QWidget* w) { return w->isVisibleTo(&form()); }
    // The stored titles, in row order.
    QStringList storedTitles() const
    {
        QStringList titles;
        for (const QVariantMap& row : storedEntries())
            titles << row["MYEVENT"].toString();
        return titles;
    }
};

} // namespace wk::testing
