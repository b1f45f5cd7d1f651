// Another program writes the scrapbook while the window shows it: a change, a delete with VACUUM
// (which renumbers the rows), an entry that takes a freed row id, a lock. No save, delete or undo
// writes over an entry it was not shown; the user is told, and what was typed stays.
#include "ServerDatabase.h"
#include "ProgramTest.h"
#include "SqliteRows.h"

#include "shell/EntryUndo.h"

#include <QFile>
#include <sqlite3.h>

using namespace wk;
using wk::testing::selectLine;

namespace {

class OtherWriter : public wk::testing::ProgramTest {
protected:
    // Entries E00001..E00008 on consecutive days, and the program started on them.
    void SetUp() override
    {
        book.exec(QStringLiteral("DROP INDEX IF EXISTS MYLIFE_DATE"));
        book.exec(QStringLiteral("DROP INDEX IF EXISTS MYLIFE_DATE_NOCASE"));
        for (int k = 1; k <= 8; ++k)
            book.addEntry({QDate(2001, 1, k),
                           QStringLiteral("E%1").arg(k, 5, 10, QLatin1Char('0')),
                           "1 Events",
                           QString("Dad"),
                           {},
                           QStringLiteral("log %1").arg(k)});
        start();
    }

    // What another program does: its own connection to the file, closed afterwards; on a server,
    // another computer's connection.
    void otherProgram(const QString& sql)
    {
        if (wk::testing::runsOnServer()) {
            book.exec(sql);
            return;
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(book.databasePath()).constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    // Titles with their logs, in row order.
    QStringList stored()
    {
        return store::testing::rowsOf(
            book.databasePath(), QStringLiteral("SELECT MYEVENT || '/' || LOG FROM MYLIFE ORDER BY rowid"));
    }

    void editLine(int line, const QString& title)
    {
        selectLine(widgets().entryList, line);
        widgets().editScreenButton->click();
        widgets().titleEdit->setText(title);
    }

    QString lastTold()
    {
        const QStringList told = prompts().toldTexts();
        return told.isEmpty() ? QString() : told.last();
    }
};

TEST_F(OtherWriter, ASaveOverAnotherProgramsChangeIsRefusedOnceThenStoredOnPurpose)
{
    editLine(4, "E00005 at the lake"); // list lines follow the dates: line 4 is E00005
    otherProgram("UPDATE MYLIFE SET LOG = 'written elsewhere', \"WHERE\" = 'Gran' WHERE MYEVENT = 'E00005'");
    widgets().saveChangesButton->click();
    for (const char* part :
         {"changed elsewhere", "Log: written elsewhere", "Who or Where: Gran", "Date: 1/5/2001"})
        EXPECT_TRUE(lastTold().contains(part)) << lastTold().toStdString();
    EXPECT_TRUE(stored().contains("E00005/written elsewhere"));
    EXPECT_EQ(widgets().titleEdit->text(), "E00005 at the lake");

    widgets().saveChangesButton->click(); // the user has seen the other change: store the boxes
    EXPECT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_EQ(stored().filter("E00005").size(), 1);
    EXPECT_TRUE(stored().contains("E00005 at the lake/log 5"));

    // Its undo after yet another change elsewhere is refused, and the step stays.
    otherProgram("UPDATE MYLIFE SET LOG = 'again' WHERE MYEVENT = 'E00005 at the lake'");
    const int index = form().entryUndo().stack().index();
    form().entryUndo().undo();
    EXPECT_TRUE(lastTold().startsWith("The change could not be undone.")) << lastTold().toStdString();
    EXPECT_TRUE(lastTold().contains("It now holds:\nDate: 1/5/2001\nTitle: E00005 at the lake"))
        << lastTold().toStdString();
    EXPECT_TRUE(lastTold().contains("Log: again")) << lastTold().toStdString();
    EXPECT_EQ(form().entryUndo().stack().index(), index);
}

TEST_F(OtherWriter, SaveAndDeleteAfterAVacuumFindTheirEntryAndNoOther)
{
    WK_ONLY_ON_A_FILE("VACUUM renumbers a file's rows");
    editLine(4, "E00005 renamed");
    otherProgram("DELETE FROM MYLIFE WHERE MYEVENT IN ('E00001', 'E00002'); VACUUM;");
    widgets().saveChangesButton->click();
    EXPECT_TRUE(prompts().toldTexts().isEmpty()) << lastTold().toStdString();
    EXPECT_EQ(stored(), (QStringList{"E00003/log 3", "E00004/log 4", "E00005 renamed/log 5", "E00006/log 6",
                                     "E00007/log 7", "E00008/log 8"}));

    otherProgram("DELETE FROM MYLIFE WHERE MYEVENT = 'E00003'; VACUUM;");
    selectLine(widgets().entryList, 5); // E00006, by the list as it was read
    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(widgets().entryList, Qt::Key_Delete);
    EXPECT_EQ(stored(),
              (QStringList{"E00004/log 4", "E00005 renamed/log 5", "E00007/log 7", "E00008/log 8"}));
}

TEST_F(OtherWriter, ADeleteOfAnEntryChangedElsewhereIsRefusedAndSaysWhy)
{
    selectLine(widgets().entryList, 2);
    otherProgram("UPDATE MYLIFE SET LOG = 'new story' WHERE MYEVENT = 'E00003'");
    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(widgets().entryList, Qt::Key_Delete);
    EXPECT_TRUE(lastTold().startsWith("The entry was not deleted.")) << lastTold().toStdString();
    EXPECT_TRUE(lastTold().contains("changed elsewhere")) << lastTold().toStdString();
    EXPECT_TRUE(stored().contains("E00003/new story"));
}

TEST_F(OtherWriter, AnUndoneDeleteWhoseRowIdWasTakenComesBackAsANewRow)
{
    WK_ONLY_ON_A_FILE("another program writes the same file");
    selectLine(widgets().entryList, 7); // E00008, the last row
    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(widgets().entryList, Qt::Key_Delete);
    otherProgram("INSERT INTO MYLIFE (DATE, MYEVENT, LOG) VALUES ('2001-02-01', 'Theirs', 'kept')");
    form().entryUndo().undo();
    EXPECT_TRUE(stored().contains("Theirs/kept"));
    EXPECT_TRUE(stored().contains("E00008/log 8"));
    EXPECT_EQ(stored().size(), 9);
}

} // namespace
