#pragma once
// One row's change as the store made it: the row as stored before and after, so the change can
// be undone and made again exactly (the same row id, every field with its stored value).
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace wk::store {

class Connection;

struct RowState {
    QStringList columns;
    QVariantList values; // as stored: integer, real, text, blob or null
};

struct RowChange {
    QString table;
    qint64 rowId = 0;
    std::optional<RowState> before; // none for an added row
    std::optional<RowState> after;  // none for a removed row
    QString database;               // the file, as its connection names it
};

// Row `rowId` of `table` as stored; none when there is no such row.
std::optional<RowState> readRowState(Connection& connection, const QString& table, qint64 rowId);
// Makes row `rowId` of `table` hold `state` (adding it with that id when it is missing), or
// removes it for none. All of it is written or nothing; throws StoreError.
void writeRowState(Connection& connection, const QString& table, qint64 rowId,
                   const std::optional<RowState>& state);

} // namespace wk::store
