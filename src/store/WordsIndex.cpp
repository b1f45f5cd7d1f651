#include "store/WordsIndex.h"

#include "store/Statement.h"

#include <QFileInfo>

namespace wk::store {

namespace {

// The table, then the triggers that keep it in step with every write of MYLIFE.
const char* const kSchema = R"sql(
CREATE VIRTUAL TABLE "MYLIFE_WORDS" USING fts5(title, story, name, category,
  tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');
CREATE TRIGGER "MYLIFE_WORDS_ADD" AFTER INSERT ON "MYLIFE" BEGIN
  INSERT INTO "MYLIFE_WORDS" (rowid, title, story, name, category)
  VALUES (new.rowid, new."MYEVENT", new."LOG", new."WHERE", new."WHAT");
END;
CREATE TRIGGER "MYLIFE_WORDS_REMOVE" AFTER DELETE ON "MYLIFE" BEGIN
  DELETE FROM "MYLIFE_WORDS" WHERE rowid = old.rowid;
END;
CREATE TRIGGER "MYLIFE_WORDS_CHANGE" AFTER UPDATE ON "MYLIFE" BEGIN
  DELETE FROM "MYLIFE_WORDS" WHERE rowid = old.rowid;
  INSERT INTO "MYLIFE_WORDS" (rowid, title, story, name, category)
  VALUES (new.rowid, new."MYEVENT", new."LOG", new."WHERE", new."WHAT");
END;
)sql";

const char* const kDropSchema = R"sql(
DROP TRIGGER IF EXISTS "MYLIFE_WORDS_ADD";
DROP TRIGGER IF EXISTS "MYLIFE_WORDS_REMOVE";
DROP TRIGGER IF EXISTS "MYLIFE_WORDS_CHANGE";
DROP TABLE IF EXISTS "MYLIFE_WORDS";
)sql";

// Counted and maximised in separate selects: together in one they make SQLite scan the table,
// apart each takes its quick path.
const char* const kMylifeExtent =
    "SELECT (SELECT count(*) FROM \"MYLIFE\"), (SELECT coalesce(max(rowid), 0) FROM \"MYLIFE\")";

constexpr qint64 kRowsPerStep = 20000; // rows filled between two progress reports

struct Extent {
    qint64 rows = 0;
    qint64 lastId = 0;
};

Extent extentOf(sqlite3* db, const char* sql, const QString& what)
{
    Statement statement(db, QString::fromLatin1(sql), what);
    statement.step(what);
    return {sqlite3_column_int64(statement.get(), 0), sqlite3_column_int64(statement.get(), 1)};
}

} // namespace

const char* wordsIndexSchema() { return kSchema; }

WordsIndexState wordsIndexState(Connection& connection)
{
    sqlite3* db = connection.handle();
    const QString what = QFileInfo(connection.path()).fileName();
    {
        Statement exists(db,
                         QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                        "name = '%1' COLLATE NOCASE")
                             .arg(QLatin1String(kWordsTable)),
                         what);
        exists.step(what);
        if (sqlite3_column_int64(exists.get(), 0) == 0)
            return WordsIndexState::Missing;
    }
    // The index's row sizes table holds one row per entry, keyed by the entry's row id.
    const Extent entries = extentOf(db, kMylifeExtent, what);
    const Extent indexed = extentOf(db,
                                    "SELECT (SELECT count(*) FROM \"MYLIFE_WORDS_docsize\"), "
                                    "(SELECT coalesce(max(id), 0) FROM \"MYLIFE_WORDS_docsize\")",
                                    what);
    return entries.rows == indexed.rows && entries.lastId == indexed.lastId ? WordsIndexState::Current
                                                                            : WordsIndexState::Stale;
}

void buildWordsIndex(Connection& connection, const std::function<void(qint64, qint64)>& progress)
{
    sqlite3* db = connection.handle();
    const QString what = QStringLiteral("%1: the search index").arg(QFileInfo(connection.path()).fileName());
    inSavepoint(connection, what, [&] {
        connection.exec(QString::fromLatin1(kDropSchema));
        connection.exec(QString::fromLatin1(kSchema));
        const Extent entries = extentOf(db, kMylifeExtent, what);
        Statement fill(
            db,
            QStringLiteral("INSERT INTO \"MYLIFE_WORDS\" (rowid, title, story, name, category) "
                           "SELECT rowid, \"MYEVENT\", \"LOG\", \"WHERE\", \"WHAT\" FROM \"MYLIFE\" "
                           "WHERE rowid > ?1 AND rowid <= ?2"),
            what);
        qint64 done = 0;
        for (qint64 from = 0; from < entries.lastId; from += kRowsPerStep) {
            sqlite3_reset(fill.get());
            fill.bind(1, from);
            fill.bind(2, from + kRowsPerStep);
            fill.step(what);
            done += sqlite3_changes(db);
            if (progress)
                progress(done, entries.rows);
        }
    });
}

} // namespace wk::store
