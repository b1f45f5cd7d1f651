#pragma once
// What the store needs of a database engine, and nothing of any one engine: an open database
// (Engine) and its prepared statements (Statement.h). The data sources, the queries, the undo
// records, the backups, the import and the search work through these two only; store/sqlite/
// implements them for a scrapbook file.
//
// Every failure is thrown as StoreError, its message "what: the engine's words", where `what` is
// the caller's label for the step.
#include "store/QueryDialect.h"
#include "store/RowAppender.h"
#include "store/Statement.h"
#include "store/WordsIndex.h"

#include <QString>
#include <functional>
#include <memory>

namespace wk::store {

// One open scrapbook database, used from one thread at a time (interrupt() excepted).
class Engine {
public:
    virtual ~Engine() = default;

    virtual std::unique_ptr<Statement> prepare(const QString& sql, const QString& what) = 0;
    // Runs statements that return no rows.
    virtual void exec(const QString& sql, const QString& what) = 0;

    // A write that is kept whole or not at all; they nest.
    virtual void beginWrite(const QString& what) = 0;
    virtual void commitWrite(const QString& what) = 0;
    // Undoes the innermost write begun; a failure is only logged (the caller already failed).
    virtual void rollBackWrite(const QString& what) = 0;

    // The row identity the last insert gave; the rows the last statement changed; the rows
    // changed since the database was opened.
    virtual qint64 lastInsertedRow() const = 0;
    virtual qint64 changedRows() const = 0;
    virtual qint64 totalChanges() const = 0;
    // Changes when anyone else (another connection, another program) has written; -1 when it
    // cannot be told, so every comparison asks for a re-read.
    virtual qint64 dataVersion() const = 0;
    // A socket that turns readable when another connection may have written (the server's change
    // notices), for a window to watch without asking; -1 when the engine has none (a file).
    virtual int changeSocket() const { return -1; }
    // A server connection can be lost (the server restarted, the network went): true until it is
    // made anew, which the next statement outside a write tries by itself, or reconnect() does.
    // A file is never lost.
    virtual bool isLost() const { return false; }
    virtual void reconnect(const QString& /*what*/) {}
    // Whether the database answers now: safe to run on another thread, and after this engine is
    // gone; it may wait as long as the connection's own timeout. Empty for a file.
    virtual std::function<bool()> answerCheck() const { return {}; }

    // Stops what runs now (from any thread): that statement fails as interrupted.
    virtual void interrupt() = 0;
    virtual bool isReadOnly() const = 0;

    // How this engine's SQL differs from the program's dialect (its words condition aside).
    virtual EngineDialect dialect() = 0;

    // A consistent copy of the whole scrapbook, as it stands now, written as a scrapbook file.
    virtual void writeSnapshot(const QString& file) = 0;

    // The words index (full-text search over the entries): what it holds, building it anew, and
    // the condition on the entry rows named `qualifier` that keeps those holding the typed words
    // bound at `typedParameter`.
    virtual WordsIndexState wordsIndexState(const QString& what) = 0;
    virtual void buildWordsIndex(const QString& what,
                                 const std::function<void(qint64 done, qint64 total)>& progress) = 0;
    virtual QString wordsCondition(const QString& qualifier, const QString& typedParameter,
                                   bool indexed) const = 0;
    // True when the database holds a table of that name (in any letter case).
    virtual bool hasTable(const QString& table, const QString& what) = 0;
    // Makes the picture hashes table (ImportedEntries.h) when it is missing.
    virtual void ensurePictureHashTable(const QString& what) = 0;
    // Writes many rows into `table` (its `columns`, "rowid" among them when given) within the
    // write begun; by default one prepared insert a row.
    virtual std::unique_ptr<RowAppender> appendRows(const QString& table, const QStringList& columns,
                                                    const QString& what)
    {
        return insertingAppender(*this, table, columns, what);
    }
    // After rows were written with row identities of their own, new rows take identities after them.
    virtual void resumeRowIds(const QString& table, const QString& what) = 0;
};

} // namespace wk::store
