#pragma once
// The rows of a query run straight on a scrapbook file, past the program's own data sources:
// what another program would read.
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace wk::store::testing {

// Rows of a query run straight on the file, fields joined by "|", null as "<null>".
inline QStringList rowsOf(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QStringList out;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        QStringList fields;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            fields << (sqlite3_column_type(st, c) == SQLITE_NULL
                           ? QStringLiteral("<null>")
                           : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
        }
        out << fields.join(QLatin1Char('|'));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

} // namespace wk::store::testing
