#pragma once
// The TimeLine switch timelineButton and the calendar's year scroller yearScroller.
//
// Switched on, the strip shows the pictures of up to seven consecutive lines of the entry list,
// the selected line in slot 4 where three lines precede it; switched off, the strip is emptied
// and its arrows hidden. The year scroller shows its value as the year in yearLabel and fills the
// month of today of that year; at its two ends the value stays pinned (1701, 2099) while the
// year label counts on, one year per change.
#include "controls/Forward.h"

#include <QObject>
#include <QStringList>
#include <array>

namespace wk::timeline {

// What the TimeLine switch and the year scroller work on.
struct TimeLineSwitchParts {
    controls::PictureButton* timelineButton;
    QScrollBar* yearScroller;
    std::array<controls::ImageControl*, 8> stripSlots; // the strip's slots [1]..[7]
    controls::ImageControl* forwardArrow;
    controls::ImageControl* backArrow;
    controls::LineList* entryList;
    controls::PictureButton* calendarButton;
    controls::ImageControl* bigImage;
    QLabel* monthLabel;
    QLabel* yearLabel;
    std::array<QLabel*, 8> weekdayLabels;  // [1]..[7]
    std::array<QListWidget*, 43> dayCells; // [1]..[42]
    controls::FrameCanvas& canvas;         // where the big picture's frame is drawn
    const controls::LineBookmarks& lineBookmarks;
    contracts::StripState& strip;
    const store::Clock& clock;
    contracts::EntryLines& entryLines;
    contracts::StripArrows& stripArrows;
    contracts::MonthView& month;
};

class TimeLineSwitch : public QObject {
    Q_OBJECT
public:
    explicit TimeLineSwitch(const TimeLineSwitchParts& parts);

    void toggleTimeline();
    void followYearDrag(int value);
    void showScrolledYear();

private:
    void fillStrip();
    // The year label at the scroller's pinned ends: one year on (`step` +1) or back (-1).
    void countShownYear(int step);

    TimeLineSwitchParts parts_;
};

} // namespace wk::timeline
