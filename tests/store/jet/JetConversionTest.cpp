// Converting the real Access files: every table against mdb-export, the extreme dates, the
// scrapbook tables, the all-or-nothing swap, backup names and damaged or protected files.
#include "JetTestFiles.h"
#include "store/jet/JetConversion.h"
#include "store/jet/JetHeader.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace wk::store::jet;
using namespace wk::testing;

namespace {

#define REQUIRE_COPY(dir, name, path)                                                                        \
    QTemporaryDir dir;                                                                                       \
    const QString path = copyAsScrapbook(dir, QStringLiteral(name));                                         \
    if (path.isEmpty())                                                                                      \
        GTEST_SKIP() << "shared Jet files absent";

// Compares every row and column of every table of the converted file with mdb-export.
void expectSameAsMdbExport(const QString& original, const QString& converted)
{
    const SqliteFile db(converted);
    const QStringList tables = mdbTables(original);
    ASSERT_FALSE(tables.isEmpty());
    for (const QString& table : tables) {
        SCOPED_TRACE(table.toStdString());
        const std::vector<QStringList> expected = mdbExport(original, table);
        const QString quoted = QLatin1Char('"') + table + QLatin1Char('"');
        const auto columns =
            db.rows(QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(table));
        const auto actual = db.rows(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoted));
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t r = 0; r < actual.size(); ++r) {
            ASSERT_EQ(actual[r].size(), expected[r].size()) << "row " << r;
            for (int c = 0; c < int(columns.size()); ++c) {
                const QString type = columns[c].at(1).toString();
                const QVariant& got = actual[r][c];
                const QString& want = expected[r][c];
                const auto where = [&] {
                    return QStringLiteral("row %1 field %2")
                        .arg(r)
                        .arg(columns[c].at(0).toString())
                        .toStdString();
                };
                if (type.startsWith(QLatin1String("TEXT"))) {
                    EXPECT_EQ(got.isNull() ? QString() : got.toString(), want) << where();
                } else if (type == QLatin1String("DATE")) {
                    if (want.contains(QLatin1String("-00 ")))
                        continue; // mdb-export cannot print dates before 1900
                    QString full = got.toString();
                    if (!got.isNull() && full.size() == 10)
                        full += QLatin1String(" 00:00:00");
                    EXPECT_EQ(full, want) << where();
                } else if (type != QLatin1String("BLOB")) {
                    if (want.isEmpty()) {
                        EXPECT_TRUE(got.isNull()) << where();
                    } else {
                        const double w = want.toDouble();
                        EXPECT_NEAR(got.toDouble(), w, 1e-6 * std::max(1.0, std::fabs(w))) << where();
                    }
                }
            }
        }
    }
}

} // namespace

TEST(JetConversion, Jet3NorthwindMatchesMdbExport)
{
    REQUIRE_COPY(dir, "nwind.mdb", path);
    if (!haveMdbTools())
        GTEST_SKIP() << "mdb-export not installed";
    const QByteArray before = fileBytes(path);
    const JetConversion result = convertJetScrapbook(path);

    EXPECT_EQ(result.tableCount, 9);
    EXPECT_EQ(result.rowCount, 4032);
    EXPECT_EQ(result.entryCount, 0);
    EXPECT_EQ(fileBytes(result.backupPath), before);
    EXPECT_EQ(readJetHeader(path).version, JetVersion::NotJet);
    expectSameAsMdbExport(result.backupPath, path);

    const SqliteFile db(path);
    EXPECT_EQ(db.text(QStringLiteral("SELECT count(*) FROM \"Umsätze\"")), QStringLiteral("830"));
    // Text fields compare without regard to case.
    EXPECT_EQ(db.text(QStringLiteral("SELECT count(*) FROM Customers WHERE Country = 'GERMANY'")),
              QStringLiteral("11"));
    // Tables are found whatever their letter case.
    EXPECT_EQ(db.text(QStringLiteral("SELECT count(*) FROM shippers")), QStringLiteral("3"));
}

TEST(JetConversion, Jet4DatesSurviveBefore1900AndInYear9999)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    const JetConversion result = convertJetScrapbook(path);
    if (haveMdbTools())
        expectSameAsMdbExport(result.backupPath, path);

    const SqliteFile db(path);
    const auto rows = db.rows(QStringLiteral("SELECT IDCol, DateTimeCol, DateCol, TimeCol, LongTextCol, "
                                             "typeof(DateCol) FROM DateTest ORDER BY IDCol"));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0][1].toString(), QStringLiteral("2021-12-02"));
    EXPECT_EQ(rows[1][1].toString(), QStringLiteral("9999-01-01"));
    EXPECT_EQ(rows[1][4].toString(), QStringLiteral("Year 9999"));
    EXPECT_EQ(rows[2][1].toString(), QStringLiteral("1898-01-01"));
    EXPECT_EQ(rows[2][2].toString(), QStringLiteral("1899-01-01"));
    EXPECT_EQ(rows[2][3].toString(), QStringLiteral("1900-01-01"));
    EXPECT_LT(rows[3][1].toString().left(4).toInt(), 1000);
    EXPECT_EQ(rows[5][4].toString(),
              QStringLiteral("New line\r\nin field")
                  .replace(QLatin1String("\r\n"), rows[5][4].toString().contains(QLatin1Char('\r'))
                                                      ? QStringLiteral("\r\n")
                                                      : QStringLiteral("\n")));
    for (const auto& row : rows)
        EXPECT_EQ(row[5].toString(), QStringLiteral("text"));
}

TEST(JetConversion, AddsTheScrapbookTablesASourceLacks)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    convertJetScrapbook(path);
    const SqliteFile db(path);
    EXPECT_EQ(db.text(QStringLiteral(
                  "SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('MYLIFE')")),
              QStringLiteral("DATE DATE, MYEVENT TEXT, WHAT TEXT, WHERE TEXT, PICTURE TEXT, LOG TEXT"));
    EXPECT_EQ(db.text(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'MYLIFE'"))
                  .count(QLatin1String("COLLATE NOCASE")),
              5);
    EXPECT_EQ(db.text(QStringLiteral("SELECT group_concat(name, ',') FROM pragma_table_info('catagory')")),
              QStringLiteral("catagory"));
    EXPECT_EQ(db.text(QStringLiteral("SELECT group_concat(name, ',') FROM pragma_table_info('where')")),
              QStringLiteral("where,sort"));
    const auto cd = db.rows(QStringLiteral("SELECT cd, new FROM cddrive"));
    ASSERT_EQ(cd.size(), 1u);
    EXPECT_EQ(cd[0][0].toString(), QString());
    EXPECT_EQ(cd[0][1].toString(), QStringLiteral("Y"));
}

TEST(JetConversion, FailureAtAnyStepLeavesTheOriginalAndNoOtherFile)
{
    for (ConversionStep failAt :
         {ConversionStep::TableCopied, ConversionStep::Verified, ConversionStep::BackedUp}) {
        REQUIRE_COPY(dir, "nwind.mdb", path);
        const QByteArray before = fileBytes(path);
        int tables = 0;
        EXPECT_THROW(convertJetScrapbook(path, {},
                                         [&](ConversionStep step) {
                                             if (step == ConversionStep::TableCopied && ++tables < 3)
                                                 return; // the third table: in the middle of the copy
                                             if (step == failAt)
                                                 throw wk::store::StoreError(QStringLiteral("disk full"));
                                         }),
                     wk::store::StoreError);
        EXPECT_EQ(fileBytes(path), before) << int(failAt);
        EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")}) << int(failAt);
    }
}

TEST(JetConversion, FailureOrCancelInsideATableLeavesTheOriginal)
{
    REQUIRE_COPY(dir, "nwind.mdb", path);
    const QByteArray before = fileBytes(path);
    EXPECT_THROW(convertJetScrapbook(path,
                                     [](int done, int) {
                                         if (done >= 1000)
                                             throw wk::store::StoreError(QStringLiteral("interrupted"));
                                         return true;
                                     }),
                 wk::store::StoreError);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});

    EXPECT_THROW(convertJetScrapbook(path,
                                     [&](int done, int total) {
                                         EXPECT_LE(done, total);
                                         return done < 1000;
                                     }),
                 ConversionCancelled);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});
}

TEST(JetConversion, BackupNeverOverwritesAnExistingFile)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    const QByteArray before = fileBytes(path);
    const QString taken = dir.filePath(QStringLiteral("Velmora (Access original).mdb"));
    EXPECT_EQ(freeBackupName(path), taken);
    {
        QFile f(taken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("an older backup");
    }
    const JetConversion result = convertJetScrapbook(path);
    EXPECT_EQ(result.backupPath, dir.filePath(QStringLiteral("Velmora (Access original 2).mdb")));
    EXPECT_EQ(fileBytes(taken), QByteArray("an older backup"));
    EXPECT_EQ(fileBytes(result.backupPath), before);
}

TEST(JetConversion, DamagedProtectedOrForeignFilesAreRefusedUntouched)
{
    REQUIRE_COPY(dir, "nwind.mdb", path);
    const QByteArray whole = fileBytes(path);
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"cut in the middle", whole.left(1500000), "damaged"},
        {"cut at a page boundary", whole.left(1499136), "damaged"},
        {"cut after the header", whole.left(40960), "damaged"},
        {"password", withPassword(whole.left(4096), "secret") + whole.mid(4096), "password"},
        {"not Access", QByteArray("just some text"), "not an Access database"},
    };
    for (const Case& c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        try {
            convertJetScrapbook(path);
            ADD_FAILURE() << c.what << ": converted";
        } catch (const wk::store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(c.message))) << c.what << ": " << e.what();
        }
        EXPECT_EQ(fileBytes(path), c.bytes) << c.what;
        EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")}) << c.what;
    }
}
