#include "calendar/DayCells.h"

#include "calendar/DayCellDelegate.h"
#include "controls/LineTips.h"

#include <QListWidget>

namespace wk::calendar {

namespace {
// The titles of a cell are its lines after the day number.
void showTitlesAsTip(QListWidget* cell)
{
    QStringList titles;
    for (int k = 1; k < cell->count(); ++k)
        titles << cell->item(k)->text();
    cell->setToolTip(titles.isEmpty() ? QString() : controls::wholeLinesTip(titles));
}
} // namespace

void setUpDayCells(const std::array<QListWidget*, 43>& cells, QObject* owner)
{
    auto* delegate = new DayCellDelegate(owner);
    for (int i = 1; i <= 42; ++i) {
        QListWidget* cell = cells[size_t(i)];
        cell->setItemDelegate(delegate);
        QAbstractItemModel* lines = cell->model();
        const auto update = [cell] { showTitlesAsTip(cell); };
        QObject::connect(lines, &QAbstractItemModel::rowsInserted, owner, update);
        QObject::connect(lines, &QAbstractItemModel::rowsRemoved, owner, update);
        QObject::connect(lines, &QAbstractItemModel::modelReset, owner, update);
        QObject::connect(lines, &QAbstractItemModel::dataChanged, owner, update);
    }
}

} // namespace wk::calendar
