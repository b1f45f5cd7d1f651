#pragma once
// The SQL functions of a word search on a SQLite connection (the search's meaning: EntryWords.h):
//   words_query(typed)          the FTS5 index's query expression for `typed`
//   words_in(typed, text, ...)  1 when the texts hold every word and phrase of `typed`
#include <sqlite3.h>

namespace wk::store::sqlite {

// Registers them; returns SQLite's result code.
int registerWordFunctions(sqlite3* db);

} // namespace wk::store::sqlite
