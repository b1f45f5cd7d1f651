#pragma once
// One row's change as the store made it: the row as stored before and after, so the change can
// be undone and made again exactly (the same row id, every field with its stored value).
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <vector>

#include "store/StoreError.h"

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

// A change or delete found its row holding other values than the ones it was shown: another
// computer or program changed the entry in between. Nothing was written; `now` is the row as it is stored.
class RowChangedError : public StoreError {
public:
    explicit RowChangedError(RowState now)
        : StoreError(QStringLiteral("This entry was changed elsewhere (on another computer, or by another "
                                    "program) after it was shown.")),
          now(std::move(now))
    {
    }
    RowState now;
};

// Row `rowId` of `table` as stored; none when there is no such row.
std::optional<RowState> readRowState(Connection& connection, const QString& table, qint64 rowId);

// The row of `table` that still holds `shown` (values of `columns`, as they were read): row
// `rowId`, or, when another program renumbered the rows (VACUUM renumbers a table without a key),
// a row that holds exactly those values. Throws RowGoneError when there is none and row `rowId`
// is gone, RowChangedError (with the row as it is) when row `rowId` holds other values.
qint64 rowHolding(Connection& connection, const QString& table, qint64 rowId, const QStringList& columns,
                  const QVariantList& shown);

// Makes the row that holds `expected` hold `state`, or removes it for none; an `expected` of none
// adds `state` back, with id `rowId` when that id is free, else with a new id (never replacing
// another row). The row is found as rowHolding finds it, and throws as it does. All of it is
// written or nothing; returns the row's id.
qint64 writeRowState(Connection& connection, const QString& table, qint64 rowId,
                     const std::optional<RowState>& expected, const std::optional<RowState>& state);

// Undoes (`undoing`) or makes again changes that were written as one step (an import): undoing
// goes newest first. All of them are written or none; on success each change's row id follows
// its row, as writeRowState returns it. Throws as writeRowState does.
void writeRowChanges(Connection& connection, std::vector<RowChange>& changes, bool undoing);

} // namespace wk::store
