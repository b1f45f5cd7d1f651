#pragma once
// The words index: the engine's full-text index over each entry's title, log, who-or-where name
// and category (in a scrapbook file an FTS5 table MYLIFE_WORDS with the unicode61 tokenizer,
// diacritics removed, and prefix indexes). Triggers on MYLIFE keep it in step, so every program
// that writes the scrapbook keeps it current. MYLIFE itself is unchanged, so an older program
// still opens the file.
//
// MYLIFE has no key, and VACUUM renumbers its rows: an index whose row count or largest row id
// differs from the table's is stale and built again.
#include <QtGlobal>
#include <functional>

namespace wk::store {

class Connection;

enum class WordsIndexState { Current, Missing, Stale };

// Reads what the file holds; throws StoreError when it cannot be read.
WordsIndexState wordsIndexState(Connection& connection);

// Builds the index anew (with its triggers) in one transaction; nothing changes when it fails.
// `progress(done, total)` hears how far it has come, in rows. Throws StoreError (a read-only file,
// a file another program holds).
void buildWordsIndex(Connection& connection,
                     const std::function<void(qint64 done, qint64 total)>& progress = {});

} // namespace wk::store
