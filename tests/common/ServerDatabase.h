#pragma once
// A database of its own on the PostgreSQL server the test run shares (tests/postgres/server.sh,
// started by the run's fixture into the file WK_TEST_POSTGRES_STATE names, which holds the
// server's socket folder). Made when the test starts and dropped when it ends.
#include "store/Engine.h"
#include "store/ScrapbookLocation.h"

#include <QCoreApplication>
#include <QFile>
#include <QUuid>
#include <gtest/gtest.h>
#include <libpq-fe.h>

namespace wk::testing {

// True in the run of a test folder on a server scrapbook: CTest runs the folders that keep a
// scrapbook once on a file and once more with WK_TEST_ENGINE=server (tests/CMakeLists.txt).
inline bool runsOnServer() { return qEnvironmentVariable("WK_TEST_ENGINE") == QLatin1String("server"); }

// Skips the rest of the test in the server run, for what only a scrapbook file has: its file's
// permissions, copies beside it, SQLite's own SQL, another program writing the file, a scrapbook
// named by its folder.
#define WK_ONLY_ON_A_FILE(why)                                                                               \
    do {                                                                                                     \
        if (wk::testing::runsOnServer())                                                                     \
            GTEST_SKIP() << "only a scrapbook file has this: " << (why);                                     \
    } while (0)

class ServerDatabase {
public:
    ServerDatabase()
    {
        QFile state(qEnvironmentVariable("WK_TEST_POSTGRES_STATE", QStringLiteral(WK_TEST_POSTGRES_STATE)));
        if (!state.open(QIODevice::ReadOnly))
            throw std::runtime_error("no PostgreSQL server was started for this test run");
        socketFolder_ = QString::fromUtf8(state.readAll()).trimmed();
        name_ = QStringLiteral("wk_") + QUuid::createUuid().toString(QUuid::Id128);
        administration()->exec(QStringLiteral("CREATE DATABASE %1").arg(name_), QStringLiteral("create"));
    }
    ~ServerDatabase()
    {
        try {
            administration()->exec(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(name_),
                                   QStringLiteral("drop"));
        } catch (const std::exception& failure) {
            ADD_FAILURE() << failure.what();
        }
    }
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    const QString& name() const { return name_; }
    const QString& socketFolder() const { return socketFolder_; }
    // The URI of database `database` on the server (this test's own by default).
    QString uri(const QString& database = QString()) const
    {
        return QStringLiteral("postgresql:///%1?host=%2&user=wk")
            .arg(database.isEmpty() ? name_ : database, socketFolder_);
    }

    // The rows of `sql` (fields joined by "|") read through libpq alone, past the program's engine
    // and whatever it would refuse.
    QStringList rows(const char* sql) const
    {
        PGconn* conn = PQconnectdb(uri().toUtf8().constData());
        PGresult* result = PQexec(conn, sql);
        QStringList rows;
        for (int r = 0; r < PQntuples(result); ++r) {
            QStringList fields;
            for (int c = 0; c < PQnfields(result); ++c)
                fields << QString::fromUtf8(PQgetvalue(result, r, c));
            rows << fields.join(QLatin1Char('|'));
        }
        EXPECT_EQ(PQresultStatus(result), PGRES_TUPLES_OK) << PQerrorMessage(conn);
        PQclear(result);
        PQfinish(conn);
        return rows;
    }

private:
    std::unique_ptr<store::Engine> administration() const
    {
        return store::openEngine(store::ScrapbookLocation(uri(QStringLiteral("postgres"))));
    }

    QString socketFolder_;
    QString name_;
};

} // namespace wk::testing
