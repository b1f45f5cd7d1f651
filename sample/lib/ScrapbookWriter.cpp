#include "ScrapbookWriter.h"

#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QFile>

#include <sqlite3.h>

namespace wk::sample {

namespace {

void bindText(sqlite3_stmt* stmt, int index, const QString& text)
{
    if (text.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

ScrapbookWriter::ScrapbookWriter(const QString& path)
{
    store::createScrapbook(path);
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        const QString message =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw store::StoreError(QStringLiteral("%1: %2").arg(path, message));
    }
    try {
        check(sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr), "begin");
        open_ = true;
        check(sqlite3_prepare_v2(
                  db_,
                  R"(INSERT INTO "MYLIFE" ("DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE", "LOG"))"
                  " VALUES (?, ?, ?, ?, ?, ?)",
                  -1, &insertEntry_, nullptr),
              "prepare entry");
        check(sqlite3_prepare_v2(db_, R"(INSERT INTO "WHERE" ("where", "sort") VALUES (?, ?))", -1,
                                 &insertName_, nullptr),
              "prepare name");
    } catch (...) {
        close();
        throw;
    }
}

ScrapbookWriter::~ScrapbookWriter() { close(); }

void ScrapbookWriter::close()
{
    sqlite3_finalize(insertEntry_);
    sqlite3_finalize(insertName_);
    insertEntry_ = insertName_ = nullptr;
    if (open_ && db_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    open_ = false;
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void ScrapbookWriter::check(int rc, const char* what) const
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw store::StoreError(
            QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromUtf8(sqlite3_errmsg(db_))));
}

void ScrapbookWriter::addEntry(const QString& date, const QString& title, const QString& what,
                               const QString& where, const QString& picture, const QString& log)
{
    sqlite3_reset(insertEntry_);
    bindText(insertEntry_, 1, date);
    bindText(insertEntry_, 2, title);
    bindText(insertEntry_, 3, what);
    bindText(insertEntry_, 4, where);
    bindText(insertEntry_, 5, picture.isNull() ? QStringLiteral("") : picture);
    bindText(insertEntry_, 6, log);
    check(sqlite3_step(insertEntry_), "add entry");
}

void ScrapbookWriter::addName(const QString& name, int sort)
{
    sqlite3_reset(insertName_);
    bindText(insertName_, 1, name);
    sqlite3_bind_int(insertName_, 2, sort);
    check(sqlite3_step(insertName_), "add name");
}

void ScrapbookWriter::setPictureDisc(const QString& cd, const QString& isNew)
{
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db_, R"(UPDATE "cddrive" SET "cd" = ?, "new" = ?)", -1, &stmt, nullptr),
          "prepare disc");
    bindText(stmt, 1, cd);
    bindText(stmt, 2, isNew);
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    check(rc, "set picture disc");
}

void ScrapbookWriter::commit()
{
    check(sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr), "commit");
    open_ = false;
}

} // namespace wk::sample
