#include "store/sqlite/SqliteEngine.h"

#include "store/DateRules.h"
#include "store/FilePaths.h"
#include "store/PackedRow.h"
#include "store/RowAppender.h"
#include "store/StoreError.h"
#include "store/StoreLog.h"
#include "store/StoredValue.h"
#include "store/sqlite/SqliteWords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace wk::store::sqlite {

namespace {

constexpr int kBusyTimeoutMs =
    2000; // a file another program holds is waited for this long, then the write is refused

constexpr const char* kWordsTable = "MYLIFE_WORDS";

// The table, then the triggers that keep it in step with every write of MYLIFE.
const char* const kWordsSchema = R"sql(
CREATE VIRTUAL TABLE "MYLIFE_WORDS" USING fts5(title, story, name, category,
  tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3');
CREATE TRIGGER "MYLIFE_WORDS_ADD" AFTER INSERT ON "MYLIFE" BEGIN
  INSERT INTO "MYLIFE_WORDS" (rowid, title, story, name, category)
  VALUES (new.rowid, new."MYEVENT", new."LOG", new."WHERE", new."WHAT");
END;
CREATE TRIGGER "MYLIFE_WORDS_REMOVE" AFTER DELETE ON "MYLIFE" BEGIN
  DELETE FROM "MYLIFE_WORDS" WHERE rowid = old.rowid;
END;
CREATE TRIGGER "MYLIFE_WORDS_CHANGE" AFTER UPDATE ON "MYLIFE" BEGIN
  DELETE FROM "MYLIFE_WORDS" WHERE rowid = old.rowid;
  INSERT INTO "MYLIFE_WORDS" (rowid, title, story, name, category)
  VALUES (new.rowid, new."MYEVENT", new."LOG", new."WHERE", new."WHAT");
END;
)sql";

const char* const kDropWordsSchema = R"sql(
DROP TRIGGER IF EXISTS "MYLIFE_WORDS_ADD";
DROP TRIGGER IF EXISTS "MYLIFE_WORDS_REMOVE";
DROP TRIGGER IF EXISTS "MYLIFE_WORDS_CHANGE";
DROP TABLE IF EXISTS "MYLIFE_WORDS";
)sql";

// Counted and maximised in separate selects: together in one they make SQLite scan the table,
// apart each takes its quick path.
const char* const kMylifeExtent =
    "SELECT (SELECT count(*) FROM \"MYLIFE\"), (SELECT coalesce(max(rowid), 0) FROM \"MYLIFE\")";
// The index's row sizes table holds one row per entry, keyed by the entry's row id.
const char* const kWordsExtent = "SELECT (SELECT count(*) FROM \"MYLIFE_WORDS_docsize\"), "
                                 "(SELECT coalesce(max(id), 0) FROM \"MYLIFE_WORDS_docsize\")";

constexpr qint64 kRowsPerStep = 20000; // rows filled between two progress reports

// The engine's message for the last failure on `db`. A database file that was moved, replaced or
// deleted while open (the engine then calls it a read-only database) is said in plain words, with
// the path where it was expected.
QString failureMessage(sqlite3* db)
{
    if (!db)
        return QStringLiteral("out of memory");
    if (sqlite3_extended_errcode(db) == SQLITE_READONLY_DBMOVED) {
        const char* file = sqlite3_db_filename(db, "main");
        return QStringLiteral("the scrapbook file was moved, replaced or deleted while Wanderkeep was "
                              "running; it was expected at %1")
            .arg(QDir::toNativeSeparators(QString::fromUtf8(file ? file : "")));
    }
    return QString::fromUtf8(sqlite3_errmsg(db));
}

[[noreturn]] void fail(sqlite3* db, const QString& what)
{
    throw StoreError(QStringLiteral("%1: %2").arg(what, failureMessage(db)));
}

QString argumentText(sqlite3_value* value)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

// datevalue(text): the storage form of the day the text names (month first), NULL otherwise.
void dateValueFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto date = dates::parseDate(argumentText(argv[0]));
    if (!date) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray iso = dates::toStorage(*date).toUtf8();
    sqlite3_result_text(context, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

// mid(text, start [, length]): `length` characters from the 1-based position `start`.
void midFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    if (start < 1 || (argc > 2 && length < 0)) {
        sqlite3_result_error(context, "mid(): the start must be 1 or more and the length not negative", -1);
        return;
    }
    const QString text = argumentText(argv[0]);
    const QByteArray part = text.mid(qsizetype(start - 1), qsizetype(length)).toUtf8();
    sqlite3_result_text(context, part.constData(), int(part.size()), SQLITE_TRANSIENT);
}

int registerQueryFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(db, "datevalue", 1, flags, nullptr, dateValueFunction, nullptr,
                                        nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "mid", 2, flags, nullptr, midFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "mid", 3, flags, nullptr, midFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = registerWordFunctions(db);
    return rc;
}

class SqliteStatement final : public Statement {
public:
    SqliteStatement(sqlite3* db, const QString& sql, const QString& what) : db_(db)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt_, nullptr) != SQLITE_OK)
            fail(db, what);
    }
    ~SqliteStatement() override { sqlite3_finalize(stmt_); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, const QVariant& value) override
    {
        const StoredValue stored = StoredValue::of(value);
        int rc = SQLITE_OK;
        switch (stored.kind) {
        case StoredValue::Null:
            rc = sqlite3_bind_null(stmt_, index);
            break;
        case StoredValue::Integer:
            rc = sqlite3_bind_int64(stmt_, index, stored.integer);
            break;
        case StoredValue::Real:
            rc = sqlite3_bind_double(stmt_, index, stored.real);
            break;
        case StoredValue::Blob:
            rc = sqlite3_bind_blob(stmt_, index, stored.bytes.constData(), int(stored.bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        case StoredValue::Text:
            rc = sqlite3_bind_text(stmt_, index, stored.bytes.constData(), int(stored.bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        if (rc != SQLITE_OK)
            throw StoreError(failureMessage(db_));
    }

    bool step(const QString& what) override
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        fail(db_, what);
    }

    void reset() override { sqlite3_reset(stmt_); }

    int columnCount() const override { return sqlite3_column_count(stmt_); }

    QString columnName(int column) const override
    {
        return QString::fromUtf8(sqlite3_column_name(stmt_, column));
    }

    bool declaredAsDate(int column) const override
    {
        const char* declared = sqlite3_column_decltype(stmt_, column);
        const QString type = QString::fromUtf8(declared ? declared : "").toUpper();
        return type.contains(QLatin1String("DATE")) || type.contains(QLatin1String("TIME"));
    }

    QVariant value(int column) const override
    {
        switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt_, column));
        case SQLITE_TEXT:
            return QVariant(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                  sqlite3_column_bytes(stmt_, column)));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, column)),
                                       sqlite3_column_bytes(stmt_, column)));
        default:
            return QVariant();
        }
    }

    qint64 integer(int column) const override { return sqlite3_column_int64(stmt_, column); }

    std::optional<QByteArrayView> text(int column) const override
    {
        if (sqlite3_column_type(stmt_, column) != SQLITE_TEXT)
            return std::nullopt;
        return QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                              sqlite3_column_bytes(stmt_, column));
    }

    void appendTo(PackedRow& row, int column) const override
    {
        switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_INTEGER:
            row.appendInteger(sqlite3_column_int64(stmt_, column));
            break;
        case SQLITE_FLOAT:
            row.appendReal(sqlite3_column_double(stmt_, column));
            break;
        case SQLITE_TEXT:
            row.appendText(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                           sqlite3_column_bytes(stmt_, column));
            break;
        case SQLITE_BLOB:
            row.appendBlob(static_cast<const char*>(sqlite3_column_blob(stmt_, column)),
                           sqlite3_column_bytes(stmt_, column));
            break;
        default:
            row.appendNull();
            break;
        }
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Closes the handle however the function is left.
struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
    sqlite3* release() { return std::exchange(db, nullptr); }
};

class SqliteEngine final : public Engine {
public:
    // Takes over an open handle.
    explicit SqliteEngine(sqlite3* db) : db_(db) {}
    ~SqliteEngine() override { sqlite3_close_v2(db_); }
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    std::unique_ptr<Statement> prepare(const QString& sql, const QString& what) override
    {
        return std::make_unique<SqliteStatement>(db_, sql, what);
    }

    void exec(const QString& sql, const QString& what) override
    {
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(db_, what);
    }

    void beginWrite(const QString& what) override { exec(QStringLiteral("SAVEPOINT wk_write"), what); }
    void commitWrite(const QString& what) override { exec(QStringLiteral("RELEASE wk_write"), what); }
    void rollBackWrite(const QString& what) override
    {
        if (sqlite3_exec(db_, "ROLLBACK TO wk_write; RELEASE wk_write", nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            qCDebug(storeLog).noquote()
                << QStringLiteral("%1: the rollback failed: %2").arg(what, failureMessage(db_));
    }

    qint64 lastInsertedRow() const override { return sqlite3_last_insert_rowid(db_); }
    qint64 changedRows() const override { return sqlite3_changes64(db_); }
    qint64 totalChanges() const override { return sqlite3_total_changes64(db_); }

    qint64 dataVersion() const override
    {
        sqlite3_stmt* stmt = nullptr;
        qint64 version = -1;
        if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            version = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return version;
    }

    void interrupt() override { sqlite3_interrupt(db_); }
    bool isReadOnly() const override { return sqlite3_db_readonly(db_, "main") == 1; }

    // SQLite's online backup: a consistent copy even while other connections write.
    void writeSnapshot(const QString& file) override
    {
        Handle target;
        int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &target.db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        QString failure;
        if (rc == SQLITE_OK) {
            sqlite3_backup* backup = sqlite3_backup_init(target.db, "main", db_, "main");
            if (!backup) {
                failure = QString::fromUtf8(sqlite3_errmsg(target.db));
            } else {
                rc = sqlite3_backup_step(backup, -1);
                if (rc != SQLITE_DONE)
                    failure = QString::fromUtf8(sqlite3_errstr(rc));
                sqlite3_backup_finish(backup);
            }
        } else {
            failure =
                target.db ? QString::fromUtf8(sqlite3_errmsg(target.db)) : QStringLiteral("out of memory");
        }
        if (sqlite3_close(target.release()) != SQLITE_OK && failure.isEmpty())
            failure = QStringLiteral("the copy could not be closed");
        if (!failure.isEmpty())
            throw StoreError(failure);
    }

    WordsIndexState wordsIndexState(const QString& what) override
    {
        if (!hasTable(QString::fromLatin1(kWordsTable), what))
            return WordsIndexState::Missing;
        const auto [entries, lastEntry] = extentOf(kMylifeExtent, what);
        const auto [indexed, lastIndexed] = extentOf(kWordsExtent, what);
        return entries == indexed && lastEntry == lastIndexed ? WordsIndexState::Current
                                                              : WordsIndexState::Stale;
    }

    void buildWordsIndex(const QString& what, const std::function<void(qint64, qint64)>& progress) override
    {
        exec(QString::fromLatin1(kDropWordsSchema), what);
        exec(QString::fromLatin1(kWordsSchema), what);
        const auto [rows, lastId] = extentOf(kMylifeExtent, what);
        SqliteStatement fill(
            db_,
            QStringLiteral("INSERT INTO \"MYLIFE_WORDS\" (rowid, title, story, name, category) "
                           "SELECT rowid, \"MYEVENT\", \"LOG\", \"WHERE\", \"WHAT\" FROM \"MYLIFE\" "
                           "WHERE rowid > ?1 AND rowid <= ?2"),
            what);
        qint64 done = 0;
        for (qint64 from = 0; from < lastId; from += kRowsPerStep) {
            fill.reset();
            fill.bind(1, from);
            fill.bind(2, from + kRowsPerStep);
            fill.step(what);
            done += sqlite3_changes64(db_);
            if (progress)
                progress(done, rows);
        }
    }

    QString wordsCondition(const QString& qualifier, const QString& typedParameter,
                           bool indexed) const override
    {
        if (indexed)
            return QStringLiteral("%1.rowid IN (SELECT rowid FROM \"%2\" WHERE \"%2\" MATCH words_query(%3))")
                .arg(qualifier, QLatin1String(kWordsTable), typedParameter);
        return QStringLiteral("words_in(%2, %1.\"MYEVENT\", %1.\"LOG\", %1.\"WHERE\", %1.\"WHAT\")")
            .arg(qualifier, typedParameter);
    }

    // The program's dialect is this engine's own: COLLATE NOCASE, datevalue() and a hidden rowid.
    EngineDialect dialect() override { return {}; }

    bool hasTable(const QString& table, const QString& what) override
    {
        SqliteStatement statement(
            db_,
            QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
            what);
        statement.bind(1, table);
        return statement.step(what);
    }

    void ensurePictureHashTable(const QString& what) override
    {
        exec(QStringLiteral(
                 "CREATE TABLE IF NOT EXISTS \"PICTUREHASHES\" (PICTURE TEXT NOT NULL, BYTES INTEGER NOT "
                 "NULL, MTIME INTEGER NOT NULL, SHA256 BLOB NOT NULL, PRIMARY KEY (PICTURE, BYTES, MTIME))"),
             what);
    }

    // A new row takes the identity after the largest one by itself.
    // One statement writes all the rows, so the words index is filled once, not once a row.
    std::unique_ptr<RowAppender> appendRows(const QString& table, const QStringList& columns,
                                            const QString& what) override
    {
        return stagedAppender(*this, table, columns, what);
    }
    void resumeRowIds(const QString&, const QString&) override {}

private:
    std::pair<qint64, qint64> extentOf(const char* sql, const QString& what)
    {
        SqliteStatement statement(db_, QString::fromLatin1(sql), what);
        statement.step(what);
        return {statement.integer(0), statement.integer(1)};
    }

    sqlite3* db_;
};

} // namespace

std::unique_ptr<Engine> openScrapbookFile(const QString& path)
{
    const QString shown = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        throw StoreError(QStringLiteral("%1: the database file does not exist").arg(path));
    // Read-write when the file allows it, read-only otherwise; never created here. A file
    // without any write permission bit is write-protected, also for a user whose rights would
    // let the engine write it anyway (as the read-only attribute is honoured elsewhere).
    const QFile::Permissions writeBits =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther; // the file's own bits
    const bool writeProtected = (QFile::permissions(path) & writeBits) == 0;
    // A connection belongs to the one thread that owns its window: no locking needed.
    const int openFlags =
        (writeProtected ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    Handle handle;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle.db, openFlags, nullptr) != SQLITE_OK)
        fail(handle.db, shown);
    sqlite3_busy_timeout(handle.db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(handle.db, 1);
    // A quoted name that matches no column is an error, not a text: a misspelt field must fail.
    sqlite3_db_config(handle.db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(handle.db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    const int rc = registerQueryFunctions(handle.db);
    if (rc != SQLITE_OK)
        throw StoreError(QStringLiteral("%1: %2").arg(shown, sqlite3_errcode(handle.db) != SQLITE_OK
                                                                 ? failureMessage(handle.db)
                                                                 : QString::fromUtf8(sqlite3_errstr(rc))));
    // Reading the schema proves that the file is a database.
    if (sqlite3_exec(handle.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(handle.db, shown);
    return std::make_unique<SqliteEngine>(handle.release());
}

std::unique_ptr<Engine> openScratchFile(const QString& path)
{
    Handle handle;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        fail(handle.db, QStringLiteral("%1 cannot be created").arg(path));
    auto engine = std::make_unique<SqliteEngine>(handle.release());
    engine->exec(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF"),
                 QStringLiteral("starting the new file (%1)").arg(path));
    return engine;
}

void createFile(const QString& path, const QString& schema)
{
    const QString shown = QFileInfo(path).fileName();
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("%1: the file already exists and is left as it is").arg(shown));
    Handle handle;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle.db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(handle.db, schema.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : failureMessage(handle.db);
        sqlite3_free(error);
        sqlite3_close_v2(handle.release());
        QFile::remove(path); // only the file this function just made
        throw StoreError(QStringLiteral("Cannot create %1: %2").arg(shown, message));
    }
}

std::optional<QSet<QString>> tableNamesOf(const QString& path)
{
    Handle handle;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle.db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        return std::nullopt;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(handle.db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &stmt,
                           nullptr) != SQLITE_OK)
        return std::nullopt;
    QSet<QString> tables;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        tables.insert(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))).toLower());
    sqlite3_finalize(stmt);
    return tables;
}

const char* wordsIndexSchema() { return kWordsSchema; }

} // namespace wk::store::sqlite
