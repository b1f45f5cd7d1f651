#include "calendar/DayGridModel.h"

#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/Entry.h"

namespace wk::calendar {

namespace {
// The grid's columns are its fields; each is headed by a word a reader knows it by.
QString fieldOf(int column)
{
    static const QString fields[3] = {store::kTitleField, store::kDateField, store::kCategoryField};
    return fields[column];
}

QString headingOf(int column)
{
    static const QString headings[3] = {QStringLiteral("Title"), QStringLiteral("Date"),
                                        QStringLiteral("Category")};
    return headings[column];
}
} // namespace

DayGridModel::DayGridModel(store::DataSource& source, const QString& dayDate, QObject* parent)
    : QAbstractTableModel(parent), source_(source), dayDate_(dayDate)
{
    connect(&source_, &store::DataSource::changed, this, [this] {
        if (writing_)
            return;
        beginResetModel();
        endResetModel();
    });
}

int DayGridModel::storedRows() const { return source_.isOpen() ? source_.recordCount() : 0; }

int DayGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : storedRows() + 1; // the new-row line
}

int DayGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant DayGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.row() >= storedRows())
        return QString();
    QVariant value;
    try {
        value = source_.fieldAt(index.row(), fieldOf(index.column()));
    } catch (const std::exception& failure) {
        controls::logSkipped(failure);
        return QString();
    }
    return store::valueText(value);
}

QVariant DayGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= 3)
            return {};
        if (role == FieldRole)
            return fieldOf(section);
        return role == Qt::DisplayRole ? headingOf(section) : QVariant();
    }
    if (role != Qt::DisplayRole)
        return {};
    return section < storedRows() ? QString() : QStringLiteral("*"); // the new-row line
}

Qt::ItemFlags DayGridModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

void DayGridModel::storeChangedRow()
{
    source_.setField(store::kDateField, dayDate_);
    source_.setField(store::kCategoryField, QStringLiteral("1 Events"));
}

bool DayGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const int rows = storedRows();
    const bool adding = index.row() >= rows;
    if (adding && value.toString().isEmpty())
        return false; // nothing typed on the new-row line
    writing_ = true;
    try {
        if (adding) {
            source_.addNew();
        } else {
            source_.moveTo(index.row());
            source_.edit();
        }
        source_.setField(fieldOf(index.column()), value.toString());
        storeChangedRow();
        source_.update();
    } catch (const std::exception& failure) {
        if (source_.editing())
            source_.cancelUpdate();
        writing_ = false;
        if (refused)
            refused(value.toString(), failure);
        return false;
    }
    writing_ = false;
    if (adding) {
        // The new row takes the new-row line's place; a fresh new-row line follows it.
        beginInsertRows(QModelIndex(), rows + 1, rows + 1);
        endInsertRows();
        Q_EMIT headerDataChanged(Qt::Vertical, rows, rows + 1);
    }
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), 2));
    return true;
}

} // namespace wk::calendar
