#include "store/ImportedEntries.h"

#include "store/Entry.h"
#include "store/QueryDialect.h"
#include "store/Statement.h"

#include <optional>

namespace wk::store {

namespace {

const QString kEntryTable = QStringLiteral("MYLIFE");

bool hasHashTable(Connection& connection)
{
    const QString what = QStringLiteral("Cannot read the picture hashes");
    Statement statement(connection.handle(),
                        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? "
                                       "COLLATE NOCASE"),
                        what);
    statement.bind(1, kPictureHashTable);
    return statement.step(what);
}

} // namespace

QStringList entryPictureNames(Connection& connection)
{
    const QString what = QStringLiteral("Cannot read the entries' pictures");
    Statement statement(connection.handle(),
                        QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 <> '' ORDER BY rowid")
                            .arg(quoteIdentifier(kPictureField), quoteIdentifier(kEntryTable)),
                        what);
    QStringList names;
    while (statement.step(what))
        names << columnValue(statement.get(), 0).toString();
    return names;
}

std::vector<PictureHash> readPictureHashes(Connection& connection)
{
    std::vector<PictureHash> hashes;
    if (!hasHashTable(connection))
        return hashes;
    const QString what = QStringLiteral("Cannot read the picture hashes");
    Statement statement(connection.handle(),
                        QStringLiteral("SELECT PICTURE, BYTES, MTIME, SHA256 FROM %1")
                            .arg(quoteIdentifier(kPictureHashTable)),
                        what);
    while (statement.step(what)) {
        sqlite3_stmt* row = statement.get();
        hashes.push_back(
            {{columnValue(row, 0).toString(), sqlite3_column_int64(row, 1), sqlite3_column_int64(row, 2)},
             columnValue(row, 3).toByteArray()});
    }
    return hashes;
}

std::vector<qint64> addImportedEntries(Connection& connection, const std::vector<ImportedEntry>& entries,
                                       const std::vector<PictureHash>& hashes)
{
    const QString what = QStringLiteral("Cannot add the imported entries to %1").arg(connection.path());
    std::vector<qint64> ids;
    std::vector<RowChange> changes;
    inSavepoint(connection, what, [&] {
        connection.exec(
            QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (PICTURE TEXT NOT NULL, BYTES INTEGER NOT "
                           "NULL, MTIME INTEGER NOT NULL, SHA256 BLOB NOT NULL, PRIMARY KEY "
                           "(PICTURE, BYTES, MTIME))")
                .arg(quoteIdentifier(kPictureHashTable)));
        Statement keep(
            connection.handle(),
            QStringLiteral("INSERT OR REPLACE INTO %1 (PICTURE, BYTES, MTIME, SHA256) VALUES (?, ?, ?, ?)")
                .arg(quoteIdentifier(kPictureHashTable)),
            what);
        for (const PictureHash& hash : hashes) {
            keep.bind(1, hash.key.name);
            keep.bind(2, hash.key.bytes);
            keep.bind(3, hash.key.mtime);
            keep.bind(4, hash.sha256);
            keep.step(what);
            sqlite3_reset(keep.get());
        }
        Statement add(connection.handle(),
                      QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?)")
                          .arg(quoteIdentifier(kEntryTable), quoteIdentifier(kDateField),
                               quoteIdentifier(kTitleField), quoteIdentifier(kCategoryField),
                               quoteIdentifier(kWhereField), quoteIdentifier(kPictureField)),
                      what);
        for (const ImportedEntry& entry : entries) {
            add.bind(1, entry.date);
            add.bind(2, entry.title);
            add.bind(3, entry.category);
            add.bind(4, entry.where);
            add.bind(5, entry.picture);
            add.step(what);
            sqlite3_reset(add.get());
            const qint64 id = sqlite3_last_insert_rowid(connection.handle());
            ids.push_back(id);
            if (connection.observesChanges())
                changes.push_back(
                    {kEntryTable, id, std::nullopt, readRowState(connection, kEntryTable, id), {}});
        }
    });
    for (RowChange& change : changes)
        connection.reportChange(std::move(change));
    return ids;
}

} // namespace wk::store
