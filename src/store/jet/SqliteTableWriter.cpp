#include "store/jet/SqliteTableWriter.h"

#include "store/QueryDialect.h"
#include "store/StoreError.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>

namespace wk::store::jet {

SqliteTableWriter::SqliteTableWriter(const QString& path) : path_(path)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(QStringLiteral("%1 cannot be created: %2").arg(path, message));
    }
    check(sqlite3_exec(db_, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr,
                       nullptr),
          "starting the new file");
}

SqliteTableWriter::~SqliteTableWriter()
{
    sqlite3_finalize(insert_);
    sqlite3_close(db_);
}

void SqliteTableWriter::check(int rc, const char* what) const
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw StoreError(QStringLiteral("%1 (%2): %3")
                             .arg(QString::fromUtf8(what), path_, QString::fromUtf8(sqlite3_errmsg(db_))));
}

void SqliteTableWriter::finishStatement()
{
    sqlite3_finalize(insert_);
    insert_ = nullptr;
}

void SqliteTableWriter::beginTable(const QString& name, const std::vector<TargetColumn>& columns,
                                   const std::vector<int>& valueColumns)
{
    finishStatement();
    QStringList defs;
    for (const TargetColumn& c : columns)
        defs << quoteIdentifier(c.name) + QLatin1Char(' ') + c.declaredType;
    const QString create =
        QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(name), defs.join(QLatin1String(", ")));
    check(sqlite3_exec(db_, create.toUtf8().constData(), nullptr, nullptr, nullptr), "creating a table");

    QStringList names;
    QStringList marks;
    for (int index : valueColumns) {
        names << quoteIdentifier(columns.at(index).name);
        marks << QStringLiteral("?");
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(name))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoteIdentifier(name), names.join(QLatin1String(", ")),
                                       marks.join(QLatin1String(", ")));
    check(sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &insert_, nullptr), "preparing an insert");
    valueCount_ = static_cast<int>(valueColumns.size());
}

void SqliteTableWriter::insert(const std::vector<JetValue>& values)
{
    for (int i = 0; i < valueCount_; ++i) {
        const JetValue& v = values.at(i);
        int rc = SQLITE_OK;
        switch (v.type) {
        case JetValue::Type::Null:
            rc = sqlite3_bind_null(insert_, i + 1);
            break;
        case JetValue::Type::Text:
            rc =
                sqlite3_bind_text(insert_, i + 1, v.bytes.constData(), int(v.bytes.size()), SQLITE_TRANSIENT);
            break;
        case JetValue::Type::Integer:
            rc = sqlite3_bind_int64(insert_, i + 1, v.integer);
            break;
        case JetValue::Type::Real:
            rc = sqlite3_bind_double(insert_, i + 1, v.real);
            break;
        case JetValue::Type::Blob:
            rc =
                sqlite3_bind_blob(insert_, i + 1, v.bytes.constData(), int(v.bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        check(rc, "storing a value");
    }
    check(sqlite3_step(insert_), "storing a row");
    sqlite3_reset(insert_);
}

void SqliteTableWriter::insertTexts(const QStringList& texts)
{
    std::vector<JetValue> values;
    for (const QString& t : texts)
        values.push_back(JetValue::text(t.toUtf8()));
    insert(values);
}

void SqliteTableWriter::commit()
{
    finishStatement();
    check(sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr), "writing the new file");
    const int rc = sqlite3_close(db_);
    db_ = nullptr;
    if (rc != SQLITE_OK)
        throw StoreError(QStringLiteral("%1 cannot be closed.").arg(path_));
}

qint64 SqliteTableWriter::countRows(const QString& path, const QString& table)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    qint64 count = -1;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        const QByteArray sql = QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(table)).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            count = sqlite3_column_int64(stmt, 0);
    }
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    if (count < 0)
        throw StoreError(QStringLiteral("The new file %1 cannot be checked: %2").arg(path, message));
    return count;
}

} // namespace wk::store::jet
