#pragma once
// Many rows written into one table in one go (a whole scrapbook copied): the values of each row in
// column order, then endRow(). An engine writes them the fastest way it has (Engine::appendRows);
// the rows stand in the table once finish() has returned, within the caller's write.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace wk::store {

class Engine;

class RowAppender {
public:
    virtual ~RowAppender() = default;
    virtual void add(const QVariant& value) = 0;
    virtual void endRow() = 0;
    // Writes what is still held; returns the rows written. Throws StoreError.
    virtual qint64 finish() = 0;
};

// Rows written one prepared insert each: what any engine can do.
std::unique_ptr<RowAppender> insertingAppender(Engine& engine, const QString& table,
                                               const QStringList& columns, const QString& what);

// Rows gathered in a temporary table of the connection, then written into `table` by one
// statement. For a table whose triggers cost a great deal per statement: SQLite's full-text index
// writes what it holds at every statement that fires its trigger, and one statement for all rows
// makes a scrapbook file's copy six times faster.
std::unique_ptr<RowAppender> stagedAppender(Engine& engine, const QString& table, const QStringList& columns,
                                            const QString& what);

} // namespace wk::store
