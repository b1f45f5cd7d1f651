#pragma once
// What the calendar works on: its controls, the entry list it copies from, the entry sets it
// reads and the operations of other subsystems it calls. The main window fills it once.
#include "controls/Forward.h"

#include <array>
#include <cstdint>

namespace wk::calendar {

struct CalendarParts {
    controls::PictureButton* Calstart1;
    QGroupBox* Frame3; // the big picture's frame, which the calendar takes the place of
    controls::ImageControl* Image8;
    QPlainTextEdit* Text3;
    QGroupBox* Frame4;
    QLabel* CALLABEL;
    QLabel* Label8;
    QScrollBar* ScrollMo;
    QScrollBar* VScroll1; // the TimeLine's year scroller, which the calendar starts on this year
    std::array<QLabel*, 8> WeekdayLabel; // [1]..[7]
    std::array<QListWidget*, 43> List1;  // [1]..[42]
    QTableView* DBGrid1;
    QLineEdit* ListDate;
    QPushButton* CmdDayList;
    controls::LineList* ListDB1;
    store::DataSource& Data1;
    store::DataSource& DataFind;
    std::int16_t& dayListCell;
    const store::Clock& clock;
    contracts::EntryLines& entryLines;
    contracts::MainScreen& mainScreen;
};

} // namespace wk::calendar
