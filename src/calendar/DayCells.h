#pragma once
// How the 42 day cells show their lines: drawn by one DayCellDelegate, laid out again whenever a
// cell changes size (its lines take the new width and font at once), and a tooltip on every
// cell that lists each title of its day in full, one per line, kept in step with its lines
// however they were filled (month fill, day grid, drop).
#include <QObject>
#include <array>

class QListWidget;

namespace wk::calendar {

class DayCellDelegate;

class DayCells : public QObject {
    Q_OBJECT
public:
    explicit DayCells(const std::array<QListWidget*, 43>& cells, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QListWidget*, 43> cells_;
    DayCellDelegate* delegate_;
};

} // namespace wk::calendar
