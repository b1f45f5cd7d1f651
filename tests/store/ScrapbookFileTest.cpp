#include "StoreFixture.h"

#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wk::store;
using wk::store::testing::execOn;
using wk::store::testing::rowsOf;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ScrapbookFile, FindsFileWhateverItsLetterCase)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("VELMORA.MDB"), "x");
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "Velmora.mdb"), dir.filePath("VELMORA.MDB"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "velmora.mdb"), dir.filePath("VELMORA.MDB"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "Other.mdb"), dir.filePath("Other.mdb"));
}

TEST(ScrapbookFile, RecognisesKindsOfFile)
{
    QTemporaryDir dir;
    EXPECT_EQ(inspectFile(dir.filePath("none.mdb")), FileKind::Missing);
    EXPECT_EQ(inspectFile(dir.path()), FileKind::Missing); // a folder is not a file

    QByteArray jet(2048, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    writeBytes(dir.filePath("jet.mdb"), jet);
    EXPECT_EQ(inspectFile(dir.filePath("jet.mdb")), FileKind::Jet);
    QByteArray ace(2048, '\0');
    ace.replace(4, 15, "Standard ACE DB");
    writeBytes(dir.filePath("ace.accdb"), ace);
    EXPECT_EQ(inspectFile(dir.filePath("ace.accdb")), FileKind::Jet);

    writeBytes(dir.filePath("text.mdb"), "just some text, not a database at all");
    EXPECT_EQ(inspectFile(dir.filePath("text.mdb")), FileKind::Other);
    writeBytes(dir.filePath("empty.mdb"), "");
    EXPECT_EQ(inspectFile(dir.filePath("empty.mdb")), FileKind::Other);

    // An SQLite file lacking one of the four tables is not a scrapbook.
    execOn(dir.filePath("three.mdb"),
           "CREATE TABLE mylife(date); CREATE TABLE catagory(catagory); CREATE TABLE cddrive(cd, new);");
    EXPECT_EQ(inspectFile(dir.filePath("three.mdb")), FileKind::Other);
    // The four tables in any letter case make one.
    execOn(dir.filePath("lower.mdb"),
           "CREATE TABLE mylife(date); CREATE TABLE catagory(catagory);"
           " CREATE TABLE \"where\"(\"where\", sort); CREATE TABLE CDDRIVE(cd, new);");
    EXPECT_EQ(inspectFile(dir.filePath("lower.mdb")), FileKind::Scrapbook);
}

TEST(ScrapbookFile, CreatesTheFourTablesWithTheirFirstRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Velmora.mdb");
    createScrapbook(path);
    EXPECT_EQ(inspectFile(path), FileKind::Scrapbook);
    EXPECT_EQ(rowsOf(path, "SELECT catagory FROM Catagory ORDER BY rowid"),
              QStringList({"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar Items"}));
    EXPECT_EQ(rowsOf(path, "SELECT \"where\" FROM \"WHERE\""), QStringList({"*All Pictures"}));
    EXPECT_EQ(rowsOf(path, "SELECT cd || '|' || new FROM cddrive"), QStringList({"|Y"}));
    EXPECT_EQ(rowsOf(path, "SELECT count(*) FROM mylife"), QStringList({"0"}));
    EXPECT_EQ(rowsOf(path, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'MYLIFE'"),
              QStringList({"MYLIFE_DATE", "MYLIFE_DATE_NOCASE"}));
    // Text columns compare without regard to letter case.
    execOn(path, "INSERT INTO mylife(date, myevent, what) VALUES ('1998-06-15', 'Picnic', '1 Events')");
    EXPECT_EQ(rowsOf(path, "SELECT myevent FROM mylife WHERE what = '1 EVENTS' AND myevent = 'PICNIC'"),
              QStringList({"Picnic"}));
}

TEST(ScrapbookFile, NeverOverwritesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Velmora.mdb");
    writeBytes(path, "precious");
    EXPECT_THROW(createScrapbook(path), StoreError);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("precious"));

    // A folder that does not exist cannot hold a new scrapbook; nothing is left behind.
    const QString nowhere = dir.filePath("missing/Velmora.mdb");
    EXPECT_THROW(createScrapbook(nowhere), StoreError);
    EXPECT_FALSE(QFile::exists(nowhere));
}
