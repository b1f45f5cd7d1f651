#pragma once
// A scrapbook with a handful of entries, in a temporary folder or on the test run's PostgreSQL
// server (the same entries, copied there), and small helpers to look at it.
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Engine.h"
#include "store/Query.h"
#include "store/ScrapbookCopy.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"
#include "ServerDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include "SqliteRows.h"

#include <optional>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace wk::store::testing {

// Runs `sql` on the scrapbook at `path` (a file or a server address), past the data sources.
inline void execOn(const QString& path, const QString& sql)
{
    if (ScrapbookLocation(path).onServer()) {
        EXPECT_NO_THROW(openEngine(ScrapbookLocation(path))->exec(sql, QStringLiteral("test")))
            << sql.toStdString();
        return;
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "") << " in " << sql.toStdString();
    sqlite3_free(err);
    sqlite3_close(db);
}

// The message of the StoreError `step` throws; empty when it throws none.
template <typename Step>
QString errorOf(Step&& step)
{
    try {
        step();
    } catch (const StoreError& e) {
        return e.message();
    }
    return {};
}

// The entries every store test starts from (stored in this order, not in date order).
inline const char* kEntries = R"sql(
INSERT INTO MYLIFE (DATE, MYEVENT, WHAT, "WHERE", PICTURE, LOG) VALUES
 ('1998-06-15', 'Picnic',             '1 Events',         'Grandma',   'C:\pics\a.jpg', 'sunny'),
 ('1998-06-15', 'Grandma''s Birthday', '3 Family',        'Grandma',   '%\cd\b.jpg',    NULL),
 ('1997-03-02', 'Zoo',                '4 Trips',          '',          '',              'lions'),
 ('1999-12-25', 'Xmas',               '5 Calendar Items', NULL,        '',              NULL),
 ('1998-01-10', 'School play',        '2 School',         'Uncle Bob', '',              ''),
 ('1998-07-04', 'Fireworks',          '5 Calendar Items', 'grandma',   '',              'loud'),
 ('1998-08-01', 'Blank name',         '1 Events',         ' ',         '',              NULL);
INSERT INTO "WHERE" ("where", sort) VALUES ('Grandma', 1), ('Uncle Bob', 2);
)sql";

// The engines a scrapbook can be kept on.
enum class EngineKind { File, Server };

inline void PrintTo(EngineKind engine, std::ostream* os)
{
    *os << (engine == EngineKind::File ? "file" : "server");
}

inline std::string engineName(const ::testing::TestParamInfo<EngineKind>& info)
{
    return info.param == EngineKind::File ? "File" : "Server";
}

// The scrapbook a test starts from; `path` names it (a file, or a server address).
class ScrapbookTest : public ::testing::Test {
protected:
    void setUpOn(EngineKind engine)
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QString::fromLatin1(kScrapbookFileName));
        createScrapbook(path);
        execOn(path, QString::fromUtf8(kEntries));
        if (engine == EngineKind::Server) {
            server.emplace();
            copyScrapbook(ScrapbookLocation(path), ScrapbookLocation(server->uri()), false);
            path = server->uri();
        }
    }
    bool onServer() const { return server.has_value(); }
    // How messages name the scrapbook: "Velmora.mdb", or the server's host and database.
    QString label() const { return ScrapbookLocation(path).label(); }

    std::unique_ptr<DataSource> source(const Query& recordSource)
    {
        auto ds = std::make_unique<DataSource>(pool, QStringLiteral("Data1"));
        ds->setDatabaseName(path);
        ds->setRecordSource(recordSource);
        ds->refresh();
        return ds;
    }

    static QStringList column(const DataSource& ds, const QString& field)
    {
        QStringList out;
        for (int i = 0; i < ds.recordCount(); ++i)
            out << ds.fieldAt(i, field).toString();
        return out;
    }

    std::optional<wk::testing::ServerDatabase> server; // dropped after every connection closed
    QTemporaryDir dir;
    QString path;
    ConnectionPool pool;
};

// A store test on the engine of this run (a file, or the server: wk::testing::runsOnServer).
class StoreTest : public ScrapbookTest {
protected:
    void SetUp() override { setUpOn(wk::testing::runsOnServer() ? EngineKind::Server : EngineKind::File); }
};

// A store test of what only a scrapbook file has; the server's run passes it by.
class FileStoreTest : public ScrapbookTest {
protected:
    void SetUp() override
    {
        if (wk::testing::runsOnServer())
            GTEST_SKIP() << "only a scrapbook file has this";
        setUpOn(EngineKind::File);
    }
};

} // namespace wk::store::testing
