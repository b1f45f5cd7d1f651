#pragma once
// One open SQLite database file, shared by every data source that names it.
#include <QHash>
#include <QString>
#include <memory>

struct sqlite3;

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
    // Runs statements that return no rows; throws StoreError with the engine's message.
    void exec(const QString& sql);
    // Throws StoreError("what: engine message") for a result code other than OK, ROW or DONE.
    void check(int resultCode, const QString& what) const;
    // True when the file could only be opened for reading (write-protected file or folder).
    bool isReadOnly() const;

private:
    QString path_;
    sqlite3* db_ = nullptr;
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

private:
    QHash<QString, std::weak_ptr<Connection>> open_;
};

} // namespace wk::store
