#include "store/BulkWriter.h"

#include "store/Connection.h"
#include "store/DateRules.h"
#include "store/StoreError.h"
#include "store/StoreLog.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace wk::store {

namespace {
void bindText(sqlite3_stmt* stmt, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}
} // namespace

BulkWriter::BulkWriter(const QString& path) : label_(QFileInfo(path).fileName())
{
    if (!QFileInfo(path).isFile())
        throw StoreError(QStringLiteral("%1: the database file does not exist").arg(path));
    const auto fail = [this](const char* what) {
        const QString message = failureMessage(db_);
        sqlite3_finalize(insert_);
        insert_ = nullptr;
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw StoreError(
            QStringLiteral("Cannot write %1: %2: %3").arg(label_, QString::fromLatin1(what), message));
    };
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        fail("open");
    sqlite3_busy_timeout(db_, 5000);
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail("begin");
    open_ = true;
    if (sqlite3_prepare_v2(
            db_,
            "INSERT INTO \"MYLIFE\" (\"DATE\", \"MYEVENT\", \"WHAT\", \"WHERE\", \"PICTURE\", \"LOG\")"
            " VALUES (?, ?, ?, ?, ?, ?)",
            -1, &insert_, nullptr) != SQLITE_OK)
        fail("prepare");
}

BulkWriter::~BulkWriter()
{
    sqlite3_finalize(insert_);
    if (open_ && sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        qCDebug(storeLog).noquote()
            << QStringLiteral("%1: the rollback failed: %2").arg(label_, failureMessage(db_));
    sqlite3_close_v2(db_);
}

void BulkWriter::addEntry(const QDate& date, const QString& title, const QString& what, const QString& where,
                          const QString& picture, const QVariant& log)
{
    if (!open_)
        throw StoreError(QStringLiteral("Cannot write %1: the bulk write is already committed").arg(label_));
    if (date.isValid())
        bindText(insert_, 1, dates::toStorage(date));
    else
        sqlite3_bind_null(insert_, 1);
    bindText(insert_, 2, title);
    bindText(insert_, 3, what);
    bindText(insert_, 4, where);
    bindText(insert_, 5, picture);
    if (log.isValid() && !log.isNull())
        bindText(insert_, 6, log.toString());
    else
        sqlite3_bind_null(insert_, 6);
    const int rc = sqlite3_step(insert_);
    sqlite3_reset(insert_);
    if (rc != SQLITE_DONE)
        throw StoreError(QStringLiteral("Cannot write %1: %2").arg(label_, failureMessage(db_)));
    ++added_;
}

void BulkWriter::commit()
{
    if (!open_)
        return;
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw StoreError(QStringLiteral("Cannot write %1: %2").arg(label_, failureMessage(db_)));
    open_ = false;
}

} // namespace wk::store
