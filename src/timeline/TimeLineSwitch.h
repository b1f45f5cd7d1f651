#pragma once
// The TimeLine switch TimeOn1 and the calendar's year scroller VScroll1.
//
// Switched on, the strip shows the pictures of up to seven consecutive lines of the entry list,
// the selected line in slot 4 where three lines precede it; switched off, the strip is emptied
// and its arrows hidden. The year scroller shows its value as the year in Label8 and fills the
// month of today of that year; at its two ends the value stays pinned (1701, 2099) while the
// year label counts on, one year per change.
#include <QObject>

namespace wk::shell {
class Mtform1;
}

namespace wk::timeline {

class TimeLineSwitch : public QObject {
    Q_OBJECT
public:
    explicit TimeLineSwitch(shell::Mtform1& form);

    void TimeOn1_Click();
    void VScroll1_Scroll(int value);
    void VScroll1_Change();

private:
    void fillStrip();
    // The year label at the scroller's pinned ends: one year on (`step` +1) or back (-1).
    void countShownYear(int step);

    shell::Mtform1& form_;
};

} // namespace wk::timeline
