// Nothing typed or filtered is lost while entries change under the edit screen: an entry deleted
// by another program, a thumbnail click on another entry while editing, a delete from a filtered
// list, a scrapbook file that vanished.
#include "EditingFixture.h"

#include "controls/ImageControl.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace wk;
using wk::testing::EditingTest;
using wk::testing::listLines;
using wk::testing::selectLine;

namespace {

const QString kGone = QStringLiteral("This entry no longer exists in the scrapbook: it was deleted or "
                                     "changed elsewhere.");

class KeepingWork : public EditingTest {
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        kite = book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"),
                              book.writePicture("kite.jpg", {60, 40}), QString("windy")});
        zoo = book.addEntry({QDate(1999, 3, 2), "Zoo", "4 Trips", QString("Dad"),
                             book.writePicture("zoo.jpg", {60, 40}), QString("lions")});
        beach = book.addEntry({QDate(1999, 3, 3), "Beach", "2 School", QString("Dad"),
                               book.writePicture("beach.jpg", {60, 40}), QString("sand")});
    }

    // Entries are told apart by title; each test keeps titles unique.
    QVariantMap storedTitled(const QString& title)
    {
        for (const QVariantMap& row : storedEntries())
            if (row["MYEVENT"].toString() == title)
                return row;
        return {};
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    QString kite, zoo, beach;
};

} // namespace

TEST_F(KeepingWork, ASaveOrDeleteOfAnEntryDeletedElsewhereIsReportedAndKeepsTheBoxes)
{
    shell::MainWindow& form = startInEditScreen(1); // Zoo
    form.widgets().titleEdit->setText("Zoo visit");
    form.widgets().logEdit->setPlainText("typed with care");
    book.exec(QStringLiteral("DELETE FROM mylife WHERE rowid = %1").arg(zoo)); // another program

    form.widgets().saveChangesButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_EQ(prompts().toldTexts()[0], kGone + " Your changes were not stored.");
    EXPECT_EQ(form.widgets().titleEdit->text(), "Zoo visit");
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "typed with care");
    EXPECT_EQ(listLines(form.widgets().entryList), (QStringList{"Kite", "Beach"}))
        << "the list no longer offers it";
    EXPECT_EQ(storedEntries().size(), 2u);
    EXPECT_TRUE(storedTitled("Zoo visit").isEmpty()) << "nothing was written into another row";

    // The Delete button and the Delete key on a line whose entry another program deleted.
    selectLine(form.widgets().entryList, 1); // Beach
    book.exec(QStringLiteral("DELETE FROM mylife WHERE rowid = %1").arg(beach));
    form.widgets().deleteButton->click();
    EXPECT_EQ(prompts().toldTexts().last(), kGone);
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Kite"});

    form.widgets().mainScreenButton->click(); // Main Screen
    selectLine(form.widgets().entryList, 0);
    book.exec(QStringLiteral("DELETE FROM mylife WHERE rowid = %1").arg(kite));
    prompts().yesNoAnswers.enqueue(true); // "Delete this File?"
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(form.widgets().entryList, &del);
    EXPECT_EQ(prompts().toldTexts().last(), kGone);
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{});
}

TEST_F(KeepingWork, AThumbnailClickWhileEditingAsksToStoreThenEditsTheClickedEntry)
{
    shell::MainWindow& form = start();
    selectLine(form.widgets().entryList, 0);
    form.widgets().timelineButton->click(); // the strip holds Kite, Zoo, Beach
    ASSERT_EQ(form.strip().slot(2), zoo);
    form.widgets().editScreenButton->click(); // editing Kite
    ASSERT_EQ(form.widgets().titleEdit->text(), "Kite");

    // Unchanged boxes: no question, the boxes follow the click.
    click(form.widgets().stripSlots[3]);
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(form.widgets().titleEdit->text(), "Beach");
    EXPECT_EQ(form.widgets().pictureEdit->text(), book.path("beach.jpg"));

    // Changed boxes, answered Yes: stored into the entry they came from, then the next is shown.
    form.widgets().logEdit->setPlainText("sand castles");
    prompts().yesNoAnswers.enqueue(true);
    click(form.widgets().stripSlots[2]);
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].kind, "yesno");
    EXPECT_EQ(storedTitled("Beach")["LOG"].toString(), "sand castles");
    EXPECT_EQ(form.widgets().titleEdit->text(), "Zoo");
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "lions");
    EXPECT_EQ(form.widgets().categoryCombo->currentText(), "4 Trips");

    // Save now writes into the clicked entry, never into the one the screen was opened on.
    form.widgets().logEdit->setPlainText("tigers too");
    form.widgets().saveChangesButton->click();
    EXPECT_EQ(storedTitled("Zoo")["LOG"].toString(), "tigers too");
    EXPECT_EQ(storedTitled("Kite")["LOG"].toString(), "windy");

    // Answered No: the typed change is dropped, nothing is written anywhere.
    form.widgets().titleEdit->setText("Zoo trip");
    click(form.widgets().stripSlots[1]);
    EXPECT_EQ(form.widgets().titleEdit->text(), "Kite");
    EXPECT_TRUE(storedTitled("Zoo trip").isEmpty());

    // A save that is refused (no title) keeps everything as it was, the typing included.
    form.widgets().titleEdit->clear();
    form.widgets().logEdit->setPlainText("half typed");
    prompts().yesNoAnswers.enqueue(true);
    click(form.widgets().stripSlots[2]);
    EXPECT_EQ(prompts().toldTexts().last(), "Please Enter a Title");
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "half typed");
    form.widgets().titleEdit->setText("Kite");
    form.widgets().saveChangesButton->click();
    EXPECT_EQ(storedTitled("Kite")["LOG"].toString(), "half typed");
}

TEST_F(KeepingWork, DeletingFromAFilteredListKeepsTheFilter)
{
    book.setCategories({"1 Events", "2 School", "3 Family", "4 Trips", "5 Calendar"});
    book.addEntry({QDate(1999, 4, 1), "Exam", "2 School", QString("Lily"), {}, {}});
    shell::MainWindow& form = start();
    form.widgets().categoryButtons[2]->click();
    ASSERT_EQ(listLines(form.widgets().entryList), (QStringList{"Kite", "Beach", "Exam"}));

    selectLine(form.widgets().entryList, 0);
    prompts().yesNoAnswers.enqueue(true);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(form.widgets().entryList, &del);
    EXPECT_EQ(listLines(form.widgets().entryList), (QStringList{"Beach", "Exam"}));

    selectLine(form.widgets().entryList, 1);
    form.widgets().editScreenButton->click();
    form.widgets().deleteButton->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Beach"});
    EXPECT_EQ(storedEntries().size(), 2u); // Zoo and Beach
}

TEST_F(KeepingWork, ASaveIntoAVanishedScrapbookFileSaysWhereItWasExpected)
{
    shell::MainWindow& form = startInEditScreen(0);
    ASSERT_TRUE(QFile::remove(book.databasePath()));
    form.widgets().logEdit->setPlainText("still here");
    form.widgets().saveChangesButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    const QString told = prompts().toldTexts()[0];
    EXPECT_TRUE(told.contains("moved, replaced or deleted")) << told.toStdString();
    EXPECT_TRUE(told.contains(book.databasePath())) << told.toStdString();
    EXPECT_FALSE(told.contains("readonly")) << told.toStdString();
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "still here");
}
