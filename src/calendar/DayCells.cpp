#include "calendar/DayCells.h"

#include "calendar/DayCellDelegate.h"
#include "controls/LineTips.h"

#include <QEvent>
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

DayCells::DayCells(const std::array<QListWidget*, 43>& cells, QObject* parent)
    : QObject(parent), cells_(cells), delegate_(new DayCellDelegate(this))
{
    for (int i = 1; i <= 42; ++i) {
        QListWidget* cell = cells_[size_t(i)];
        cell->setItemDelegate(delegate_);
        cell->setWordWrap(false);
        cell->setTextElideMode(Qt::ElideRight);
        cell->viewport()->installEventFilter(this);
        QAbstractItemModel* lines = cell->model();
        const auto update = [cell] { showTitlesAsTip(cell); };
        connect(lines, &QAbstractItemModel::rowsInserted, this, update);
        connect(lines, &QAbstractItemModel::rowsRemoved, this, update);
        connect(lines, &QAbstractItemModel::modelReset, this, update);
        connect(lines, &QAbstractItemModel::dataChanged, this, update);
    }
}

bool DayCells::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        // A list lays out its lines again only when it grows taller; the lines take the cell's
        // width and a font fitted to its size, so any change of size needs a new layout.
        for (int i = 1; i <= 42; ++i) {
            if (cells_[size_t(i)]->viewport() == watched)
                cells_[size_t(i)]->doItemsLayout();
        }
    }
    return false;
}

} // namespace wk::calendar
