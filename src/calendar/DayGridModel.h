#pragma once
// The day grid's rows: the rows of the filter set filteredEntries with three columns (the fields
// MYEVENT, DATE and WHAT, headed "Title", "Date" and "Category") and one empty line at the
// bottom for a new row. An edited cell is written back as a row update; an edit of the bottom
// line adds a row. Every written row first passes the grid's change rule storeChangedRow: it
// takes the shown day and the category "1 Events".
#include <QAbstractTableModel>
#include <exception>
#include <functional>

namespace wk::store {
class DataSource;
}

namespace wk::calendar {

class DayGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The header role that names a column's field.
    static constexpr int FieldRole = Qt::UserRole;

    // `dayDate` holds the date text of the day the grid shows (the day list keeps it).
    DayGridModel(store::DataSource& source, const QString& dayDate, QObject* parent = nullptr);

    // Told of a typed value the entries did not take (the grid then shows what is stored).
    std::function<void(const QString& typed, const std::exception& failure)> refused;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The change rule of a new or changed row (the row being written): DATE := the text of
    // the day's date, WHAT := "1 Events".
    void storeChangedRow();

private:
    int storedRows() const;

    store::DataSource& source_;
    const QString& dayDate_;
    bool writing_ = false;
};

} // namespace wk::calendar
