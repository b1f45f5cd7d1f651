#pragma once
// The SQLite engine: a scrapbook file. The only folder that talks to SQLite; what it offers
// outside names no SQLite type. It may call the store's own value rules (DateRules, PackedRow,
// WordsIndex) and SQLite.
#include "store/Engine.h"

#include <QSet>
#include <QString>
#include <memory>
#include <optional>

namespace wk::store::sqlite {

// Opens an existing scrapbook file (never creates one), read-only when the file has no write
// permission bit. Throws StoreError when the file is missing or not a database.
std::unique_ptr<Engine> openScrapbookFile(const QString& path);

// Opens (or creates) a file as scratch space for a conversion: no rollback journal, no syncing;
// a file that fails is thrown away whole.
std::unique_ptr<Engine> openScratchFile(const QString& path);

// Writes a new file holding `schema` (statements). Throws StoreError, having removed the file,
// when it cannot be written; an existing file is never touched.
void createFile(const QString& path, const QString& schema);

// The names of the tables in the SQLite file at `path`, in lower case; none when it cannot be
// read as a database.
std::optional<QSet<QString>> tableNamesOf(const QString& path);

// The statements that make an empty words index and the triggers that keep it in step.
const char* wordsIndexSchema();

} // namespace wk::store::sqlite
