#pragma once
// One open SQLite database file, shared by every data source that names it.
#include <QHash>
#include <QString>
#include <memory>

struct sqlite3;

namespace wk::store {

class Connection {
public:
    // Opens an existing file (never creates one); registers the dialect's functions
    // datevalue() and mid(). Throws StoreError when the file is missing or not a database.
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }
    // Runs statements that return no rows; throws StoreError with the engine's message.
    void exec(const QString& sql);
    // Throws StoreError("what: engine message") for a non-OK result code.
    void check(int resultCode, const QString& what) const;

private:
    QString path_;
    sqlite3* db_ = nullptr;
};

// Hands out one Connection per file (by canonical path) to the data sources of a window.
// Owned by the window that owns the data sources; no global state.
class ConnectionPool {
public:
    std::shared_ptr<Connection> open(const QString& path);

private:
    QHash<QString, std::weak_ptr<Connection>> open_;
};

} // namespace wk::store
