#pragma once
// How the 42 day cells show their lines: drawn by one DayCellDelegate (a cell lays its lines out
// again when it changes size, so they take its new width and font), and a tooltip on every cell
// that lists each title of its day in full, one per line, kept in step with its lines however
// they were filled (month fill, day grid, drop).
#include <array>

class QListWidget;
class QObject;

namespace wk::calendar {

// Sets the cells (index 1..42) up so; `owner` keeps the delegate and the tooltip connections.
void setUpDayCells(const std::array<QListWidget*, 43>& cells, QObject* owner);

} // namespace wk::calendar
