#include "store/RowChange.h"

#include "store/QueryDialect.h"
#include "store/Savepoint.h"

#include <algorithm>

namespace wk::store {

std::optional<RowState> readRowState(Connection& connection, const QString& table, qint64 rowId)
{
    const QString what = QStringLiteral("Cannot read %1").arg(table);
    const auto statement = connection.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                                  .arg(connection.allColumns(table), quoteIdentifier(table)),
                                              what);
    statement->bind(1, QVariant(rowId));
    if (!statement->step(what))
        return std::nullopt;
    RowState state;
    for (int c = 0; c < statement->columnCount(); ++c) {
        state.columns << statement->columnName(c);
        state.values << statement->value(c);
    }
    return state;
}

namespace {

// Stored values are compared as stored: same kind and same value (text to the letter).
bool sameStored(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.typeId() == b.typeId() && a.toString() == b.toString();
    return a == b;
}

bool holds(const RowState& state, const QStringList& columns, const QVariantList& shown)
{
    for (qsizetype c = 0; c < columns.size() && c < shown.size(); ++c) {
        qsizetype stored = state.columns.size();
        while (--stored >= 0 && state.columns.at(stored).compare(columns.at(c), Qt::CaseInsensitive) != 0) {
        }
        if (stored < 0)
            continue; // a column the set has and the table lacks
        if (!sameStored(state.values.at(stored), shown.at(c)))
            return false;
    }
    return true;
}

// A row holding exactly `shown` in `columns`; none when there is none.
std::optional<qint64> rowWithValues(Connection& connection, const QString& table, const QStringList& columns,
                                    const QVariantList& shown)
{
    const QString what = QStringLiteral("Cannot read %1").arg(table);
    QStringList conditions;
    for (const QString& column : columns)
        conditions << quoteIdentifier(column) + QLatin1Char(' ') + connection.exactly();
    const auto statement =
        connection.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 LIMIT 1")
                               .arg(quoteIdentifier(table), conditions.join(QLatin1String(" AND "))),
                           what);
    for (qsizetype c = 0; c < shown.size(); ++c)
        statement->bind(int(c) + 1, shown.at(c));
    if (!statement->step(what))
        return std::nullopt;
    return statement->integer(0);
}

} // namespace

qint64 rowHolding(Connection& connection, const QString& table, qint64 rowId, const QStringList& columns,
                  const QVariantList& shown)
{
    const std::optional<RowState> now = readRowState(connection, table, rowId);
    if (now && holds(*now, columns, shown))
        return rowId;
    if (const std::optional<qint64> moved = rowWithValues(connection, table, columns, shown))
        return *moved;
    if (!now)
        throw RowGoneError();
    throw RowChangedError(*now);
}

qint64 writeRowState(Connection& connection, const QString& table, qint64 rowId,
                     const std::optional<RowState>& expected, const std::optional<RowState>& state)
{
    const QString what = QStringLiteral("Cannot write %1").arg(table);
    qint64 written = rowId;
    inSavepoint(connection, what, [&] {
        if (expected)
            written = rowHolding(connection, table, rowId, expected->columns, expected->values);
        if (!state) {
            const auto statement = connection.prepare(
                QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdentifier(table)), what);
            statement->bind(1, QVariant(written));
            statement->step(what);
            if (connection.engine().changedRows() != 1)
                throw RowGoneError();
            return;
        }
        QStringList names;
        QStringList marks;
        for (const QString& column : state->columns) {
            names << quoteIdentifier(column);
            marks << QStringLiteral("?");
        }
        QString sql;
        if (expected) {
            QStringList sets;
            for (const QString& name : names)
                sets << name + QStringLiteral(" = ?");
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(quoteIdentifier(table), sets.join(QLatin1String(", ")));
        } else {
            // Put back under its old id only while nobody else has taken it.
            const bool idFree = !readRowState(connection, table, rowId);
            if (idFree) {
                names.prepend(QStringLiteral("rowid"));
                marks.prepend(QStringLiteral("?"));
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoteIdentifier(table), names.join(QLatin1String(", ")),
                           marks.join(QLatin1String(", ")));
            const auto statement = connection.prepare(sql, what);
            int index = 1;
            if (idFree)
                statement->bind(index++, QVariant(rowId));
            for (const QVariant& value : state->values)
                statement->bind(index++, value);
            statement->step(what);
            // Under its old id the row's id is known; a server's last made id is of its own
            // numbering, which a row put back under its old id never touches.
            written = idFree ? rowId : connection.engine().lastInsertedRow();
            return;
        }
        const auto statement = connection.prepare(sql, what);
        int index = 1;
        for (const QVariant& value : state->values)
            statement->bind(index++, value);
        statement->bind(index, QVariant(written));
        statement->step(what);
        if (connection.engine().changedRows() != 1)
            throw RowGoneError();
    });
    return written;
}

void writeRowChanges(Connection& connection, std::vector<RowChange>& changes, bool undoing)
{
    std::vector<RowChange> written = changes;
    inSavepoint(connection, QStringLiteral("Cannot write the entries"), [&] {
        const auto writeOne = [&](RowChange& change) {
            change.rowId =
                writeRowState(connection, change.table, change.rowId, undoing ? change.after : change.before,
                              undoing ? change.before : change.after);
        };
        if (undoing)
            std::for_each(written.rbegin(), written.rend(), writeOne);
        else
            std::for_each(written.begin(), written.end(), writeOne);
    });
    changes = std::move(written);
}

} // namespace wk::store
