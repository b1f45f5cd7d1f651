#pragma once
// The rows of a query run straight on a scrapbook file, past the program's own data sources:
// what another program would read. On a server scrapbook, through a connection of its own, its
// row identity column left out as a file leaves it out.
#include "store/Engine.h"
#include "store/ScrapbookLocation.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace wk::store::testing {

// Rows of a query run straight on the file, fields joined by "|", null as "<null>".
inline QStringList rowsOf(const QString& path, const QString& sql)
{
    const ScrapbookLocation location(path);
    QStringList out;
    if (location.onServer()) {
        const auto engine = openEngine(location);
        const auto statement = engine->prepare(sql, QStringLiteral("test"));
        while (statement->step(QStringLiteral("test"))) {
            QStringList fields;
            for (int c = 0; c < statement->columnCount(); ++c)
                if (statement->columnName(c) != QLatin1String("rowid")) // a file hides it from "*"
                    fields << (statement->value(c).isNull() ? QStringLiteral("<null>")
                                                            : statement->value(c).toString());
            out << fields.join(QLatin1Char('|'));
        }
        return out;
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
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
