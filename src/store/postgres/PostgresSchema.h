#pragma once
// The scrapbook's tables on a PostgreSQL server: the same four tables with the same table and
// column names as in a scrapbook file, each with an identity column "rowid" as its row identity,
// the picture hashes, a table recording the schema's version, and triggers that tell every
// listening connection of each change to the four tables.
#include <QSet>
#include <QString>

namespace wk::store {
class Engine;
}

namespace wk::store::postgres {

inline constexpr int kSchemaVersion = 1;

// Makes an empty scrapbook in the (existing, empty) database the engine is connected to: the
// tables, categories "1 Events" .. "5 Calendar Items", the name "*All Pictures" and one cddrive
// row. Throws StoreError, with nothing written, when the database already holds a scrapbook or
// holds other tables (which are left untouched).
void createScrapbookSchema(Engine& engine, const QString& where);

// The name a file gives the column `column` of `table` (both as the server names them, in lower
// case): the columns of MYLIFE and PICTUREHASHES are in capitals, the others as they are.
QString fileColumnName(const QString& table, const QString& column);

// The text columns that compare without regard to case (as a file declares them NOCASE), in lower case.
QSet<QString> foldedColumns();

// Throws StoreError, naming `where`, when the scrapbook's schema was made by a newer Wanderkeep
// (a version this one does not know): it is left as it is.
void requireKnownSchema(Engine& engine, const QString& where);

// True when the database the engine is connected to holds any table.
bool holdsTables(Engine& engine, const QString& what);

// The statement that makes the picture hashes table when it is missing.
QString pictureHashTableSchema();

} // namespace wk::store::postgres
