#include "StoreFixture.h"

#include "store/FilePaths.h"

#include <QDir>

using namespace wk::store;
using namespace wk::store::testing;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray jetHeader(const char* text)
{
    QByteArray page(2048, '\0');
    return page.replace(4, 15, text);
}

} // namespace

TEST(ScrapbookFile, FindsFilesWhateverTheirLetterCaseAndTellsTheirKind)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("VELMORA.MDB"), "x");
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "velmora.mdb"), dir.filePath("VELMORA.MDB"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "Other.mdb"), dir.filePath("Other.mdb"));

    EXPECT_EQ(inspectFile(dir.filePath("none.mdb")), FileKind::Missing);
    EXPECT_EQ(inspectFile(dir.path()), FileKind::Missing); // a folder is not a file
    const std::pair<QByteArray, FileKind> written[] = {
        {jetHeader("Standard Jet DB"), FileKind::Jet},
        {jetHeader("Standard ACE DB"), FileKind::Jet},
        {"just some text, not a database at all", FileKind::Other},
        {"", FileKind::Other},
    };
    for (const auto& [bytes, kind] : written) {
        writeBytes(dir.filePath("f.mdb"), bytes);
        EXPECT_EQ(inspectFile(dir.filePath("f.mdb")), kind) << bytes.left(20).constData();
    }
    // An SQLite file lacking one of the four tables is not a scrapbook; the four in any case are.
    execOn(dir.filePath("three.mdb"),
           "CREATE TABLE mylife(date); CREATE TABLE catagory(catagory); CREATE TABLE cddrive(cd, new);");
    EXPECT_EQ(inspectFile(dir.filePath("three.mdb")), FileKind::Other);
    execOn(dir.filePath("three.mdb"), "CREATE TABLE \"where\"(\"where\", sort);");
    EXPECT_EQ(inspectFile(dir.filePath("three.mdb")), FileKind::Scrapbook);
}

TEST(ScrapbookFile, CreatesTheFourTablesWithTheirFirstRowsButNeverOverAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Velmora.mdb");
    createScrapbook(path);
    EXPECT_EQ(inspectFile(path), FileKind::Scrapbook);
    EXPECT_EQ(rowsOf(path, "SELECT catagory FROM Catagory ORDER BY rowid"),
              QStringList({"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar Items"}));
    EXPECT_EQ(rowsOf(path, "SELECT \"where\" FROM \"WHERE\""), QStringList({"*All Pictures"}));
    EXPECT_EQ(rowsOf(path, "SELECT cd, new FROM cddrive"), QStringList({"|Y"}));
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"0"}));
    // Text columns compare without regard to letter case.
    execOn(path, "INSERT INTO mylife(date, myevent, what) VALUES ('1998-06-15', 'Picnic', '1 Events')");
    EXPECT_EQ(rowsOf(path, "SELECT myevent FROM mylife WHERE what = '1 EVENTS' AND myevent = 'PICNIC'"),
              QStringList({"Picnic"}));

    const QString precious = dir.filePath("Precious.mdb");
    writeBytes(precious, "precious");
    EXPECT_THROW(createScrapbook(precious), StoreError);
    QFile f(precious);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("precious"));
    // A folder that does not exist cannot hold a new scrapbook; nothing is left behind.
    const QString nowhere = dir.filePath("missing/Velmora.mdb");
    EXPECT_THROW(createScrapbook(nowhere), StoreError);
    EXPECT_FALSE(QFile::exists(nowhere));
}
