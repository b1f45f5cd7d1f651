// A server switched off in the middle of a session and on again: what is tried meanwhile is
// refused with the server's reason and nothing is half written, and the connection comes back by
// itself, with what changed meanwhile read again. Against a server of the test's own.
#include "OwnServer.h"

#include "store/ChangeWatcher.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Engine.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace wk;

namespace {

// The titles of the entries, read by a connection of their own.
QStringList storedTitles(const QString& uri)
{
    const auto engine = store::openEngine(store::ScrapbookLocation(uri));
    const auto rows = engine->prepare("SELECT MYEVENT FROM MYLIFE ORDER BY rowid", "read");
    QStringList titles;
    while (rows->step("read"))
        titles << rows->value(0).toString();
    return titles;
}

// An empty scrapbook in database "family" of `server`; its address.
QString newScrapbook(const wk::testing::OwnServer& server)
{
    store::openEngine(store::ScrapbookLocation(server.uri("postgres")))
        ->exec("CREATE DATABASE family", "make");
    const QString uri = server.uri("family");
    store::createScrapbook(store::ScrapbookLocation(uri));
    return uri;
}

void add(store::DataSource& entries, const QString& title)
{
    entries.addNew();
    entries.setField("DATE", "2001-05-06");
    entries.setField("MYEVENT", title);
    entries.update();
}

} // namespace

TEST(LostServer, WhileAwayWritesAreRefusedWithTheReasonThenTheConnectionComesBackByItself)
{
    wk::testing::OwnServer server;
    const QString uri = newScrapbook(server);

    store::ConnectionPool pool;
    store::DataSource entries(pool, "entries");
    entries.setDatabaseName(uri);
    entries.setRecordSource("MYLIFE");
    entries.refresh();
    add(entries, "Before");
    store::ChangeWatcher watcher(pool.open(store::ScrapbookLocation(uri)));
    QSignalSpy lost(&watcher, &store::ChangeWatcher::connectionLost);
    QSignalSpy changed(&watcher, &store::ChangeWatcher::othersChanged);

    server.pause();
    ASSERT_TRUE(lost.wait(10000)) << "the watcher hears the server go";
    EXPECT_TRUE(watcher.waitsForServer());
    // A write while away is refused with the server's reason, and the set keeps what it held.
    try {
        add(entries, "While away");
        ADD_FAILURE() << "a write while the server is away was taken";
    } catch (const store::StoreError& refused) {
        EXPECT_TRUE(refused.message().contains(server.socketFolder())) << refused.message().toStdString();
    }
    if (entries.editing())
        entries.cancelUpdate();
    EXPECT_EQ(entries.recordCount(), 1);
    EXPECT_THROW(entries.refresh(), store::StoreError);

    server.resume();
    ASSERT_TRUE(changed.wait(10000)) << "the connection comes back by itself and the window reads again";
    EXPECT_FALSE(watcher.waitsForServer());
    EXPECT_EQ(storedTitles(uri), QStringList{"Before"}) << "nothing of the refused write reached the server";

    // The renewed connection writes, and hears other connections' changes again.
    add(entries, "After");
    changed.clear();
    const auto other = store::openEngine(store::ScrapbookLocation(uri));
    other->exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('2002-01-01', 'Elsewhere')", "add");
    ASSERT_TRUE(changed.wait(10000));
    entries.refresh();
    EXPECT_EQ(entries.recordCount(), 3);
}

// An idle connection that never saw the server go (no watcher) reads and writes on after its
// return: the first statement finds the old connection broken and is sent again on a new one.
TEST(LostServer, AReadOrWriteAfterTheServersReturnNeedsNoRetryByTheCaller)
{
    wk::testing::OwnServer server;
    const QString uri = newScrapbook(server);
    const auto engine = store::openEngine(store::ScrapbookLocation(uri));
    server.pause();
    server.resume();
    const auto rows = engine->prepare("SELECT count(*) FROM MYLIFE", "count");
    ASSERT_TRUE(rows->step("count"));
    EXPECT_EQ(rows->integer(0), 0);
    EXPECT_FALSE(engine->isLost());

    // So does a write: its start finds the connection broken, and begins again on a new one.
    server.pause();
    server.resume();
    engine->beginWrite("add");
    engine->exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('2002-01-01', 'Back')", "add");
    engine->commitWrite("add");
    EXPECT_EQ(storedTitles(uri), QStringList{"Back"});
}
