#pragma once
// Which month a day cell belongs to, told from its position (1..42) and its day number: the
// first row may hold the last days of the month before, the last rows the first days of the
// month after. Those cells are the grey ones. A month is given as an offset from the shown
// month (-1 before, 0 the shown month, 1 after), as firstOfMonth takes it.
//
// Why the thresholds differ: the month fill and the day grid use the exact rule (a day above
// 20 in the first row can only be the month before, a day below 20 in the last two rows only
// the month after). The drop on a day has always used its own, looser tests, and where a
// dropped copy is dated is something users see and rely on, so they are kept as they are: a
// cell before 8 holding a day above 20 is the month before, a cell after 20 holding a day below
// 13 the month after. So a drop on cell 41 holding the 13th of the next month dates the copy in
// the shown month. A drag leaving a cell repaints it grey by yet another test (a cell before 7
// holding a day above 20, a cell after 20 holding a day below 10), so a grey cell holding the
// 10th to 12th turns white when a drag leaves it.
namespace wk::calendar {

// The month fill's grey cells and the day grid's month of a cell.
int monthOffsetOfCell(int index, int day);

// The month a drop on a cell dates its copy in; the drop repaints these cells grey.
int monthOffsetOfDropCell(int index, int day);

// Whether a cell a drag has just left is repainted grey.
bool greyAfterDragLeaves(int index, int day);

} // namespace wk::calendar
