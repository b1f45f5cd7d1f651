#pragma once
// One open scrapbook (a database through its engine), shared by every data source that names it.
#include "store/QueryDialect.h"
#include "store/ScrapbookLocation.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace wk::store {
class Connection;
class Engine;
class Statement;
struct RowChange;

// What a pool asks of its connections' writes. Shared by the pool and its connections, so what
// the pool sets later reaches connections already open.
struct WriteHooks {
    std::function<void(Connection&)> beforeFirstWrite;
    QSet<QString> firstWritten; // databases whose first write went ahead
    std::function<void(const RowChange&)> changeObserver;
};
} // namespace wk::store

namespace wk::store {

class Connection {
public:
    // Opens the scrapbook at `location` through its engine. Throws StoreError when it is missing
    // or not a database.
    explicit Connection(const ScrapbookLocation& location);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const ScrapbookLocation& location() const { return location_; }
    // The database as its location names it, and a short name of it for messages.
    const QString& path() const { return location_.database(); }
    QString label() const { return location_.label(); }
    Engine& engine() const { return *engine_; }
    // A statement on this connection; `what` heads its failures' messages.
    std::unique_ptr<Statement> prepare(const QString& sql, const QString& what) const;
    // Stops what runs on this connection now (from any thread): the statement fails as
    // interrupted. Statements started later run as usual.
    void interrupt();
    // Runs statements that return no rows; throws StoreError with the engine's message.
    void exec(const QString& sql);
    // True when the scrapbook could only be opened for reading (write-protected file or folder).
    bool isReadOnly() const;

    // Every write through this connection calls this first: it runs the pool's first-write step
    // (the backup) once, and throws what that step throws, so the write is not made.
    void aboutToWrite();
    // Counts the writes begun through this connection; a result set compares it with the count it
    // last saw to know whether another of the program's sets wrote since.
    qint64 writeSerial() const { return writeSerial_; }
    // The engine's data version: it changes when another connection or program writes.
    qint64 dataVersion() const;
    // The engine's change socket (Engine::changeSocket); -1 when there is none.
    int changeSocket() const;
    // The engine's connection state (Engine::isLost, reconnect, answerCheck).
    bool isLost() const;
    void reconnect();
    std::function<bool()> answerCheck() const;

    // True when the scrapbook's words index is current (looked at once, on first asking), so a
    // word search may use it; false: searches scan. Throws StoreError when it cannot be read.
    bool wordsIndexed();

    // A record source (a table name or a query text with "?" for its values) in this engine's
    // SQL. A text is translated once; its values are bound each time it runs.
    TranslatedQuery translate(const QString& recordSource);
    // A find criterion in this engine's SQL.
    TranslatedCriterion translateCriterion(const QString& criterion) const;
    // The select list that stands for every column of `table`, its row identity left out.
    QString allColumns(const QString& table) const;
    // What follows a column to keep the rows holding exactly the bound value.
    const QString& exactly() const { return dialect_.exactly; }

    // True when the pool wants to hear of every row change (for undo).
    bool observesChanges() const { return hooks_ && hooks_->changeObserver; }
    // Tells the pool's observer of a change that was just written.
    void reportChange(RowChange change) const;

private:
    friend class ConnectionPool;

    ScrapbookLocation location_;
    std::unique_ptr<Engine> engine_;
    std::shared_ptr<WriteHooks> hooks_;
    qint64 writeSerial_ = 0;
    std::optional<bool> wordsIndexed_;
    QHash<QString, TranslatedQuery> translations_;
    EngineDialect dialect_;
};

// Hands out one Connection per scrapbook (by its location's database) to the data sources of a
// window. Owned by the window that owns the data sources; no global state.
class ConnectionPool {
public:
    // The connection to the scrapbook at `location`, opened on first use. A file name that does
    // not exist as written is tried with "\" read as "/" and in any letter case, so
    // "dir\Velmora.MDB" finds "dir/velmora.mdb".
    std::shared_ptr<Connection> open(const ScrapbookLocation& location);

    // `step` runs before the first write to each file through this pool (a backup, say). When it
    // throws, that write is refused and the next write runs it again; once it has returned it
    // never runs again for that file.
    void setBeforeFirstWrite(std::function<void(Connection&)> step);
    // `observer` hears of every row added, changed or removed through data sources on this
    // pool's connections (opened from now on), after the change was written.
    // An empty observer ends it.
    void setChangeObserver(std::function<void(const RowChange&)> observer);

private:
    QHash<QString, std::weak_ptr<Connection>> open_;
    std::shared_ptr<WriteHooks> hooks_ = std::make_shared<WriteHooks>();
};

} // namespace wk::store
