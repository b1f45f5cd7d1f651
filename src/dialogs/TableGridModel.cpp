#include "dialogs/TableGridModel.h"

#include "controls/Steps.h"
#include "store/DataSource.h"

#include <algorithm>

namespace wk::dialogs {

TableGridModel::TableGridModel(store::DataSource& source, QObject* parent)
    : QAbstractTableModel(parent), source_(source)
{
}

void TableGridModel::reload()
{
    beginResetModel();
    fields_.clear();
    rows_ = 0;
    if (source_.isOpen()) {
        fields_ = source_.fieldNames().mid(0, kColumns);
        rows_ = source_.recordCount();
    }
    endResetModel();
}

int TableGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || fields_.isEmpty())
        return 0;
    return rows_ + 1; // the last row adds a new one
}

int TableGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant TableGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= fields_.size() || index.row() >= rows_)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    try {
        const QVariant v = source_.fieldAt(index.row(), fields_[index.column()]);
        return v.isNull() ? QVariant(QString()) : v;
    } catch (const std::exception& failure) {
        controls::logSkipped(failure);
        return {};
    }
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section < rows_ ? QVariant(section + 1) : QVariant(QStringLiteral("*"));
    return section < fields_.size() ? QVariant(fields_[section]) : QVariant(QString());
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() >= fields_.size())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TableGridModel::storeChange(const std::function<void()>& change)
{
    bool stored = true;
    try {
        change();
    } catch (const std::exception& e) {
        stored = false;
        controls::skipStep([&] {
            if (source_.editing())
                source_.cancelUpdate();
        });
        if (refused)
            refused(QString::fromUtf8(e.what()));
    }
    // Show what the table holds now, in its own order.
    controls::skipStep([&] { source_.refresh(); });
    reload();
    return stored;
}

bool TableGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString field = fields_[index.column()];
    const int row = index.row();
    if (row < rows_ && data(index, Qt::EditRole) == value)
        return true; // nothing changed
    if (row >= rows_ && value.toString().isEmpty())
        return false; // an untouched new row stays unwritten
    return storeChange([&] {
        if (row < rows_) {
            source_.moveTo(row);
            source_.edit();
        } else {
            source_.addNew();
        }
        source_.setField(field, value);
        source_.update();
    });
}

bool TableGridModel::removeTableRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return storeChange([&] {
        for (int row : rows) {
            if (row < 0 || row >= rows_)
                continue;
            source_.moveTo(row);
            source_.remove();
        }
    });
}

} // namespace wk::dialogs
