#pragma once
// What the calendar works on: its controls, the entry list it copies from, the entry sets it
// reads and the operations of other subsystems it calls. The main window fills it once.
#include "controls/Forward.h"

#include <array>
#include <cstdint>

namespace wk::calendar {

struct CalendarParts {
    controls::PictureButton* calendarButton;
    QGroupBox* bigPictureFrame; // the big picture's frame, which the calendar takes the place of
    controls::ImageControl* bigImage;
    QPlainTextEdit* logEdit;
    QGroupBox* calendarFrame;
    QLabel* monthLabel;
    QLabel* yearLabel;
    QScrollBar* monthScroller;
    QScrollBar* yearScroller; // the TimeLine's year scroller, which the calendar starts on this year
    std::array<QLabel*, 8> weekdayLabels;  // [1]..[7]
    std::array<QListWidget*, 43> dayCells; // [1]..[42]
    QTableView* dayGrid;
    QPushButton* dayListBackButton;
    controls::LineList* entryList;
    store::DataSource& entries;
    store::DataSource& filteredEntries;
    const store::Clock& clock;
    controls::Prompts& prompts; // tells of a copy or a day-list change that was not stored
    contracts::EntryLines& entryLines;
    contracts::MainScreen& mainScreen;
};

} // namespace wk::calendar
