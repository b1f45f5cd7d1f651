// Converting the real Access files: every table against mdb-export, the extreme dates, the
// scrapbook tables, the all-or-nothing swap, what a killed conversion left behind, the new
// file's permissions, backup names and damaged or protected files
// (damaged the way libmdb is most easily misled: cut short, overwritten table definitions, rows
// and tables claiming more columns than any table has).
#include "JetTestFiles.h"
#include "store/jet/JetConversion.h"
#include "store/jet/JetHeader.h"

#include <gtest/gtest.h>
#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

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

struct RefusedFile {
    const char* what;
    QByteArray bytes;
    const char* message; // part of the message the conversion must fail with
};

// Writes each file as the scrapbook and converts it: the conversion must fail with its message
// and leave the file as it was, with nothing beside it.
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

// While it lives, files written by this process and by the processes it starts end at `bytes`: the
// kernel kills a writer the moment it goes past (the default of SIGXFSZ, which it restores).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        savedAction_ = std::signal(SIGXFSZ, SIG_DFL);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedAction_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedAction_)(int) = SIG_DFL;
};

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

// Every row on the data pages of those tables (the row count sits at 8 in Jet 3, 12 in Jet 4,
// followed by the rows' offsets; their top three bits are flags).
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

TEST(JetConversion, AConversionKilledPartWayLeavesTheOriginalAndNoOtherFile)
{
    REQUIRE_COPY(dir, "nwind.mdb", path);
    const QByteArray before = fileBytes(path);
    int reports = 0;
    {
        // The new Northwind scrapbook takes about 630 KiB: its writer is killed on the way.
        const FileSizeLimit limit(256 << 10);
        try {
            convertJetScrapbook(path, [&](int, int) { return ++reports > 0; });
            ADD_FAILURE() << "converted";
        } catch (const ConversionCancelled& e) {
            ADD_FAILURE() << e.what();
        } catch (const wk::store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("failed part way"))) << e.what();
        }
    }
    EXPECT_GT(reports, 0);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(folderEntries(dir), QStringList{QStringLiteral("Velmora.mdb")});

    // Nothing of it stands in the way of the next conversion.
    const JetConversion result = convertJetScrapbook(path);
    EXPECT_EQ(result.rowCount, 4032);
    EXPECT_EQ(fileBytes(result.backupPath), before);
}

TEST(JetConversion, ClearsAwayWhatAKilledConversionLeftAndNothingElse)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    const QStringList leftovers = {"Velmora.mdb.converting-aBcDeF", "Velmora.mdb.converting-x1Y2z3"};
    const QStringList similar = {
        "Velmora.mdb.converting-abcde",   "Velmora.mdb.converting-abcdefg",
        "Velmora.mdb.converting-abc-ef",  "Velmora.mdb.converting-abcdef.txt",
        "velmora.mdb.converting-abcdef",  "Velmora.MDB.converting-abcdef",
        "Other.mdb.converting-abcdef",    "Velmora.mdb.converted-abcdef",
        "xVelmora.mdb.converting-abcdef",
    };
    for (const QString& name : leftovers + similar) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("SQLite format 3"); // the start of a half-written scrapbook
    }
    const JetConversion result = convertJetScrapbook(path);
    QStringList expected = similar;
    expected << QStringLiteral("Velmora.mdb") << QFileInfo(result.backupPath).fileName();
    expected.sort();
    EXPECT_EQ(folderEntries(dir), expected);
}

TEST(JetConversion, TheNewScrapbookKeepsTheOriginalsPermissions)
{
    // {the original's mode, the new scrapbook's}: a read-only original stays writable by its owner.
    for (const auto& [original, converted] :
         {std::pair<mode_t, mode_t>{0644, 0644}, {0640, 0640}, {0660, 0660}, {0444, 0644}}) {
        REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), original), 0);
        convertJetScrapbook(path);
        struct stat status {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, converted) << std::oct << original;
    }
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
}

TEST(JetConversion, ColumnCountsBeyondAnyTableAreRefused)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    const QByteArray whole = fileBytes(path);
    QByteArray rowsClaimMore = whole;
    forEachTableRow(rowsClaimMore, [](char* row) { setJet4ColumnCount(row, 320); });
    QByteArray tableClaimsMore = whole;
    forEachTableDefinition(tableClaimsMore, [](char* page) { setJet4ColumnCount(page + 45, 300); });
    expectEachRefusedUntouched(
        dir, path,
        {
            {"rows claiming 320 columns", rowsClaimMore, "A row of table DateTest cannot be read"},
            {"a table claiming 300 columns", tableClaimsMore, "claims 300 columns"},
        });
}

TEST(JetConversion, RowsWrittenBeforeAColumnWasDeletedKeepTheirValues)
{
    REQUIRE_COPY(dir, "DateTestDatabase.mdb", path);
    QTemporaryDir otherDir;
    const QString other = copyAsScrapbook(otherDir.path(), QStringLiteral("DateTestDatabase.mdb"));
    // Such rows still count the deleted columns: here two more than the table's six.
    QByteArray rows = fileBytes(other);
    forEachTableRow(rows, [](char* row) { setJet4ColumnCount(row, 8); });
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(rows);
    }
    convertJetScrapbook(path);
    convertJetScrapbook(other);
    const auto table = [](const QString& file) {
        QStringList rows;
        for (const QVariantList& row : SqliteFile(file).rows(QStringLiteral("SELECT * FROM DateTest")))
            rows << QVariant(row).toStringList().join(QLatin1Char('|'));
        return rows;
    };
    ASSERT_EQ(table(path).size(), 6);
    EXPECT_EQ(table(other), table(path));
}
