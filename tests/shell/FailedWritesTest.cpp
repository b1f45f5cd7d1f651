// Every way the program writes the scrapbook, refused by a trigger in the file: the user is told what
// did not happen and why, nothing else changes, and what was typed stays.
#include "ServerDatabase.h"
#include "StartedProgram.h"
#include "SqliteRows.h"
#include "TestScrapbook.h"

#include "calendar/DayDrop.h"
#include "calendar/DayGridModel.h"
#include "calendar/DayList.h"
#include "calendar/MonthCalendar.h"
#include "controls/PictureButton.h"
#include "shell/EntryUndo.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

const QString kRefusal = QStringLiteral("the family keeps this scrapbook as it is");

QStringList rowsOf(const TestScrapbook& book, const QString& table)
{
    return store::testing::rowsOf(book.databasePath(), QStringLiteral("SELECT * FROM \"%1\"").arg(table));
}

class FailedWrites : public ::testing::Test {
protected:
    // Two entries in February 1998 (`prepare` may change the scrapbook), started on the 10th.
    void start(const std::function<void()>& prepare = {})
    {
        program.reset();
        book = std::make_unique<TestScrapbook>();
        book->addEntry({QDate(1998, 2, 3), "Kite", "1 Events", QString("Dad"), {}, QString("windy")});
        book->addEntry({QDate(1998, 2, 5), "Snow", "3 Family", QString("Gran"), {}, QString("cold")});
        if (prepare)
            prepare();
        program = std::make_unique<StartedProgram>(book->location());
        program->clock.setToday(QDate(1998, 2, 10));
        program->start();
    }

    shell::MainWindow& form() { return program->form(); }
    const shell::MainWindowWidgets& widgets() { return form().widgets(); }
    QStringList entries() const { return rowsOf(*book, QStringLiteral("MYLIFE")); }

    // From now on the scrapbook refuses every `action` ("INSERT", "UPDATE", "DELETE") on `table`.
    void refuse(const QString& action, const QString& table = QStringLiteral("MYLIFE"))
    {
        book->exec(
            QStringLiteral("CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
                .arg(action, table, kRefusal));
    }

    // The one message told, naming what did not happen and why.
    void expectToldOnce(const QString& whatDidNotHappen)
    {
        const QStringList told = program->prompts.toldTexts();
        ASSERT_EQ(told.size(), 1) << told.join(" / ").toStdString();
        EXPECT_TRUE(told[0].startsWith(whatDidNotHappen)) << told[0].toStdString();
        EXPECT_TRUE(told[0].contains(kRefusal)) << told[0].toStdString();
    }

    std::unique_ptr<TestScrapbook> book;
    std::unique_ptr<StartedProgram> program;
};

TEST_F(FailedWrites, EveryWriteThatIsRefusedIsToldAndChangesNothing)
{
    WK_ONLY_ON_A_FILE("SQLite triggers make its writes fail");
    // Each case refuses `action` on MYLIFE, writes one way and checks what is still shown.
    const auto editAndPress = [this](bool adding, QPushButton* shell::MainWindowWidgets::*button) {
        return [this, adding, button](const std::function<void()>& refuseNow) {
            selectLine(widgets().entryList, 0);
            widgets().editScreenButton->click();
            if (adding)
                widgets().addButton->click();
            widgets().dateEdit->setText(QStringLiteral("2/9/1998"));
            widgets().titleEdit->setText(QStringLiteral("Kite over the lake"));
            widgets().logEdit->setPlainText(QStringLiteral("typed by hand"));
            refuseNow();
            (widgets().*button)->click();
            EXPECT_EQ(widgets().titleEdit->text(), "Kite over the lake");
            EXPECT_EQ(widgets().logEdit->toPlainText(), "typed by hand");
        };
    };
    const struct {
        const char* refused;
        std::function<void(const std::function<void()>&)> write;
        QString told;
    } cases[]{
        {"UPDATE", editAndPress(false, &shell::MainWindowWidgets::saveChangesButton),
         QStringLiteral("The changes were not stored.")},
        {"INSERT", editAndPress(true, &shell::MainWindowWidgets::saveNewButton),
         QStringLiteral("The new entry was not stored.")},
        {"DELETE", editAndPress(false, &shell::MainWindowWidgets::deleteButton),
         QStringLiteral("The entry was not deleted.")},
        {"DELETE",
         [this](const std::function<void()>& refuseNow) {
             refuseNow();
             selectLine(widgets().entryList, 1);
             program->prompts.yesNoAnswers.enqueue(true); // "Delete this File?"
             QTest::keyClick(widgets().entryList, Qt::Key_Delete);
             EXPECT_EQ(widgets().entryList->count(), 2);
         },
         QStringLiteral("The entry was not deleted.")},
        {"INSERT",
         [this](const std::function<void()>& refuseNow) {
             widgets().calendarButton->click(); // February 1998: the 1st is in cell 1
             refuseNow();
             widgets().entryList->setCurrentRow(0);
             form().calendar().dayDrop().dropOnDay(9);
             EXPECT_EQ(widgets().dayCells[9]->count(), 1); // only its day number
         },
         QStringLiteral("The copy of \"Kite\" on February 9, 1998 was not made.")},
        {"UPDATE",
         [this](const std::function<void()>& refuseNow) {
             widgets().calendarButton->click();
             form().calendar().dayList().openDayList(3); // the 3rd, with the kite
             refuseNow();
             QAbstractItemModel& grid = form().calendar().dayList().model();
             EXPECT_FALSE(grid.setData(grid.index(0, 0), QStringLiteral("Red kite"), Qt::EditRole));
             EXPECT_EQ(grid.index(0, 0).data().toString(), "Kite");
         },
         QStringLiteral("\"Red kite\" was not stored in the day list.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told.toStdString());
        start();
        const QStringList before = entries();
        c.write([&] { refuse(QString::fromLatin1(c.refused)); });
        expectToldOnce(c.told);
        EXPECT_EQ(entries(), before);
    }
}

TEST_F(FailedWrites, AFoundDiscThatCannotBeNotedIsToldOnce)
{
    WK_ONLY_ON_A_FILE("SQLite triggers make its writes fail");
    start([this] {
        QDir(book->dir()).mkpath(QStringLiteral("disc/bmp"));
        book->setDisc(book->path("disc"), QStringLiteral("Y"));
        refuse(QStringLiteral("UPDATE"), QStringLiteral("cddrive"));
    });
    selectLine(widgets().entryList, 1);
    selectLine(widgets().entryList, 0);
    expectToldOnce(QStringLiteral("The picture disc was found, but the scrapbook could not note it"));
    EXPECT_TRUE(rowsOf(*book, QStringLiteral("cddrive")).first().endsWith("|Y"));
}

} // namespace
