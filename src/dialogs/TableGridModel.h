#pragma once
// An editable grid model over a data source that reads one small table: one grid row per row of
// the set plus an empty last row for adding, the table's first fields as columns. Every change
// is stored at once (edit + update, add new + update, delete); a change the table refuses is
// reported through `refused` and the grid shows the table as it is stored.
#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

namespace wk::store {
class DataSource;
}

namespace wk::dialogs {

class TableGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 2;

    explicit TableGridModel(store::DataSource& source, QObject* parent = nullptr);

    // Re-reads the grid from the source's current result set.
    void reload();
    // Deletes the table rows shown on grid rows `rows`; returns false when one was refused.
    bool removeTableRows(QList<int> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Told the reason when the table refuses a change.
    std::function<void(const QString& reason)> refused;

private:
    bool storeChange(const std::function<void()>& change);

    store::DataSource& source_;
    QStringList fields_;
    int rows_ = 0;
};

} // namespace wk::dialogs
