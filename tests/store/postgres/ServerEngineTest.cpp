// The server engine against a real PostgreSQL server: values go in bound and come back as the store
// reads them, writes are whole or nothing, and an address that leads nowhere is told plainly.
#include "ServerDatabase.h"

#include "store/PackedRow.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"
#include "store/postgres/PostgresEngine.h"

#include <QDate>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QThread>
#include <QStandardPaths>

using namespace wk;
using wk::testing::ServerDatabase;

namespace {

QString errorOpening(const QString& uri)
{
    try {
        store::openEngine(store::ScrapbookLocation(uri));
    } catch (const store::StoreError& error) {
        return error.message();
    }
    return {};
}

std::unique_ptr<store::Engine> openTable(const ServerDatabase& database)
{
    auto engine = store::openEngine(store::ScrapbookLocation(database.uri()));
    engine->exec(QStringLiteral("CREATE TABLE t (rowid bigint GENERATED ALWAYS AS IDENTITY, title text, "
                                "count bigint, share double precision, bytes bytea, day date)"),
                 QStringLiteral("create"));
    return engine;
}

} // namespace

TEST(ServerEngine, StatementsBindValuesAndReadThemBackAsStored)
{
    ServerDatabase database;
    const auto engine = openTable(database);
    const auto insert = engine->prepare(
        QStringLiteral("INSERT INTO t (title, count, share, bytes, day) VALUES (?, ?, ?, ?, ?)"), "add");
    const QByteArray bytes("\0\x01\xff'?", 5);
    insert->bind(1, QStringLiteral("Grandma's \"Café\" ?"));
    insert->bind(2, qlonglong(1) << 40);
    insert->bind(3, 0.1);
    insert->bind(4, bytes);
    insert->bind(5, QDate(1998, 6, 15));
    EXPECT_FALSE(insert->step("add"));
    EXPECT_EQ(engine->changedRows(), 1);
    EXPECT_EQ(engine->lastInsertedRow(), 1);
    insert->reset();
    for (int k = 1; k <= 5; ++k)
        insert->bind(k, QVariant());
    insert->step("add again");
    EXPECT_EQ(engine->lastInsertedRow(), 2);
    EXPECT_EQ(engine->totalChanges(), 2);

    // A "?" inside a literal is text, not a parameter.
    const auto read = engine->prepare(
        QStringLiteral("SELECT rowid, title, count, share, bytes, day, '?' AS mark FROM t WHERE rowid >= ? "
                       "ORDER BY rowid"),
        "read");
    read->bind(1, 1);
    ASSERT_EQ(read->columnCount(), 7);
    EXPECT_EQ(read->columnName(1), "title");
    EXPECT_TRUE(read->declaredAsDate(5));
    EXPECT_FALSE(read->declaredAsDate(1));
    ASSERT_TRUE(read->step("read"));
    EXPECT_EQ(read->value(1), QVariant(QStringLiteral("Grandma's \"Café\" ?")));
    EXPECT_EQ(read->value(2), QVariant(qlonglong(1) << 40));
    EXPECT_EQ(read->value(3), QVariant(0.1));
    EXPECT_EQ(read->value(4), QVariant(bytes));
    EXPECT_EQ(read->value(5), QVariant(QStringLiteral("1998-06-15")));
    EXPECT_EQ(read->value(6), QVariant(QStringLiteral("?")));
    store::PackedRow packed;
    for (int c = 0; c < 7; ++c)
        read->appendTo(packed, c);
    EXPECT_EQ(packed.at(4), QVariant(bytes));
    EXPECT_EQ(packed.at(2), QVariant(qlonglong(1) << 40));
    ASSERT_TRUE(read->step("read"));
    EXPECT_TRUE(read->value(1).isNull());
    EXPECT_FALSE(read->text(1).has_value());
    EXPECT_FALSE(read->step("read"));

    EXPECT_TRUE(engine->hasTable("T", "look"));
    EXPECT_FALSE(engine->hasTable("MYLIFE", "look"));
    EXPECT_FALSE(engine->isReadOnly());
}

TEST(ServerEngine, AWriteIsWholeOrNothingAndWritesNest)
{
    ServerDatabase database;
    const auto engine = openTable(database);
    const auto count = [&] {
        const auto rows = engine->prepare(QStringLiteral("SELECT count(*) FROM t"), "count");
        rows->step("count");
        return rows->integer(0);
    };
    const auto add = [&](const QString& title) {
        const auto insert = engine->prepare(QStringLiteral("INSERT INTO t (title) VALUES (?)"), "add");
        insert->bind(1, title);
        insert->step("add");
    };

    engine->beginWrite("outer");
    add("kept");
    engine->beginWrite("inner");
    add("undone");
    engine->rollBackWrite("inner");
    engine->beginWrite("inner again");
    add("kept too");
    engine->commitWrite("inner again");
    engine->commitWrite("outer");
    EXPECT_EQ(count(), 2);

    engine->beginWrite("failing");
    add("lost");
    const QString failure = [&] {
        try {
            engine->exec(QStringLiteral("INSERT INTO nowhere VALUES (1)"), QStringLiteral("Cannot write"));
        } catch (const store::StoreError& error) {
            return error.message();
        }
        return QString();
    }();
    EXPECT_TRUE(failure.startsWith("Cannot write: ") && failure.contains("nowhere")) << failure.toStdString();
    engine->rollBackWrite("failing");
    EXPECT_EQ(count(), 2);
}

TEST(ServerEngine, AnAddressThatLeadsNowhereIsToldWithTheServerAndTheReason)
{
    ServerDatabase database;
    const struct {
        QString uri;
        QStringList told;
    } cases[] = {
        {"postgresql://[unclosed/x", {"address cannot be read"}},
        {"postgresql://nosuch.invalid/family", {"nosuch.invalid/family", "nosuch.invalid\""}},
        {database.uri("wk_nosuch"), {database.socketFolder(), "wk_nosuch", "does not exist"}},
        {QStringLiteral("postgresql:///%1?host=%2&port=1&user=wk")
             .arg(database.name(), database.socketFolder()),
         {database.socketFolder(), database.name()}},
        {QStringLiteral("postgresql:///%1?host=%2&user=nobody_here")
             .arg(database.name(), database.socketFolder()),
         {"nobody_here"}},
        {QStringLiteral("postgresql:///%1?host=%2&user=wk_password&password=wrong")
             .arg(database.name(), database.socketFolder()),
         {database.socketFolder(), "password authentication failed", "wk_password"}},
        {QStringLiteral("postgresql:///%1?host=%2&user=wk_password&passfile=/nonexistent")
             .arg(database.name(), database.socketFolder()),
         {database.socketFolder(), "no password supplied"}},
    };
    for (const auto& [uri, told] : cases) {
        const QString message = errorOpening(uri);
        for (const QString& part : told)
            EXPECT_TRUE(message.contains(part)) << uri.toStdString() << ": " << message.toStdString();
    }
    EXPECT_TRUE(errorOpening(database.uri()).isEmpty());
    EXPECT_TRUE(
        errorOpening(QStringLiteral("postgresql:///%1?host=%2&user=wk_password&password=right%20password")
                         .arg(database.name(), database.socketFolder()))
            .isEmpty());
}

TEST(ServerEngine, AServerThatNeverAnswersIsGivenUpWithinSeconds)
{
    // A port that takes connections and never says a word: the kernel accepts for the listener.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);

    QElapsedTimer waited;
    waited.start();
    const QString message =
        errorOpening(QStringLiteral("postgresql://127.0.0.1:%1/family").arg(ntohs(address.sin_port)));
    ::close(listener);
    EXPECT_TRUE(message.contains("127.0.0.1/family")) << message.toStdString();
    EXPECT_TRUE(message.contains("timeout")) << message.toStdString();
    EXPECT_LT(waited.elapsed(), 30000) << "the program would hang on a server that does not answer";
}

TEST(ServerEngine, AServerOlderThanTwelveIsRefusedWithItsRelease)
{
    const struct {
        int version; // as libpq reports it
        QString told;
    } cases[] = {
        {150004, {}},
        {120000, {}},
        {110022, "PostgreSQL 11.22, and Wanderkeep needs 12 or newer"},
        {100000, "PostgreSQL 10.0,"},
        {90624, "PostgreSQL 9.6,"},
    };
    for (const auto& [version, told] : cases) {
        const QString refusal = store::postgres::unsupportedServer(version);
        EXPECT_EQ(refusal.isEmpty(), told.isEmpty()) << version;
        EXPECT_TRUE(refusal.contains(told)) << version << ": " << refusal.toStdString();
    }
}

TEST(ServerEngine, AnotherComputersWriteIsHeardWithoutAskingAndItsOwnIsNot)
{
    ServerDatabase database;
    store::createScrapbook(database.uri());
    const auto mine = store::openEngine(database.uri());
    const auto theirs = store::openEngine(database.uri());
    const qint64 before = mine->dataVersion();
    mine->exec(QStringLiteral("INSERT INTO \"MYLIFE\" (\"MYEVENT\") VALUES ('mine')"), "add");
    QThread::msleep(50);
    EXPECT_EQ(mine->dataVersion(), before);

    theirs->exec(QStringLiteral("UPDATE \"WHERE\" SET \"sort\" = 1"), "change");
    QElapsedTimer waited;
    waited.start();
    while (mine->dataVersion() == before && waited.elapsed() < 5000)
        QThread::msleep(10);
    const qint64 told = mine->dataVersion();
    EXPECT_NE(told, before);
    QThread::msleep(50);
    EXPECT_EQ(mine->dataVersion(), told);
}

TEST(ServerEngine, AServerLocationKeepsItsCopiesOnThisComputer)
{
    const store::ScrapbookLocation server(QStringLiteral("postgresql://family-nas/scrapbook?user=wk"));
    const store::ScrapbookLocation file(QStringLiteral("/photos/Velmora.mdb"));
    EXPECT_TRUE(server.onServer());
    EXPECT_FALSE(file.onServer());
    EXPECT_EQ(server.label(), "family-nas/scrapbook");
    EXPECT_EQ(server.database(), "postgresql://family-nas/scrapbook?user=wk");
    EXPECT_EQ(server.backupFolder(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                         "/Wanderkeep/backups/family-nas-scrapbook");
    EXPECT_EQ(server.backupBaseName(), "Velmora");
    EXPECT_EQ(file.backupFolder(), "/photos/backups");
}

// Closing and opening the same scrapbook again (as the program does while it starts) takes up the
// connection just closed; one the server ended meanwhile is never handed out, and nothing heard
// while it was kept counts as news.
TEST(ServerEngine, AReopenedScrapbookWorksWhateverBecameOfItsLastConnection)
{
    ServerDatabase database;
    store::createScrapbook(database.uri());
    const auto count = [](store::Engine& engine) {
        const auto rows = engine.prepare(QStringLiteral("SELECT count(*) FROM \"MYLIFE\""), "count");
        rows->step("count");
        return rows->integer(0);
    };
    const auto backendOf = [](store::Engine& engine) {
        const auto pid = engine.prepare(QStringLiteral("SELECT pg_backend_pid()"), "pid");
        pid->step("pid");
        return pid->integer(0);
    };
    const auto other = store::openEngine(database.uri());
    qint64 first = 0;
    {
        const auto engine = store::openEngine(database.uri());
        first = backendOf(*engine);
    }
    other->exec(QStringLiteral("INSERT INTO \"MYLIFE\" (\"MYEVENT\") VALUES ('a')"), "add");
    QThread::msleep(50);
    {
        const auto reopened = store::openEngine(database.uri());
        EXPECT_EQ(backendOf(*reopened), first);
        EXPECT_EQ(reopened->dataVersion(), 0);
        EXPECT_EQ(count(*reopened), 1);
    }

    store::openEngine(database.uri(QStringLiteral("postgres")))
        ->exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(first), "end");
    QThread::msleep(100);
    const auto fresh = store::openEngine(database.uri());
    EXPECT_NE(backendOf(*fresh), first);
    EXPECT_EQ(count(*fresh), 1);
}
