#pragma once
// A scrapbook in a temporary folder with a handful of entries, and small helpers to look at it.
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Query.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include "SqliteRows.h"

#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace wk::store::testing {

inline void execOn(const QString& path, const QString& sql)
{
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

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QString::fromLatin1(kScrapbookFileName));
        createScrapbook(path);
        execOn(path, QString::fromUtf8(kEntries));
    }

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

    QTemporaryDir dir;
    QString path;
    ConnectionPool pool;
};

} // namespace wk::store::testing
