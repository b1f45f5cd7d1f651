#pragma once
// One open SQLite database file, shared by every data source that names it.
#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;

namespace wk::store {
class Connection;
struct RowChange;

// What a pool asks of its connections' writes. Shared by the pool and its connections, so what
// the pool sets later reaches connections already open.
struct WriteHooks {
    std::function<void(Connection&)> beforeFirstWrite;
    QSet<QString> firstWritten; // files whose first write went ahead
    std::function<void(const RowChange&)> changeObserver;
};
} // namespace wk::store

namespace wk::store {

class Connection {
public:
    // Opens an existing file (never creates one), read-only when the file has no write permission
    // bit; registers the dialect's functions
    // datevalue() and mid(). Throws StoreError when the file is missing or not a database.
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }
    // Stops what runs on this connection now (from any thread): the statement fails as
    // interrupted. Statements started later run as usual.
    void interrupt();
    // Runs statements that return no rows; throws StoreError with the engine's message.
    void exec(const QString& sql);
    // Throws StoreError("what: engine message") for a result code other than OK, ROW or DONE.
    void check(int resultCode, const QString& what) const;
    // True when the file could only be opened for reading (write-protected file or folder).
    bool isReadOnly() const;

    // Every write through this connection calls this first: it runs the pool's first-write step
    // (the backup) once, and throws what that step throws, so the write is not made.
    void aboutToWrite();
    // Counts the writes begun through this connection; a result set compares it with the count it
    // last saw to know whether another of the program's sets wrote since.
    qint64 writeSerial() const { return writeSerial_; }
    // The engine's data version: it changes when another connection or program writes the file.
    qint64 dataVersion() const;

    // True when the file's words index is current (looked at once, on first asking), so a word
    // search may use it; false: searches scan. Throws StoreError when the file cannot be read.
    bool wordsIndexed();

    // True when the pool wants to hear of every row change (for undo).
    bool observesChanges() const { return hooks_ && hooks_->changeObserver; }
    // Tells the pool's observer of a change that was just written.
    void reportChange(RowChange change) const;

private:
    friend class ConnectionPool;

    QString path_;
    sqlite3* db_ = nullptr;
    std::shared_ptr<WriteHooks> hooks_;
    qint64 writeSerial_ = 0;
    std::optional<bool> wordsIndexed_;
};

// The engine's message for the last failure on `db`. A database file that was moved, replaced or
// deleted while open (the engine then calls it a read-only database) is said in plain words, with
// the path where it was expected.
QString failureMessage(sqlite3* db);

// Hands out one Connection per file (by canonical path) to the data sources of a window.
// Owned by the window that owns the data sources; no global state.
class ConnectionPool {
public:
    // The connection to the file at `path`, opened on first use. A path whose file does not
    // exist as written is tried with "\" read as "/" and the file name in any letter case,
    // so "dir\Velmora.MDB" finds "dir/velmora.mdb".
    std::shared_ptr<Connection> open(const QString& path);
    // The canonical path that open() would use for `path`.
    static QString resolve(const QString& path);

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
