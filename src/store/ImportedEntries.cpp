#include "store/ImportedEntries.h"

#include "store/Entry.h"
#include "store/QueryDialect.h"
#include "store/Savepoint.h"

#include <QSet>
#include <optional>

namespace wk::store {

namespace {

const QString kEntryTable = QStringLiteral("MYLIFE");

bool hasHashTable(Connection& connection)
{
    return connection.engine().hasTable(kPictureHashTable, QStringLiteral("Cannot read the picture hashes"));
}

} // namespace

QStringList entryPictureNames(Connection& connection)
{
    const QString what = QStringLiteral("Cannot read the entries' pictures");
    // Each name once, in the order the entries were made. Kept apart here: an order by a column not
    // selected does not go with DISTINCT in standard SQL.
    const auto statement =
        connection.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %1 <> '' ORDER BY rowid")
                               .arg(quoteIdentifier(kPictureField), quoteIdentifier(kEntryTable)),
                           what);
    QStringList names;
    QSet<QString> seen;
    while (statement->step(what)) {
        const QString name = statement->value(0).toString();
        if (!seen.contains(name)) {
            seen.insert(name);
            names << name;
        }
    }
    return names;
}

std::vector<PictureHash> readPictureHashes(Connection& connection)
{
    std::vector<PictureHash> hashes;
    if (!hasHashTable(connection))
        return hashes;
    const QString what = QStringLiteral("Cannot read the picture hashes");
    const auto row = connection.prepare(QStringLiteral("SELECT PICTURE, BYTES, MTIME, SHA256 FROM %1")
                                            .arg(quoteIdentifier(kPictureHashTable)),
                                        what);
    while (row->step(what))
        hashes.push_back(
            {{row->value(0).toString(), row->integer(1), row->integer(2)}, row->value(3).toByteArray()});
    return hashes;
}

std::vector<qint64> addImportedEntries(Connection& connection, const std::vector<ImportedEntry>& entries,
                                       const std::vector<PictureHash>& hashes)
{
    const QString what = QStringLiteral("Cannot add the imported entries to %1").arg(connection.label());
    std::vector<qint64> ids;
    std::vector<RowChange> changes;
    inSavepoint(connection, what, [&] {
        connection.engine().ensurePictureHashTable(what);
        const auto keep = connection.prepare(
            QStringLiteral("INSERT INTO %1 (PICTURE, BYTES, MTIME, SHA256) VALUES (?, ?, ?, ?) "
                           "ON CONFLICT (PICTURE, BYTES, MTIME) DO UPDATE SET SHA256 = excluded.SHA256")
                .arg(quoteIdentifier(kPictureHashTable)),
            what);
        for (const PictureHash& hash : hashes) {
            keep->bind(1, hash.key.name);
            keep->bind(2, hash.key.bytes);
            keep->bind(3, hash.key.mtime);
            keep->bind(4, hash.sha256);
            keep->step(what);
            keep->reset();
        }
        const auto add =
            connection.prepare(QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?)")
                                   .arg(quoteIdentifier(kEntryTable), quoteIdentifier(kDateField),
                                        quoteIdentifier(kTitleField), quoteIdentifier(kCategoryField),
                                        quoteIdentifier(kWhereField), quoteIdentifier(kPictureField)),
                               what);
        for (const ImportedEntry& entry : entries) {
            add->bind(1, entry.date);
            add->bind(2, entry.title);
            add->bind(3, entry.category);
            add->bind(4, entry.where);
            add->bind(5, entry.picture);
            add->step(what);
            add->reset();
            const qint64 id = connection.engine().lastInsertedRow();
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
