// A copy of the scrapbook before the first change of every run, the newest ten kept; without room
// for copies the user decides once whether to go on.
#include "ServerDatabase.h"
#include "ProgramTest.h"

#include "store/Backups.h"

#include <QDir>
#include <QFile>

using namespace wk;
using namespace wk::testing;

namespace {

int entriesIn(const QString& file)
{
    store::ConnectionPool pool;
    store::DataSource entries(pool, QStringLiteral("check"));
    entries.setDatabaseName(file);
    entries.setRecordSource(QStringLiteral("MYLIFE"));
    entries.refresh();
    return entries.recordCount();
}

void writeFile(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("x");
}

class Backups : public ProgramTest {
protected:
    void SetUp() override
    {
        for (int day = 1; day <= 3; ++day)
            book.addEntry(EntryRow(QDate(2024, 3, day), QStringLiteral("Entry %1").arg(day)));
        book.setDisc(QString(), QStringLiteral("N")); // nothing to confirm at start-up
    }
    QString backupDir() const { return book.path(QStringLiteral("backups")); }

    // Deletes the first line's entry as a user does: Delete on the list, then `answers`.
    void deleteFirstLine(const QList<bool>& answers = {true})
    {
        selectLine(widgets().entryList, 0);
        prompts().yesNoAnswers.append(answers);
        QTest::keyClick(widgets().entryList, Qt::Key_Delete);
    }
};

} // namespace

TEST_F(Backups, TheNewestTenCopiesAreKeptAndNoOtherFileIsTouched)
{
    WK_ONLY_ON_A_FILE("copies are kept beside the file (a server scrapbook's are tested with the copy)");
    ASSERT_TRUE(QDir().mkpath(backupDir()));
    for (int k = 10; k <= 21; ++k)
        writeFile(backupDir() + QStringLiteral("/Velmora-200101%1-120000.mdb").arg(k));
    const QStringList others{"notes.txt", "Other-20000101-120000.mdb", "Velmora.mdb"};
    // What a killed copy leaves goes at start-up: a part file, and a copy beside its journal.
    const QStringList unfinished{".Velmora-20010101-120000.mdb.part", "Velmora-20010130-120000.mdb",
                                 "Velmora-20010130-120000.mdb-journal"};
    for (const QString& name : others + unfinished)
        writeFile(backupDir() + "/" + name);

    start();
    deleteFirstLine();

    const QStringList copies = store::scrapbookBackups(book.databasePath());
    ASSERT_EQ(copies.size(), store::kBackupsKept);
    EXPECT_TRUE(copies.first().endsWith("Velmora-20010113-120000.mdb")); // the two oldest went
    EXPECT_EQ(entriesIn(copies.last()), 3);                              // the new one is newest
    for (const QString& other : others)
        EXPECT_TRUE(QFile::exists(backupDir() + "/" + other)) << other.toStdString();
    for (const QString& name : unfinished)
        EXPECT_FALSE(QFile::exists(backupDir() + "/" + name)) << name.toStdString();
}

TEST_F(Backups, WithoutARoomForCopiesTheUserIsAskedOnceAndNoKeepsTheScrapbook)
{
    WK_ONLY_ON_A_FILE("copies are kept beside the file");
    writeFile(backupDir()); // a file where the folder of copies should be

    start();
    deleteFirstLine(); // Yes to the delete, then No (the empty queue) to going on
    deleteFirstLine();
    EXPECT_EQ(entriesIn(book.databasePath()), 3);
    int backupQuestions = 0;
    for (const auto& asked : prompts().asked)
        backupQuestions += asked.text.contains("Go on without copies") ? 1 : 0;
    EXPECT_EQ(backupQuestions, 1);
    // Each refused Delete says why nothing was deleted.
    ASSERT_EQ(prompts().toldTexts().size(), 2);
    for (const QString& text : prompts().toldTexts())
        EXPECT_TRUE(text.startsWith("The entry was not deleted.") && text.contains("no backup copy"))
            << text.toStdString();
    form().close();

    start();
    deleteFirstLine({true, true}); // delete, and go on without copies
    deleteFirstLine();
    EXPECT_EQ(entriesIn(book.databasePath()), 1);
    EXPECT_TRUE(QFileInfo(backupDir()).isFile()); // the file in the way is left alone
}
