#include "store/postgres/PostgresEngine.h"

#include "store/PackedRow.h"
#include "store/QueryDialect.h"
#include "store/ScrapbookCopy.h"
#include "store/StoreError.h"
#include "store/StoreLog.h"
#include "store/StoredValue.h"
#include "store/postgres/PostgresSchema.h"

#include <libpq-fe.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QHash>

namespace wk::store::postgres {

namespace {

// The type identities of the built-in types the store reads.
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kTime = 1083,
    kTimestamp = 1114,
    kTimestampWithZone = 1184,
    kNumeric = 1700,
};

constexpr int kOldestServer = 120000; // PostgreSQL 12

enum class Kind { Integer, Real, Text, Blob };

Kind kindOf(Oid type)
{
    switch (type) {
    case kBool:
    case kInt8:
    case kInt2:
    case kInt4:
    case kOid:
        return Kind::Integer;
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return Kind::Real;
    case kBytea:
        return Kind::Blob;
    default:
        return Kind::Text;
    }
}

struct Address {
    QString host;
    QString database;
    QString problem; // why the URI cannot be read; empty when it can
};

Address readAddress(const QString& uri)
{
    Address address;
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(uri.toUtf8().constData(), &error);
    if (!options) {
        address.problem = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("out of memory");
        PQfreemem(error);
        return address;
    }
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        if (!option->val)
            continue;
        if (qstrcmp(option->keyword, "host") == 0)
            address.host = QString::fromUtf8(option->val);
        else if (qstrcmp(option->keyword, "dbname") == 0)
            address.database = QString::fromUtf8(option->val);
    }
    PQconninfoFree(options);
    return address;
}

// libpq's message on one line: it breaks its hints onto lines of their own, indented.
QString serverMessage(const PGconn* conn) { return QString::fromUtf8(PQerrorMessage(conn)).simplified(); }

[[noreturn]] void fail(const QString& what, const QString& message)
{
    throw StoreError(QStringLiteral("%1: %2").arg(what, message));
}

// True when `text` ends with the word AS and blanks.
bool endsWithAs(const QByteArray& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == ' ')
        --end;
    if (end < 2 || qstrnicmp(text.constData() + end - 2, "AS", 2) != 0)
        return false;
    return end == 2 ||
           !(std::isalnum(static_cast<unsigned char>(text.at(end - 3))) || text.at(end - 3) == '_');
}

// The statement text as the server reads it: each "?" outside quotes numbered ("$1", "$2"), and
// every name in double quotes in lower case. The program names tables and columns in any letter
// case, as a file and Jet allow; the server keeps a quoted name's case, so the schema and every
// statement name them in lower case alike. A name given after AS is a label the program reads
// back, and keeps its case.
QByteArray serverText(const QString& sql, int& count)
{
    const QByteArray utf8 = sql.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 16);
    char quote = 0;
    bool keepCase = false;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        char c = utf8.at(i);
        if (quote) {
            if (c == quote)
                quote = 0;
            else if (quote == '"' && !keepCase && c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        } else if (c == '\'' || c == '"') {
            keepCase = c == '"' && endsWithAs(out);
            quote = c;
        } else if (c == '?') {
            out += '$' + QByteArray::number(++count);
            continue;
        }
        out += c;
    }
    return out;
}

QByteArray serverText(const QString& sql)
{
    int count = 0;
    return serverText(sql, count);
}

// Statements sent to servers by this process, each one round trip (measured by bench/engines).
std::atomic<qint64> roundTrips{0};

// Counts a round trip about to be made; the statement shows in the store's debug log.
void countRoundTrip(const char* sql)
{
    ++roundTrips;
    qCDebug(storeLog).noquote() << "to the server:" << sql;
}

// Every table of the scrapbook's schema and its columns, in order.
const char* const kColumnsQuery =
    "SELECT c.relname, a.attname FROM pg_catalog.pg_class c JOIN pg_catalog.pg_attribute a ON a.attrelid = "
    "c.oid "
    "WHERE c.relnamespace = current_schema()::regnamespace AND c.relkind IN ('r', 'p', 'v') AND a.attnum > 0 "
    "AND NOT a.attisdropped ORDER BY c.relname, a.attnum";

// "t" when this connection may change the entries: the server is not read-only and the role may
// add, change and delete entries (a child's account may only read). Where there are no entries
// yet, the making of them tells.
const char* const kMayWriteQuery =
    "SELECT current_setting('transaction_read_only') = 'off' AND coalesce((SELECT "
    "has_table_privilege(c.oid, 'INSERT, UPDATE, DELETE') FROM pg_catalog.pg_class c WHERE c.relname = "
    "'mylife' AND c.relnamespace = current_schema()::regnamespace), true)";

// The tables and their columns but the row identity, from the result of kColumnsQuery.
QHash<QString, QStringList> columnsIn(const PGresult* result)
{
    QHash<QString, QStringList> columns;
    for (int row = 0; row < PQntuples(result); ++row) {
        QStringList& names = columns[QString::fromUtf8(PQgetvalue(result, row, 0))];
        const QString name = QString::fromUtf8(PQgetvalue(result, row, 1));
        if (name != QLatin1String("rowid"))
            names << name;
    }
    return columns;
}

// What a connection asks of the server when it is made, and again when it is made anew.
const char* const kSessionStart = "SET client_encoding TO 'UTF8'; LISTEN wanderkeep";

// A result that is cleared however the scope is left.
struct Result {
    PGresult* result = nullptr;
    explicit Result(PGresult* r) : result(r) {}
    ~Result() { PQclear(result); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
};

struct Session;
void settle(Session& session, const PGresult* result, const QString& what);

// One connection, shared by its engine and its statements: what the statements report, and the
// connection made anew when the server went away and came back.
struct Session {
    explicit Session(PGconn* connection) : conn(connection), cancel(PQgetCancel(connection)) {}
    ~Session() { PQfreeCancel(cancel); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    PGconn* conn = nullptr;
    qint64 changed = 0;  // rows changed by the last statement
    qint64 total = 0;    // rows changed since connecting
    int depth = 0;       // writes begun and not yet ended
    qint64 renewals = 0; // times the connection was made anew
    // The columns of each query text asked about before it ran (an empty result), kept for the
    // connection's life: the program asks for the columns of the same few texts again and again.
    QHash<QByteArray, std::shared_ptr<const PGresult>> descriptions;

    bool lost() const { return PQstatus(conn) != CONNECTION_OK; }

    // Before a round trip outside any write, a connection found broken (the server restarted, the
    // network came back) is made anew, with its own timeouts, so no one waits longer than those.
    // Within a write the loss fails the write, which is then rolled back whole by the server.
    // After a refusal the server is not asked again for a moment: one action runs several
    // statements, and each would wait anew. `force`: ask now (the server was seen answering).
    void renewIfLost(const QString& what, bool force = false)
    {
        if (depth > 0)
            return;
        // What the server sent meanwhile is read first (nothing is sent): a server that ended the
        // connection while it was idle shows here, before a statement is lost on it.
        if (!lost())
            PQconsumeInput(conn);
        if (!lost())
            return;
        constexpr qint64 kQuietMs = 3000;
        if (!force && refusedSince.isValid() && refusedSince.elapsed() < kQuietMs)
            fail(what, refusal);
        countRoundTrip("(connecting again)");
        PQreset(conn);
        if (lost()) {
            refusal = serverMessage(conn);
            refusedSince.start();
            fail(what, refusal);
        }
        refusedSince.invalidate();
        descriptions.clear();
        ++renewals;
        {
            const std::lock_guard lock(cancelMutex);
            PQfreeCancel(cancel);
            cancel = PQgetCancel(conn);
        }
        countRoundTrip(kSessionStart);
        const Result started(PQexec(conn, kSessionStart));
        settle(*this, started.result, what);
    }

    // Sends a statement and waits for its result: one round trip.
    PGresult* send(const char* sql, const QString& what)
    {
        const auto sendOnce = [&] {
            renewIfLost(what);
            countRoundTrip(sql);
            return PQexec(conn, sql);
        };
        PGresult* result = sendOnce();
        if (lostOn(sql)) {
            PQclear(result);
            result = sendOnce();
        }
        return result;
    }

    // True when the statement `text`, just sent outside any write, found the connection broken
    // and may be sent again on a new one: a read, or the start of a write, changes nothing.
    bool lostOn(const QByteArray& text) const
    {
        if (depth > 0 || !lost())
            return false;
        const QByteArray start = text.trimmed().left(6).toUpper();
        return start == "SELECT" || start == "BEGIN";
    }

    // Stops what runs now, from any thread.
    void interrupt()
    {
        const std::lock_guard lock(cancelMutex);
        char message[256];
        if (cancel)
            PQcancel(cancel, message, int(sizeof message));
    }

private:
    std::mutex cancelMutex;
    PGcancel* cancel = nullptr;
    QString refusal; // the server's last refusal of a new connection
    QElapsedTimer refusedSince;
};

// Checks a finished command and notes the rows it changed.
void settle(Session& session, const PGresult* result, const QString& what)
{
    const ExecStatusType status = PQresultStatus(result);
    if (status == PGRES_COMMAND_OK) {
        session.changed = std::atoll(PQcmdTuples(const_cast<PGresult*>(result)));
        session.total += session.changed;
        return;
    }
    if (status == PGRES_TUPLES_OK)
        return;
    // The server's own sentence, without the statement text it quotes after it.
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    fail(what, primary ? QString::fromUtf8(primary).trimmed() : serverMessage(session.conn));
}

// Runs when first stepped (or asked about its columns); its rows come back whole.
class PostgresStatement final : public Statement {
public:
    PostgresStatement(Session& session, const QString& sql, const QString& what = QString())
        : session_(session), what_(what)
    {
        text_ = serverText(sql, count_);
        params_.resize(size_t(count_));
    }
    ~PostgresStatement() override { PQclear(result_); }
    PostgresStatement(const PostgresStatement&) = delete;
    PostgresStatement& operator=(const PostgresStatement&) = delete;

    void bind(int index, const QVariant& value) override
    {
        if (index < 1 || index > count_)
            throw StoreError(QStringLiteral("there is no parameter %1 in the statement").arg(index));
        Parameter& parameter = params_[size_t(index - 1)];
        const StoredValue stored = StoredValue::of(value);
        parameter = Parameter{};
        parameter.present = stored.kind != StoredValue::Null;
        parameter.binary = stored.kind == StoredValue::Blob;
        switch (stored.kind) {
        case StoredValue::Integer:
            parameter.type = kInt8;
            parameter.bytes = QByteArray::number(stored.integer);
            break;
        case StoredValue::Real:
            parameter.type = kFloat8;
            parameter.bytes = QByteArray::number(stored.real, 'g', 17);
            break;
        case StoredValue::Blob:
            parameter.type = kBytea;
            parameter.bytes = stored.bytes;
            break;
        case StoredValue::Text:
        case StoredValue::Null:
            parameter.bytes = stored.bytes; // the server infers the type, as for a quoted literal
            break;
        }
    }

    bool step(const QString& what) override
    {
        if (!result_)
            execute(what);
        return ++row_ < PQntuples(result_);
    }

    void reset() override
    {
        PQclear(result_);
        result_ = nullptr;
        row_ = -1;
    }

    int columnCount() const override { return PQnfields(described()); }
    QString columnName(int column) const override { return QString::fromUtf8(PQfname(described(), column)); }
    bool declaredAsDate(int column) const override
    {
        const Oid type = PQftype(described(), column);
        return type == kDate || type == kTime || type == kTimestamp || type == kTimestampWithZone;
    }

    QVariant value(int column) const override
    {
        if (PQgetisnull(result_, row_, column))
            return QVariant();
        const char* text = PQgetvalue(result_, row_, column);
        switch (kindOf(PQftype(result_, column))) {
        case Kind::Integer:
            return QVariant(qlonglong(integer(column)));
        case Kind::Real:
            return QVariant(std::strtod(text, nullptr));
        case Kind::Blob:
            return QVariant(blob(column));
        case Kind::Text:
            break;
        }
        return QVariant(QString::fromUtf8(text, PQgetlength(result_, row_, column)));
    }

    qint64 integer(int column) const override
    {
        const char* text = PQgetvalue(result_, row_, column);
        if (PQftype(result_, column) == kBool)
            return text[0] == 't' ? 1 : 0;
        return std::strtoll(text, nullptr, 10);
    }

    std::optional<QByteArrayView> text(int column) const override
    {
        if (PQgetisnull(result_, row_, column) || kindOf(PQftype(result_, column)) != Kind::Text)
            return std::nullopt;
        return QByteArrayView(PQgetvalue(result_, row_, column), PQgetlength(result_, row_, column));
    }

    void appendTo(PackedRow& row, int column) const override
    {
        if (PQgetisnull(result_, row_, column)) {
            row.appendNull();
            return;
        }
        switch (kindOf(PQftype(result_, column))) {
        case Kind::Integer:
            row.appendInteger(integer(column));
            return;
        case Kind::Real:
            row.appendReal(std::strtod(PQgetvalue(result_, row_, column), nullptr));
            return;
        case Kind::Blob: {
            const QByteArray bytes = blob(column);
            row.appendBlob(bytes.constData(), bytes.size());
            return;
        }
        case Kind::Text:
            row.appendText(PQgetvalue(result_, row_, column), PQgetlength(result_, row_, column));
            return;
        }
    }

private:
    struct Parameter {
        bool present = false; // false: NULL
        bool binary = false;
        Oid type = 0; // 0: the server infers it, as for a quoted literal
        QByteArray bytes;
    };

    // The columns: of the result once the statement has run; before that, of the same query with
    // no rows asked for (once per text), so learning a query's columns never reads its rows.
    const PGresult* described() const
    {
        if (result_)
            return result_;
        auto* self = const_cast<PostgresStatement*>(this);
        if (!text_.trimmed().left(6).toUpper().startsWith("SELECT")) {
            self->execute(what_);
            return result_;
        }
        auto& cached = session_.descriptions[text_];
        if (!cached) {
            constexpr qsizetype kKept = 256; // the program's own texts are far fewer
            if (session_.descriptions.size() > kKept) {
                session_.descriptions.clear();
                return described();
            }
            cached.reset(self->run("SELECT * FROM (" + text_ + ") AS described LIMIT 0", what_), PQclear);
        }
        return cached.get();
    }

    QByteArray blob(int column) const
    {
        size_t size = 0;
        unsigned char* bytes =
            PQunescapeBytea(reinterpret_cast<const unsigned char*>(PQgetvalue(result_, row_, column)), &size);
        const QByteArray copy(reinterpret_cast<const char*>(bytes), qsizetype(size));
        PQfreemem(bytes);
        return copy;
    }

    void execute(const QString& what)
    {
        result_ = run(text_, what);
        row_ = -1;
    }

    // Sends `text` with the bound values and waits for its whole result; throws its failure.
    PGresult* run(const QByteArray& text, const QString& what)
    {
        std::vector<Oid> types;
        std::vector<const char*> values;
        std::vector<int> lengths;
        std::vector<int> formats;
        for (const Parameter& parameter : params_) {
            types.push_back(parameter.type);
            values.push_back(parameter.present ? parameter.bytes.constData() : nullptr);
            lengths.push_back(int(parameter.bytes.size()));
            formats.push_back(parameter.binary ? 1 : 0);
        }
        const auto sendOnce = [&] {
            session_.renewIfLost(what);
            countRoundTrip(text.constData());
            return PQexecParams(session_.conn, text.constData(), count_, types.data(), values.data(),
                                lengths.data(), formats.data(), 0);
        };
        PGresult* result = sendOnce();
        if (session_.lostOn(text)) {
            PQclear(result);
            result = sendOnce();
        }
        try {
            settle(session_, result, what);
        } catch (...) {
            PQclear(result);
            throw;
        }
        return result;
    }

    Session& session_;
    QString what_; // heads the failures of a run its columns asked for
    QByteArray text_;
    int count_ = 0;
    std::vector<Parameter> params_;
    PGresult* result_ = nullptr;
    int row_ = -1;
};

// Rows sent through the COPY protocol: a table's rows in one statement, a round trip to begin it
// and one to end it, the rows streamed between.
class CopyAppender final : public RowAppender {
public:
    CopyAppender(Session& session, const QString& table, const QStringList& columns, const QString& what)
        : session_(session), what_(what)
    {
        const QByteArray sql = serverText(
            QStringLiteral("COPY %1 (%2) FROM STDIN").arg(quoteIdentifier(table), columnList(columns)));
        const Result started(session_.send(sql.constData(), what_));
        if (PQresultStatus(started.result) != PGRES_COPY_IN)
            settle(session_, started.result, what_);
        open_ = true;
    }
    ~CopyAppender() override
    {
        if (!open_)
            return;
        // Stopped half-way: the server drops what it was sent, and the write is rolled back.
        PQputCopyEnd(session_.conn, "the copy was stopped");
        while (PGresult* result = PQgetResult(session_.conn))
            PQclear(result);
    }
    CopyAppender(const CopyAppender&) = delete;
    CopyAppender& operator=(const CopyAppender&) = delete;

    // COPY's text form: tab between values, \N for null, backslash escapes in texts.
    void add(const QVariant& value) override
    {
        if (!rowStart_)
            buffer_ += '\t';
        rowStart_ = false;
        const StoredValue stored = StoredValue::of(value);
        switch (stored.kind) {
        case StoredValue::Null:
            buffer_ += "\\N";
            return;
        case StoredValue::Integer:
            buffer_ += QByteArray::number(stored.integer);
            return;
        case StoredValue::Real:
            buffer_ += QByteArray::number(stored.real, 'g', 17);
            return;
        case StoredValue::Blob:
            buffer_ += "\\\\x" + stored.bytes.toHex();
            return;
        case StoredValue::Text:
            for (const char c : stored.bytes) {
                switch (c) {
                case '\\':
                    buffer_ += "\\\\";
                    break;
                case '\t':
                    buffer_ += "\\t";
                    break;
                case '\n':
                    buffer_ += "\\n";
                    break;
                case '\r':
                    buffer_ += "\\r";
                    break;
                default:
                    buffer_ += c;
                }
            }
            return;
        }
    }
    void endRow() override
    {
        buffer_ += '\n';
        rowStart_ = true;
        constexpr qsizetype kChunk = 1 << 16;
        if (buffer_.size() >= kChunk)
            flush();
    }
    qint64 finish() override
    {
        flush();
        open_ = false;
        countRoundTrip("(the end of the copy)");
        if (PQputCopyEnd(session_.conn, nullptr) != 1)
            fail(what_, serverMessage(session_.conn));
        // The COPY's result, then none; every one is read before a failure is told.
        QString failure;
        qint64 written = 0;
        while (PGresult* result = PQgetResult(session_.conn)) {
            const Result finished(result);
            try {
                settle(session_, finished.result, what_);
                written = session_.changed;
            } catch (const StoreError& error) {
                failure = error.message();
            }
        }
        if (!failure.isEmpty())
            throw StoreError(failure);
        return written;
    }

private:
    void flush()
    {
        if (buffer_.isEmpty())
            return;
        if (PQputCopyData(session_.conn, buffer_.constData(), int(buffer_.size())) != 1)
            fail(what_, serverMessage(session_.conn));
        buffer_.clear();
    }

    Session& session_;
    QString what_;
    QByteArray buffer_;
    bool rowStart_ = true;
    bool open_ = false;
};

// A connection that was just closed, with what it learned when it was opened.
struct Parked {
    QString uri;
    PGconn* conn = nullptr;
    bool readOnly = false;
    QHash<QString, QStringList> columns;
    QElapsedTimer since;
};

// Connections just closed, kept a moment for the next opening of the same scrapbook: the program
// opens a scrapbook several times as it starts (its check, its words index, the window) and a
// server makes a process for each new connection. A kept connection sends nothing.
class ConnectionShelf {
public:
    ~ConnectionShelf()
    {
        for (Parked& parked : parked_)
            PQfinish(parked.conn);
    }

    void put(Parked parked)
    {
        const std::lock_guard lock(mutex_);
        dropExpired();
        if (parked_.size() >= kKept) {
            PQfinish(parked_.front().conn);
            parked_.erase(parked_.begin());
        }
        parked.since.start();
        parked_.push_back(std::move(parked));
    }

    // A kept connection to `uri`, with nothing it heard while kept left to tell. The server may
    // have ended it meanwhile: that shows at its first statement (PostgresEngine::checkKept).
    std::optional<Parked> take(const QString& uri)
    {
        const std::lock_guard lock(mutex_);
        dropExpired();
        for (auto it = parked_.begin(); it != parked_.end(); ++it) {
            if (it->uri != uri)
                continue;
            Parked parked = std::move(*it);
            parked_.erase(it);
            PQconsumeInput(parked.conn);
            while (PGnotify* notice = PQnotifies(parked.conn))
                PQfreemem(notice);
            return parked;
        }
        return std::nullopt;
    }

private:
    static constexpr size_t kKept = 4;
    static constexpr qint64 kKeptMs = 10000;

    void dropExpired()
    {
        while (!parked_.empty() && parked_.front().since.elapsed() > kKeptMs) {
            PQfinish(parked_.front().conn);
            parked_.erase(parked_.begin());
        }
    }

    std::mutex mutex_;
    std::vector<Parked> parked_; // oldest first
};

ConnectionShelf& shelf()
{
    static ConnectionShelf kept;
    return kept;
}

class PostgresEngine final : public Engine {
public:
    // `shelfKey`: what a later opening must match to be given this connection once it is closed.
    PostgresEngine(const QString& shelfKey, PGconn* conn, bool readOnly, QHash<QString, QStringList> columns)
        : shelfKey_(shelfKey), session_(conn), columns_(std::move(columns)), readOnly_(readOnly)
    {
    }
    ~PostgresEngine() override
    {
        if (session_.depth == 0 && columns_ && PQstatus(session_.conn) == CONNECTION_OK &&
            PQtransactionStatus(session_.conn) == PQTRANS_IDLE)
            shelf().put({shelfKey_, session_.conn, readOnly_, *columns_, {}});
        else
            PQfinish(session_.conn);
    }
    PostgresEngine(const PostgresEngine&) = delete;
    PostgresEngine& operator=(const PostgresEngine&) = delete;

    // A kept connection's first statement, which also shows whether the server still has it: the
    // scrapbook's version (a newer Wanderkeep may have come meanwhile), or an empty statement.
    void checkKept(const QString& where)
    {
        if (hasTable(QStringLiteral("WANDERKEEP_SCHEMA"), where)) {
            requireKnownSchema(*this, where);
            return;
        }
        const Result alive(session_.send("", where));
        if (PQresultStatus(alive.result) != PGRES_EMPTY_QUERY)
            fail(QStringLiteral("Cannot open the scrapbook %1").arg(where), serverMessage(session_.conn));
    }
    bool lost() const { return session_.lost(); }

    std::unique_ptr<Statement> prepare(const QString& sql, const QString& what) override
    {
        return std::make_unique<PostgresStatement>(session_, sql, what);
    }

    void exec(const QString& sql, const QString& what) override
    {
        columns_.reset(); // it may make or drop tables
        session_.descriptions.clear();
        command(sql, what);
    }

    // The outermost write is a transaction, the ones inside it savepoints.
    void beginWrite(const QString& what) override
    {
        command(session_.depth == 0 ? QStringLiteral("BEGIN")
                                    : QStringLiteral("SAVEPOINT wk_write_%1").arg(session_.depth),
                what);
        ++session_.depth;
    }
    void commitWrite(const QString& what) override
    {
        command(session_.depth == 1 ? QStringLiteral("COMMIT")
                                    : QStringLiteral("RELEASE SAVEPOINT wk_write_%1").arg(session_.depth - 1),
                what);
        --session_.depth;
    }
    void rollBackWrite(const QString& what) override
    {
        --session_.depth;
        if (session_.lost())
            return; // the server rolls back what a lost connection began
        const QString sql = session_.depth == 0 ? QStringLiteral("ROLLBACK")
                                                : QStringLiteral("ROLLBACK TO SAVEPOINT wk_write_%1; "
                                                                 "RELEASE SAVEPOINT wk_write_%1")
                                                      .arg(session_.depth);
        const Result result(session_.send(sql.toUtf8().constData(), what));
        if (PQresultStatus(result.result) != PGRES_COMMAND_OK)
            qCDebug(storeLog).noquote()
                << QStringLiteral("%1: the rollback failed: %2").arg(what, serverMessage(session_.conn));
    }

    qint64 lastInsertedRow() const override
    {
        const Result result(session_.send("SELECT lastval()", QString()));
        if (PQresultStatus(result.result) != PGRES_TUPLES_OK || PQntuples(result.result) != 1)
            return 0;
        return std::strtoll(PQgetvalue(result.result, 0, 0), nullptr, 10);
    }
    qint64 changedRows() const override { return session_.changed; }
    qint64 totalChanges() const override { return session_.total; }
    int changeSocket() const override { return PQsocket(session_.conn); }
    // Counts the changes other connections were told of (the schema's triggers notify): reading
    // what the server already sent sends nothing, so an idle window costs the server nothing.
    qint64 dataVersion() const override
    {
        if (!PQconsumeInput(session_.conn))
            return -1; // the connection broke: every comparison asks for a re-read, which says why
        const int own = PQbackendPID(session_.conn);
        while (PGnotify* notice = PQnotifies(session_.conn)) {
            if (notice->be_pid != own)
                ++othersChanges_;
            PQfreemem(notice);
        }
        // Whatever changed while the connection was away went unheard: a renewal counts as a change.
        return othersChanges_ + session_.renewals;
    }

    bool isLost() const override { return session_.lost(); }
    void reconnect(const QString& what) override { session_.renewIfLost(what, true); }

    // Asks the server whether it takes connections (PQping: no sign-in, nothing run), with the
    // connection's own settings copied, so it may run on another thread after this engine is gone.
    std::function<bool()> answerCheck() const override
    {
        std::vector<QByteArray> keywords;
        std::vector<QByteArray> values;
        PQconninfoOption* options = PQconninfo(session_.conn);
        for (const PQconninfoOption* option = options; option && option->keyword; ++option)
            if (option->val && *option->val) {
                keywords.emplace_back(option->keyword);
                values.emplace_back(option->val);
            }
        PQconninfoFree(options);
        return [keywords = std::move(keywords), values = std::move(values)] {
            std::vector<const char*> k;
            std::vector<const char*> v;
            for (size_t i = 0; i < keywords.size(); ++i) {
                k.push_back(keywords[i].constData());
                v.push_back(values[i].constData());
            }
            k.push_back(nullptr);
            v.push_back(nullptr);
            return PQpingParams(k.data(), v.data(), 0) == PQPING_OK;
        };
    }

    void interrupt() override { session_.interrupt(); }
    bool isReadOnly() const override { return readOnly_; }

    // Every table read in one repeatable-read transaction: the scrapbook as it stood at its start,
    // whatever other computers write meanwhile.
    void writeSnapshot(const QString& file) override
    {
        const QString what = QStringLiteral("Cannot read the scrapbook for its copy");
        if (session_.depth > 0)
            fail(what, QStringLiteral("a copy is taken before a change, not within one"));
        command(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"), what);
        ++session_.depth;
        try {
            writeScrapbookFile(*this, QStringLiteral("the server scrapbook"), file);
        } catch (...) {
            rollBackWrite(what);
            throw;
        }
        commitWrite(what);
    }

    // The schema's index over words_vector() is kept by the server with every write.
    WordsIndexState wordsIndexState(const QString&) override { return WordsIndexState::Current; }
    void buildWordsIndex(const QString&, const std::function<void(qint64, qint64)>&) override {}
    QString wordsCondition(const QString& qualifier, const QString& typedParameter, bool) const override
    {
        return QStringLiteral("words_vector(%1.\"MYEVENT\", %1.\"LOG\", %1.\"WHERE\", %1.\"WHAT\") @@ "
                              "words_query(%2)")
            .arg(qualifier, typedParameter);
    }

    // Texts fold through the schema's nocase() (ASCII letters only, as a file compares them), the
    // row identity is a column "*" would show, and the server has no datevalue().
    EngineDialect dialect() override
    {
        EngineDialect dialect;
        dialect.foldFunction = QStringLiteral("nocase");
        dialect.foldedColumns = foldedColumns();
        dialect.allColumns = [this](const QString& table, const QString& qualifier) {
            return columnList(table, qualifier);
        };
        dialect.datesByProgram = true;
        dialect.tiesInRowOrder = true;
        dialect.exactly = QStringLiteral("IS NOT DISTINCT FROM ?");
        return dialect;
    }

    bool hasTable(const QString& table, const QString& what) override
    {
        return columnsOfTables(what).contains(table.toLower());
    }

    void ensurePictureHashTable(const QString& what) override { exec(pictureHashTableSchema(), what); }

    std::unique_ptr<RowAppender> appendRows(const QString& table, const QStringList& columns,
                                            const QString& what) override
    {
        return std::make_unique<CopyAppender>(session_, table, columns, what);
    }

    void resumeRowIds(const QString& table, const QString& what) override
    {
        PostgresStatement resume(session_, QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'rowid'), "
                                                          "coalesce(max(rowid), 0) + 1, false) FROM %1")
                                               .arg(quoteIdentifier(table)));
        resume.bind(1, quoteIdentifier(table.toLower()));
        resume.step(what);
    }

private:
    // Runs a statement that returns no rows and changes no table's columns.
    void command(const QString& sql, const QString& what)
    {
        const Result result(session_.send(serverText(sql).constData(), what));
        settle(session_, result.result, what);
    }

    // The tables of the database and their columns but the row identity, in lower case: read
    // with the connection, and again after statements that may change them (exec).
    const QHash<QString, QStringList>& columnsOfTables(const QString& what)
    {
        if (!columns_) {
            const Result result(session_.send(kColumnsQuery, what));
            settle(session_, result.result, what);
            columns_ = columnsIn(result.result);
        }
        return *columns_;
    }

    // Every column of `table` but the row identity, each read as the name a file gives it.
    QString columnList(const QString& table, const QString& qualifier)
    {
        const QString key = table.toLower();
        const auto& tables = columnsOfTables(QStringLiteral("Cannot read the columns of %1").arg(table));
        const auto found = tables.constFind(key);
        if (found == tables.cend() || found->isEmpty())
            return QStringLiteral("*"); // no such table: the statement says so
        QStringList columns;
        for (const QString& name : *found)
            columns << QStringLiteral("%1.%2 AS %3")
                           .arg(qualifier, quoteIdentifier(name), quoteIdentifier(fileColumnName(key, name)));
        return columns.join(QStringLiteral(", "));
    }

    QString shelfKey_;
    mutable Session session_;
    std::optional<QHash<QString, QStringList>> columns_;
    bool readOnly_ = false;
    mutable qint64 othersChanges_ = 0;
};

} // namespace

qint64 roundTripsSoFar() { return roundTrips.load(); }

QString unsupportedServer(int version)
{
    if (version >= kOldestServer)
        return {};
    // From 10 on the number is major * 10000 + minor; before, major * 10000 + minor * 100 + patch.
    const QString release = version >= 100000
                                ? QStringLiteral("%1.%2").arg(version / 10000).arg(version % 10000)
                                : QStringLiteral("%1.%2").arg(version / 10000).arg(version / 100 % 100);
    return QStringLiteral("the server runs PostgreSQL %1, and Wanderkeep needs 12 or newer").arg(release);
}

bool isServerAddress(const QString& text)
{
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString describeAddress(const QString& uri)
{
    const Address address = readAddress(uri);
    return QStringLiteral("%1/%2").arg(address.host.isEmpty() ? QStringLiteral("localhost") : address.host,
                                       address.database);
}

QString databaseAtHost(const QString& uri)
{
    const Address address = readAddress(uri);
    return QStringLiteral("%1@%2").arg(address.database,
                                       address.host.isEmpty() ? QStringLiteral("localhost") : address.host);
}

QString withoutPassword(const QString& uri)
{
    static const QRegularExpression inUserPart(QStringLiteral("^(postgres(?:ql)?://[^:/@?]*):[^@/?]*@"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inParameters(QStringLiteral("([?&])password=[^&]*(&|$)"));
    QString kept = uri;
    kept.replace(inUserPart, QStringLiteral("\\1@"));
    kept.replace(inParameters, QStringLiteral("\\1"));
    if (kept.endsWith(QLatin1Char('&')) || kept.endsWith(QLatin1Char('?')))
        kept.chop(1);
    return kept;
}

namespace {

// Opens a connection to `uri`, giving up on a server that does not answer. The URI's own settings
// come after these defaults, so they win.
PGconn* connectWithTimeouts(const QString& uri, const QString& password)
{
    const QByteArray address = uri.toUtf8();
    const QByteArray secret = password.toUtf8();
    std::vector<const char*> keywords = {
        "connect_timeout",  "keepalives",       "keepalives_idle", "keepalives_interval",
        "keepalives_count", "tcp_user_timeout", "dbname"};
    std::vector<const char*> values = {"5", "1", "5", "1", "3", "5000", address.constData()};
    if (!password.isEmpty()) { // after the URI's own, so it is the one used
        keywords.push_back("password");
        values.push_back(secret.constData());
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keywords.data(), values.data(), 1);
}

std::unique_ptr<Engine> signIn(const QString& uri, const QString& password)
{
    const Address address = readAddress(uri);
    if (!address.problem.isEmpty())
        throw StoreError(QStringLiteral("The scrapbook address cannot be read: %1").arg(address.problem));
    const QString where = describeAddress(uri);
    // A connection signed in with a password is given again only to an opening with that password.
    const QString shelfKey = password.isEmpty() ? uri : uri + QLatin1Char('\n') + password;
    while (std::optional<Parked> parked = shelf().take(shelfKey)) {
        auto engine = std::make_unique<PostgresEngine>(shelfKey, parked->conn, parked->readOnly,
                                                       std::move(parked->columns));
        try {
            engine->checkKept(where);
            return engine;
        } catch (const StoreError&) {
            if (!engine->lost())
                throw;
        }
    }
    PGconn* conn = connectWithTimeouts(uri, password);
    const auto refuse = [&](const QString& reason) {
        PQfinish(conn);
        throw StoreError(QStringLiteral("Cannot open the scrapbook %1: %2").arg(where, reason));
    };
    if (!conn)
        refuse(QStringLiteral("out of memory"));
    if (PQstatus(conn) != CONNECTION_OK) {
        // The server asked for a password and had none, or refused the one it had.
        const bool passwordWanted =
            PQconnectionNeedsPassword(conn) ||
            (PQconnectionUsedPassword(conn) && serverMessage(conn).contains(QLatin1String("password")));
        if (passwordWanted) {
            const QString message =
                QStringLiteral("Cannot open the scrapbook %1: %2").arg(where, serverMessage(conn));
            PQfinish(conn);
            throw PasswordNeededError(message);
        }
        refuse(serverMessage(conn));
    }
    if (const QString tooOld = unsupportedServer(PQserverVersion(conn)); !tooOld.isEmpty())
        refuse(tooOld);
    // The server's notices ("already exists, skipping") are for the log, not the terminal.
    PQsetNoticeProcessor(
        conn,
        [](void*, const char* message) {
            qCDebug(storeLog).noquote() << QString::fromUtf8(message).trimmed();
        },
        nullptr);
    // What every connection asks first, sent at once: one round trip, a result for each statement.
    const QByteArray first = QByteArray(kSessionStart) + "; " + kMayWriteQuery + "; " + kColumnsQuery;
    countRoundTrip(first.constData());
    if (!PQsendQuery(conn, first.constData()))
        refuse(serverMessage(conn));
    std::vector<std::unique_ptr<Result>> results;
    while (PGresult* result = PQgetResult(conn))
        results.push_back(std::make_unique<Result>(result));
    for (const auto& result : results)
        if (PQresultStatus(result->result) != PGRES_COMMAND_OK &&
            PQresultStatus(result->result) != PGRES_TUPLES_OK)
            refuse(QString::fromUtf8(PQresultErrorMessage(result->result)).trimmed());
    if (results.size() != 4 || PQntuples(results[2]->result) != 1)
        refuse(QStringLiteral("the server did not answer as a PostgreSQL server does"));
    const bool readOnly = qstrcmp(PQgetvalue(results[2]->result, 0, 0), "t") != 0;
    auto engine = std::make_unique<PostgresEngine>(shelfKey, conn, readOnly, columnsIn(results[3]->result));
    requireKnownSchema(*engine, where);
    return engine;
}

// Passwords that opened a scrapbook in this run, by address: each later opening of it (every data
// source opens its own) signs in with the same. Kept in memory only.
class TypedPasswords {
public:
    void keep(const QString& uri, const QString& password)
    {
        const std::lock_guard lock(mutex_);
        passwords_.insert(uri, password);
    }
    QString of(const QString& uri)
    {
        const std::lock_guard lock(mutex_);
        return passwords_.value(uri);
    }

private:
    std::mutex mutex_;
    QHash<QString, QString> passwords_;
};

TypedPasswords& typedPasswords()
{
    static TypedPasswords kept;
    return kept;
}

} // namespace

std::unique_ptr<Engine> connectToServer(const QString& uri, const QString& typed)
{
    const QString password = typed.isEmpty() ? typedPasswords().of(uri) : typed;
    std::unique_ptr<Engine> engine = signIn(uri, password);
    if (!typed.isEmpty())
        typedPasswords().keep(uri, typed);
    return engine;
}

} // namespace wk::store::postgres
