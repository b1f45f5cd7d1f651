#pragma once
// What an import needs of the scrapbook: the pictures its entries name, the SHA-256 of pictures
// hashed before, and writing a batch of new entries with their pictures' hashes in one
// transaction.
//
// Hashes are kept in the table PICTUREHASHES beside the four classic tables, keyed by the picture
// name as an entry stores it, the file's byte size and its modification time in seconds: a file
// changed since it was hashed has another key and is hashed again. A hash is never keyed by an
// entry's row id, which VACUUM renumbers in a table without a key. The table is made by the
// first import that writes; older scrapbooks simply have none yet.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace wk::store {

class Connection;

inline const QString kPictureHashTable = QStringLiteral("PICTUREHASHES");

struct PictureKey {
    QString name; // as an entry's PICTURE holds it
    qint64 bytes = 0;
    qint64 mtime = 0; // seconds since the epoch

    bool operator==(const PictureKey&) const = default;
};

struct PictureHash {
    PictureKey key;
    QByteArray sha256; // raw, 32 bytes
};

// One entry an import adds. Empty texts are stored as empty texts; the log stays null.
struct ImportedEntry {
    QDate date;
    QString title;
    QString category;
    QString where;
    QString picture;
};

// The distinct, non-empty picture names of the entries, in row order.
QStringList entryPictureNames(Connection& connection);

// Every hash kept; none when the scrapbook has no hash table yet.
std::vector<PictureHash> readPictureHashes(Connection& connection);

// Adds `entries` and keeps `hashes` (the new entries' pictures and older pictures hashed on the
// way), all in one transaction, after the connection's first-write step (the backup). Each added
// entry is reported as a row change, so the window's undo hears of it. Returns the new row ids.
// Throws StoreError; then nothing of the batch is written.
std::vector<qint64> addImportedEntries(Connection& connection, const std::vector<ImportedEntry>& entries,
                                       const std::vector<PictureHash>& hashes);

} // namespace wk::store
