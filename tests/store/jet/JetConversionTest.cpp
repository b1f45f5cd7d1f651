// Converting the real Access files: every table against mdb-export, the extreme dates, the
// all-or-nothing swap, and files damaged the way libmdb is most easily misled.
#include "JetTestFiles.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/ScrapbookFile.h"
#include "store/jet/JetConversion.h"
#include "store/jet/JetHeader.h"

#include <gtest/gtest.h>
#include <cmath>
#include <csignal>
#include <sys/resource.h>

using namespace wk::store::jet;
using namespace wk::testing;

namespace {

#define REQUIRE_COPY(dir, name, path)                                                                        \
    QTemporaryDir dir;                                                                                       \
    const QString path = copyAsScrapbook(dir.path(), QStringLiteral(name));                                  \
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
        const auto types = db.rows(QStringLiteral("SELECT type FROM pragma_table_info('%1')").arg(table));
        const auto actual = db.rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t r = 0; r < actual.size(); ++r) {
            ASSERT_EQ(actual[r].size(), expected[r].size()) << "row " << r;
            for (std::size_t c = 0; c < types.size(); ++c) {
                const QString type = types[c].at(0).toString();
                const QVariant& got = actual[r][int(c)];
                const QString& want = expected[r][int(c)];
                SCOPED_TRACE(QStringLiteral("row %1 field %2").arg(r).arg(c).toStdString());
                if (type.startsWith(QLatin1String("TEXT"))) {
                    EXPECT_EQ(got.isNull() ? QString() : got.toString(), want);
                } else if (type == QLatin1String("DATE") && !want.contains(QLatin1String("-00 "))) {
                    // (mdb-export cannot print dates before 1900.)
                    const QString full = got.toString();
                    EXPECT_EQ(full.size() == 10 ? full + QLatin1String(" 00:00:00") : full, want);
                } else if (type != QLatin1String("BLOB") && type != QLatin1String("DATE")) {
                    EXPECT_EQ(got.isNull(), want.isEmpty());
                    const double w = want.toDouble();
                    EXPECT_NEAR(got.toDouble(), w, 1e-6 * std::max(1.0, std::fabs(w)));
                }
            }
        }
    }
}

struct RefusedFile {
    const char* what;
    QByteArray bytes;
    const char* message; // part of the message the conversion must fail with
};

// Each file, written as the scrapbook, fails to convert with its message and is left as it was.
void expectEachRefusedUntouched(const QTemporaryDir& dir, const QString& path,
                                const std::vector<RefusedFile>& files)
{
    for (const RefusedFile& c : files) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        try {
            convertJetScrapbook(path);
            ADD_FAILURE() << c.what << ": converted";
        } catch (const wk::store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << c.what << ": " << e.what();
        }
        EXPECT_EQ(fileBytes(path), c.bytes) << c.what;
        EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")}) << c.what;
    }
}

// Jet files are pages of 2048 (Jet 3) or 4096 bytes; a table definition page starts with 2, a
// data page with 1 and names its table's definition page at 4. Page 2 defines the catalog,
// which stays intact so that the tables are still found.
int pageSize(const QByteArray& file) { return file.at(0x14) == 0 ? 2048 : 4096; }

bool definesTable(const QByteArray& file, qint64 page)
{
    const qint64 at = page * pageSize(file);
    return page != 2 && at >= 0 && at < file.size() && file.at(at) == 2;
}

template <typename Damage>
void forEachTableDefinition(QByteArray& file, Damage damage)
{
    for (qint64 at = 0; at < file.size(); at += pageSize(file))
        if (definesTable(file, at / pageSize(file)))
            damage(file.data() + at);
}

// Every row on those tables' data pages (row count at 8 in Jet 3, 12 in Jet 4, then flagged offsets).
template <typename Damage>
void forEachTableRow(QByteArray& file, Damage damage)
{
    const int size = pageSize(file);
    const int rowCountAt = size == 2048 ? 8 : 12;
    const auto u16 = [&](qint64 at) { return quint8(file.at(at)) | quint8(file.at(at + 1)) << 8; };
    for (qint64 at = 0; at < file.size(); at += size) {
        const qint64 owner = u16(at + 4) | qint64(u16(at + 6)) << 16;
        if (file.at(at) != 1 || !definesTable(file, owner))
            continue;
        for (int row = 0; row < u16(at + rowCountAt); ++row)
            damage(file.data() + at + (u16(at + rowCountAt + 2 + 2 * row) & 0x1fff));
    }
}

// Jet 4 counts columns in 16 bits, in a row's first two bytes and at 45 in a table definition.
void setJet4ColumnCount(char* at, quint16 count)
{
    at[0] = char(count & 0xff);
    at[1] = char(count >> 8);
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
    EXPECT_EQ(rows[5][4].toString().replace(QLatin1String("\r\n"), QLatin1String("\n")),
              QStringLiteral("New line\nin field"));
    for (const auto& row : rows)
        EXPECT_EQ(row[5].toString(), QStringLiteral("text"));

    // The scrapbook tables the source lacks are added, their text compared without regard to case.
    EXPECT_EQ(db.text(QStringLiteral(
                  "SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('MYLIFE')")),
              QStringLiteral("DATE DATE, MYEVENT TEXT, WHAT TEXT, WHERE TEXT, PICTURE TEXT, LOG TEXT"));
    EXPECT_EQ(db.text(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'MYLIFE'"))
                  .count(QLatin1String("COLLATE NOCASE")),
              5);
    EXPECT_EQ(db.text(QStringLiteral("SELECT group_concat(ifnull(cd, '') || '|' || new) FROM cddrive")),
              QStringLiteral("|Y"));

    // The store reads the new file's dates.
    wk::store::ConnectionPool pool;
    wk::store::DataSource set(pool, QStringLiteral("Data1"));
    set.setDatabaseName(path);
    set.setRecordSource(QStringLiteral("SELECT * FROM DateTest ORDER BY IDCol"));
    set.refresh();
    set.moveTo(1);
    EXPECT_EQ(set.field(QStringLiteral("datecol")).toDate(), QDate(9999, 1, 1));
    set.moveTo(2);
    EXPECT_EQ(set.field(QStringLiteral("DATECOL")).toDate(), QDate(1899, 1, 1));
}

// A failure at a step, inside a table, or a cancel: the original stays and nothing is beside it.
TEST(JetConversion, FailureOrCancelAtAnyStepLeavesTheOriginalAndNoOtherFile)
{
    const auto failing = [](ConversionStep failAt) {
        return [failAt, tables = 0](ConversionStep step) mutable {
            if (step == ConversionStep::TableCopied && ++tables < 3)
                return; // the third table: in the middle of the copy
            if (step == failAt)
                throw wk::store::StoreError(QStringLiteral("disk full"));
        };
    };
    const std::pair<ConversionProgress, ConversionStepHook> runs[] = {
        {{}, failing(ConversionStep::TableCopied)},
        {{}, failing(ConversionStep::Verified)},
        {{}, failing(ConversionStep::BackedUp)},
        {[](int done, int) {
             if (done >= 1000)
                 throw wk::store::StoreError(QStringLiteral("interrupted"));
             return true;
         },
         {}},
        {[](int done, int total) {
             EXPECT_LE(done, total);
             return done < 1000; // cancelled
         },
         {}},
    };
    int run = 0;
    for (const auto& [progress, hook] : runs) {
        SCOPED_TRACE(run++);
        REQUIRE_COPY(dir, "nwind.mdb", path);
        const QByteArray before = fileBytes(path);
        EXPECT_THROW(convertJetScrapbook(path, progress, hook), wk::store::StoreError);
        EXPECT_EQ(fileBytes(path), before);
        EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});
    }
    REQUIRE_COPY(dir, "nwind.mdb", path);
    EXPECT_THROW(convertJetScrapbook(path, [](int done, int) { return done < 1000; }), ConversionCancelled);
}

TEST(JetConversion, AConversionKilledPartWayLeavesTheOriginalAndNoOtherFile)
{
    REQUIRE_COPY(dir, "nwind.mdb", path);
    const QByteArray before = fileBytes(path);
    int reports = 0;
    // The new scrapbook takes about 630 KiB: SIGXFSZ kills its writer as it passes 256 KiB.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{256 << 10, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const auto savedAction = std::signal(SIGXFSZ, SIG_DFL);
    try {
        convertJetScrapbook(path, [&](int, int) { return ++reports > 0; });
        ADD_FAILURE() << "converted";
    } catch (const ConversionCancelled& e) {
        ADD_FAILURE() << e.what();
    } catch (const wk::store::StoreError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("failed part way"))) << e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedAction);
    EXPECT_GT(reports, 0);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});

    // Nothing of it stands in the way of the next conversion.
    const JetConversion result = convertJetScrapbook(path);
    EXPECT_EQ(result.rowCount, 4032);
    EXPECT_EQ(fileBytes(result.backupPath), before);
}

TEST(JetConversion, DamagedProtectedOrForeignFilesAreRefusedUntouched)
{
    REQUIRE_COPY(dir, "nwind.mdb", path);
    const QByteArray whole = fileBytes(path);
    QByteArray tablesUnreadable = whole;
    forEachTableDefinition(tablesUnreadable, [](char* page) { page[0] = 0x7f; });
    expectEachRefusedUntouched(
        dir, path,
        {
            {"cut in the middle", whole.left(1500000), "damaged"},
            {"cut at a page boundary", whole.left(1499136), "ends before its table Umsätze"},
            {"cut after the header", whole.left(40960), "damaged"},
            {"table definitions overwritten", tablesUnreadable, "The table Order Details of"},
            {"password", withPassword(whole.left(4096), "secret") + whole.mid(4096), "password"},
            {"not Access", QByteArray("just some text"), "not an Access database"},
        });
    EXPECT_EQ(readJetHeader(dir.filePath("none.mdb")).version, JetVersion::NotJet);
}

TEST(JetConversion, ColumnCountsBeyondAnyTableAreRefusedAndThoseOfDeletedColumnsRead)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    const QByteArray whole = fileBytes(path);
    QByteArray rowsClaimMore = whole, tableClaimsMore = whole, deletedColumns = whole;
    forEachTableRow(rowsClaimMore, [](char* row) { setJet4ColumnCount(row, 320); });
    forEachTableDefinition(tableClaimsMore, [](char* page) { setJet4ColumnCount(page + 45, 300); });
    // Rows written before a column was deleted still count it: here two more than the table's six.
    forEachTableRow(deletedColumns, [](char* row) { setJet4ColumnCount(row, 8); });
    expectEachRefusedUntouched(
        dir, path,
        {
            {"rows claiming 320 columns", rowsClaimMore, "A row of table DateTest cannot be read"},
            {"a table claiming 300 columns", tableClaimsMore, "claims 300 columns"},
        });

    QTemporaryDir cleanDir;
    const QString clean = copyAsScrapbook(cleanDir.path(), QStringLiteral("DateTestDatabase.mdb"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(deletedColumns);
    f.close();
    convertJetScrapbook(path);
    convertJetScrapbook(clean);
    const auto table = [](const QString& file) {
        QStringList rows;
        for (const QVariantList& row : SqliteFile(file).rows(QStringLiteral("SELECT * FROM DateTest")))
            rows << QVariant(row).toStringList().join(QLatin1Char('|'));
        return rows;
    };
    ASSERT_EQ(table(clean).size(), 6);
    EXPECT_EQ(table(path), table(clean));
}
