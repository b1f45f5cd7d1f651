// A whole scrapbook copied between a file and a real PostgreSQL server, either way: every row as
// it was, or nothing.
#include "ServerDatabase.h"
#include "TestScrapbook.h"

#include "store/Backups.h"
#include "store/Connection.h"
#include "store/ScrapbookCopy.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"
#include "store/WordsIndex.h"

#include <QDir>
#include <QTemporaryDir>

using namespace wk;
using wk::testing::ServerDatabase;

namespace {

// Every row of the scrapbook's tables with its row identity, as text, table by table (the picture
// hashes when there are any).
QStringList rowsOf(const store::ScrapbookLocation& scrapbook)
{
    const auto engine = store::openEngine(scrapbook);
    QStringList rows;
    for (const char* select : {"SELECT rowid, \"DATE\", \"MYEVENT\", \"WHAT\", \"WHERE\", \"PICTURE\", "
                               "\"LOG\" FROM \"MYLIFE\" ORDER BY rowid",
                               "SELECT rowid, \"catagory\" FROM \"Catagory\" ORDER BY rowid",
                               "SELECT rowid, \"where\", \"sort\" FROM \"WHERE\" ORDER BY rowid",
                               "SELECT rowid, \"cd\", \"new\" FROM \"cddrive\" ORDER BY rowid",
                               "SELECT \"PICTURE\", \"BYTES\", \"MTIME\", \"SHA256\" FROM "
                               "\"PICTUREHASHES\" ORDER BY \"PICTURE\""}) {
        if (QByteArray(select).contains("PICTUREHASHES") && !engine->hasTable("PICTUREHASHES", "look"))
            continue;
        const auto read = engine->prepare(QString::fromLatin1(select), "read");
        while (read->step("read")) {
            QStringList fields;
            for (int c = 0; c < read->columnCount(); ++c) {
                const QVariant value = read->value(c);
                fields << (value.isNull()                            ? QStringLiteral("<null>")
                           : value.typeId() == QMetaType::QByteArray ? value.toByteArray().toHex()
                                                                     : value.toString());
            }
            rows << fields.join(QLatin1Char('|'));
        }
    }
    return rows;
}

QString failureOf(const std::function<void()>& step)
{
    try {
        step();
    } catch (const store::StoreError& error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(ScrapbookCopy, AFileGoesToTheServerAndBackRowForRow)
{
    wk::testing::TestScrapbook book;
    book.exec(R"sql(
        INSERT INTO MYLIFE (rowid, DATE, MYEVENT, WHAT, "WHERE", PICTURE, LOG) VALUES
          (3, '1998-06-15', 'Grandma''s "Café"', '1 Events', 'Grandma', 'C:\pics\a.jpg', NULL),
          (7, '2001-02-03 10:11:12', 'Zoo', '4 Trips', NULL, '%\cd\b.jpg', 'lions ?'),
          (5, '2002-01-01', 'Tab' || char(9) || 'bed', '', '', '', 'one' || char(10) || 'two \N \\' || char(13));
        INSERT INTO "WHERE" ("where", sort) VALUES ('O''Brien', 5);
        UPDATE cddrive SET cd = '/media/disc/', new = 'N';
        CREATE TABLE PICTUREHASHES (PICTURE TEXT NOT NULL, BYTES INTEGER NOT NULL, MTIME INTEGER NOT NULL,
          SHA256 BLOB NOT NULL, PRIMARY KEY (PICTURE, BYTES, MTIME));
        INSERT INTO PICTUREHASHES VALUES ('pictures/2001/02/a.jpg', 1234, 981195072, x'00ff10');
    )sql");
    ServerDatabase server;
    const QStringList original = rowsOf(book.databasePath());

    const store::CopyCounts there = store::copyScrapbook(book.databasePath(), server.uri(), false);
    EXPECT_EQ(there.read, original.size());
    EXPECT_EQ(there.written, there.read);
    EXPECT_EQ(rowsOf(server.uri()), original);

    // The next entry made on the server takes an identity after the copied ones.
    const auto engine = store::openEngine(server.uri());
    engine->exec(QStringLiteral("INSERT INTO \"MYLIFE\" (\"MYEVENT\") VALUES ('New')"), "add");
    EXPECT_EQ(engine->lastInsertedRow(), 8);

    const QString back = QDir(book.dir()).filePath("back");
    ASSERT_TRUE(QDir().mkpath(back));
    store::copyScrapbook(server.uri(), back, false);
    EXPECT_EQ(store::inspectFile(store::ScrapbookLocation(back).database()), store::FileKind::Scrapbook);
    QStringList expected = original;
    expected.insert(3, "8|<null>|New|<null>|<null>|<null>|<null>");
    EXPECT_EQ(rowsOf(back), expected);
    // The file's words index holds every copied entry, so a search finds them at once.
    const auto file = store::openEngine(back);
    EXPECT_EQ(file->wordsIndexState("look"), store::WordsIndexState::Current);
    const auto found = file->prepare(
        "SELECT rowid FROM MYLIFE_WORDS WHERE MYLIFE_WORDS MATCH 'cafe OR lions OR new' ORDER BY rowid",
        "find");
    QList<qint64> rows;
    while (found->step("find"))
        rows << found->integer(0);
    EXPECT_EQ(rows, QList<qint64>({3, 7, 8}));
}

TEST(ScrapbookCopy, ATargetIsLeftAsItWasUnlessReplacedWhole)
{
    wk::testing::TestScrapbook book;
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('1998-06-15', 'Picnic')");
    ServerDatabase server;
    store::copyScrapbook(book.databasePath(), server.uri(), false);
    const QStringList before = rowsOf(server.uri());

    // A target holding entries is refused; with --replace a copy that fails half-way (a sort
    // number the server cannot take) writes nothing either.
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('1999-01-01', 'Skating')");
    EXPECT_TRUE(failureOf([&] {
                    store::copyScrapbook(book.databasePath(), server.uri(), false);
                }).contains("already holds 1 entries"));
    book.exec("INSERT INTO \"WHERE\" (\"where\", sort) VALUES ('Nobody', 'first')");
    EXPECT_FALSE(failureOf([&] { store::copyScrapbook(book.databasePath(), server.uri(), true); }).isEmpty());
    EXPECT_EQ(rowsOf(server.uri()), before);

    book.exec("DELETE FROM \"WHERE\" WHERE sort = 'first'");
    store::copyScrapbook(book.databasePath(), server.uri(), true);
    EXPECT_EQ(rowsOf(server.uri()), rowsOf(book.databasePath()));
}

// The server ends the copy's connection half-way: the copy says so, naming the server, and the
// scrapbook there is as it was; the next copy with --replace goes through.
TEST(ScrapbookCopy, AServerThatGoesAwayMidCopyKeepsItsScrapbookAsItWas)
{
    wk::testing::TestScrapbook book;
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('1998-06-15', 'Picnic')");
    ServerDatabase server;
    store::copyScrapbook(book.databasePath(), server.uri(), false);
    QStringList days;
    for (int k = 0; k < 5000; ++k)
        days << QStringLiteral("('2001-01-01', 'Day %1')").arg(k);
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES " + days.join(','));

    const QString failure = failureOf([&] {
        store::copyScrapbook(book.databasePath(), server.uri(), true, [&](qint64 done, qint64) {
            if (done == 2000)
                store::openEngine(server.uri(QStringLiteral("postgres")))
                    ->exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                          "datname = '%1' AND pid <> pg_backend_pid()")
                               .arg(server.name()),
                           "stop");
        });
    });
    EXPECT_TRUE(failure.contains(server.name())) << failure.toStdString();
    EXPECT_EQ(server.rows("SELECT myevent FROM mylife"), QStringList({"Picnic"}));

    store::copyScrapbook(book.databasePath(), server.uri(), true);
    EXPECT_EQ(server.rows("SELECT count(*) FROM mylife"), QStringList({"5001"}));
}

TEST(ScrapbookCopy, ADatabaseHoldingOtherTablesOrANewerScrapbookIsLeftUntouched)
{
    wk::testing::TestScrapbook book;
    ServerDatabase server;
    store::openEngine(server.uri())->exec(QStringLiteral("CREATE TABLE accounts (id int)"), "other");
    QString failure = failureOf([&] { store::copyScrapbook(book.databasePath(), server.uri(), true); });
    EXPECT_TRUE(failure.contains("other tables")) << failure.toStdString();
    EXPECT_FALSE(store::openEngine(server.uri())->hasTable("MYLIFE", "look"));

    // A scrapbook whose tables a newer Wanderkeep made is neither opened nor replaced.
    ServerDatabase newer;
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('1998-06-15', 'Picnic')");
    store::copyScrapbook(book.databasePath(), newer.uri(), false);
    store::openEngine(newer.uri())
        ->exec(QStringLiteral("UPDATE \"WANDERKEEP_SCHEMA\" SET \"version\" = 99"), "newer");
    book.exec("DELETE FROM MYLIFE");
    failure = failureOf([&] { store::copyScrapbook(book.databasePath(), newer.uri(), true); });
    EXPECT_TRUE(failure.contains("made by a newer Wanderkeep")) << failure.toStdString();
    EXPECT_TRUE(failureOf([&] { store::inspectScrapbook(newer.uri()); }).contains("version 99"));
    EXPECT_EQ(newer.rows("SELECT myevent FROM mylife"), QStringList({"Picnic"}));
}

TEST(ScrapbookCopy, AServerScrapbooksBackupIsAFileOnThisComputerThatOpensLikeAnyOther)
{
    wk::testing::TestScrapbook book;
    book.exec("INSERT INTO MYLIFE (DATE, MYEVENT, LOG) VALUES ('1998-06-15', 'Picnic', 'sunny')");
    ServerDatabase server;
    store::copyScrapbook(book.databasePath(), server.uri(), false);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));

    store::Connection connection{store::ScrapbookLocation(server.uri())};
    const QString copy = store::backUpScrapbook(connection, QDateTime(QDate(2026, 12, 8), QTime(14, 30, 15)));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(copy.startsWith(home.path() + "/Wanderkeep/backups/")) << copy.toStdString();
    EXPECT_TRUE(copy.endsWith("/Velmora-20261208-143015.mdb")) << copy.toStdString();
    EXPECT_EQ(store::inspectFile(copy), store::FileKind::Scrapbook);
    EXPECT_EQ(rowsOf(copy), rowsOf(server.uri()));
}
