#pragma once
// The store's own tools for talking to SQLite: a prepared statement that binds the program's
// values, a stored value read back as a QVariant, and a savepoint that writes all of a change or
// nothing. Only store sources include this header.
#include "store/Connection.h"
#include "store/DateRules.h"
#include "store/RowChange.h"
#include "store/StoreError.h"
#include "store/StoreLog.h"

#include <QVariant>
#include <sqlite3.h>

namespace wk::store {

// A prepared statement that is finalized however the scope is left.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QString& what) : db_(db)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt_, nullptr) != SQLITE_OK)
            throw StoreError(QStringLiteral("%1: %2").arg(what, failureMessage(db)));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    // Steps once; true for a row, false when done; throws on an error.
    bool step(const QString& what)
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        throw StoreError(QStringLiteral("%1: %2").arg(what, failureMessage(db_)));
    }
    void bind(int index, const QVariant& value)
    {
        int rc = SQLITE_OK;
        if (!value.isValid() || value.isNull()) {
            rc = sqlite3_bind_null(stmt_, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, index, value.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = value.toByteArray();
                rc = sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDate:
                rc = bindText(index, dates::toStorage(value.toDate()));
                break;
            case QMetaType::QDateTime:
                rc = bindText(index, dates::toStorage(value.toDateTime()));
                break;
            default:
                rc = bindText(index, value.toString());
                break;
            }
        }
        if (rc != SQLITE_OK)
            throw StoreError(failureMessage(db_));
    }

private:
    int bindText(int index, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        return sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A column of the statement's current row as stored: integer, real, text, blob or null.
QVariant columnValue(sqlite3_stmt* stmt, int column);

// Undoes what the savepoint holds. The write already failed and that failure is what the
// caller hears about; a rollback that fails too is only logged.
inline void rollBackSavepoint(sqlite3* db, const QString& what)
{
    if (sqlite3_exec(db, "ROLLBACK TO wk_write; RELEASE wk_write", nullptr, nullptr, nullptr) != SQLITE_OK)
        qCDebug(storeLog).noquote()
            << QStringLiteral("%1: the rollback failed: %2").arg(what, failureMessage(db));
}

// Runs `body` inside a savepoint: all of it is written, or nothing.
template <typename Body>
void inSavepoint(Connection& connection, const QString& what, Body body)
{
    connection.aboutToWrite();
    sqlite3* db = connection.handle();
    const auto run = [&](const char* sql) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw StoreError(QStringLiteral("%1: %2").arg(what, failureMessage(db)));
    };
    run("SAVEPOINT wk_write");
    try {
        body();
        run("RELEASE wk_write");
    } catch (const RowGoneError&) {
        rollBackSavepoint(db, what);
        throw;
    } catch (const RowChangedError&) {
        rollBackSavepoint(db, what);
        throw;
    } catch (const StoreError& error) {
        rollBackSavepoint(db, what);
        const QString message = error.message();
        throw StoreError(message.startsWith(what) ? message : QStringLiteral("%1: %2").arg(what, message));
    }
}

} // namespace wk::store
