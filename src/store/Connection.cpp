#include "store/Connection.h"

#include "store/RowChange.h"

#include "store/DateRules.h"
#include "store/EntryWords.h"
#include "store/FilePaths.h"
#include "store/WordsIndex.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace wk::store {

namespace {

constexpr int kBusyTimeoutMs =
    2000; // a file another program holds is waited for this long, then the write is refused

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

} // namespace

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

Connection::Connection(const QString& path) : path_(path)
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
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, openFlags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = failureMessage(db_);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw StoreError(QStringLiteral("%1: %2").arg(shown, message));
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    // A quoted name that matches no column is an error, not a text: a misspelt field must fail.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int frc = sqlite3_create_function_v2(db_, "datevalue", 1, flags, nullptr, dateValueFunction, nullptr,
                                         nullptr, nullptr);
    if (frc == SQLITE_OK)
        frc =
            sqlite3_create_function_v2(db_, "mid", 2, flags, nullptr, midFunction, nullptr, nullptr, nullptr);
    if (frc == SQLITE_OK)
        frc =
            sqlite3_create_function_v2(db_, "mid", 3, flags, nullptr, midFunction, nullptr, nullptr, nullptr);
    if (frc == SQLITE_OK)
        frc = registerWordFunctions(db_);
    try {
        check(frc, shown);
        // Reading the schema proves that the file is a database.
        check(sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), shown);
    } catch (...) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw;
    }
}

Connection::~Connection() { sqlite3_close_v2(db_); }

void Connection::interrupt() { sqlite3_interrupt(db_); }

bool Connection::wordsIndexed()
{
    if (!wordsIndexed_)
        wordsIndexed_ = wordsIndexState(*this) == WordsIndexState::Current;
    return *wordsIndexed_;
}

void Connection::exec(const QString& sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        sqlite3_free(error);
        const QString message = failureMessage(db_);
        throw StoreError(QStringLiteral("%1: %2").arg(QFileInfo(path_).fileName(), message));
    }
}

void Connection::check(int resultCode, const QString& what) const
{
    if (resultCode == SQLITE_OK || resultCode == SQLITE_ROW || resultCode == SQLITE_DONE)
        return;
    const QString message = db_ && sqlite3_errcode(db_) != SQLITE_OK
                                ? failureMessage(db_)
                                : QString::fromUtf8(sqlite3_errstr(resultCode));
    throw StoreError(QStringLiteral("%1: %2").arg(what, message));
}

bool Connection::isReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

QString ConnectionPool::resolve(const QString& path)
{
    QString candidate = path;
    if (!QFileInfo(candidate).isFile()) {
        // Names written with a backslash before the file name, and in another letter case.
        candidate.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QFileInfo info(candidate);
        candidate = findFileIgnoringCase(info.path(), info.fileName());
    }
    const QString canonical = QFileInfo(candidate).canonicalFilePath();
    return canonical.isEmpty() ? candidate : canonical;
}

std::shared_ptr<Connection> ConnectionPool::open(const QString& path)
{
    const QString key = resolve(path);
    if (auto existing = open_.value(key).lock())
        return existing;
    auto connection = std::make_shared<Connection>(key);
    connection->hooks_ = hooks_;
    open_.insert(key, connection);
    return connection;
}

void ConnectionPool::setChangeObserver(std::function<void(const RowChange&)> observer)
{
    hooks_->changeObserver = std::move(observer);
}

void Connection::reportChange(RowChange change) const
{
    change.database = path_;
    if (observesChanges())
        hooks_->changeObserver(change);
}

void ConnectionPool::setBeforeFirstWrite(std::function<void(Connection&)> step)
{
    hooks_->beforeFirstWrite = std::move(step);
}

qint64 Connection::dataVersion() const
{
    sqlite3_stmt* stmt = nullptr;
    qint64 version = -1;
    if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        version = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return version; // -1 when it cannot be read: every comparison then asks for a re-read
}

void Connection::aboutToWrite()
{
    ++writeSerial_;
    if (!hooks_ || !hooks_->beforeFirstWrite || hooks_->firstWritten.contains(path_))
        return;
    hooks_->beforeFirstWrite(*this);
    hooks_->firstWritten.insert(path_);
}

} // namespace wk::store
