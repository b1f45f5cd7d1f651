#pragma once
// The program on a real scrapbook, switched to the edit screen on 4 July 2001.
#include "ProgramTest.h"

#include <QPushButton>

namespace wk::testing {

class EditingTest : public ProgramTest {
protected:
    void SetUp() override { today = QDate(2001, 7, 4); }
    shell::MainWindow& startInEditScreen(int line = 0)
    {
        shell::MainWindow& form = start();
        if (line >= 0)
            selectLine(form.widgets().entryList, line);
        form.widgets().editScreenButton->click();
        return form;
    }
    static int pixels(int twips) { return px(twips); }
};

} // namespace wk::testing
