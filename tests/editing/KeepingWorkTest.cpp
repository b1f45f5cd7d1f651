// Nothing typed or filtered is lost while entries change under the edit screen.
#include "ServerDatabase.h"
#include "EditingFixture.h"

#include <QFile>

using namespace wk;
using wk::testing::listLines;
using wk::testing::selectLine;

namespace {

const QString kGone = QStringLiteral("This entry no longer exists in the scrapbook: it was deleted or "
                                     "changed elsewhere.");

class KeepingWork : public wk::testing::EditingTest {
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        const char* rows[][4] = {{"Kite", "2 School", "Lily", "windy"},
                                 {"Zoo", "4 Trips", "Dad", "lions"},
                                 {"Beach", "2 School", "Dad", "sand"}};
        for (int k = 0; k < 3; ++k)
            ids << book.addEntry({QDate(1999, 3, k + 1), rows[k][0], rows[k][1], QString(rows[k][2]),
                                  book.writePicture(QString(rows[k][0]).toLower() + ".jpg", {60, 40}),
                                  QString(rows[k][3])});
    }
    // The stored log of the entry titled `title`; entries are told apart by title.
    QString logOf(const QString& title)
    {
        for (const QVariantMap& row : storedEntries())
            if (row["MYEVENT"].toString() == title)
                return row["LOG"].toString();
        return "<none>";
    }
    void deleteElsewhere(int entry)
    {
        book.exec(QStringLiteral("DELETE FROM mylife WHERE rowid = %1").arg(ids[entry]));
    }
    void deleteKey()
    {
        prompts().yesNoAnswers.enqueue(true); // "Delete this File?"
        QTest::keyClick(widgets().entryList, Qt::Key_Delete);
    }
    void clickSlot(int k) { QTest::mouseClick(widgets().stripSlots[k], Qt::LeftButton); }

    QStringList ids;
};

} // namespace

TEST_F(KeepingWork, ASaveOrDeleteOfAnEntryDeletedElsewhereIsReportedAndKeepsTheBoxes)
{
    startInEditScreen(1); // Zoo
    const auto& w = widgets();
    w.titleEdit->setText("Zoo visit");
    w.logEdit->setPlainText("typed with care");
    deleteElsewhere(1);
    w.saveChangesButton->click(); // "Add it again?" No
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(prompts().asked[0].text,
              kGone + " Your changes were not stored.\n\nAdd it again, as you typed it?");
    EXPECT_EQ(w.logEdit->toPlainText(), "typed with care");
    EXPECT_EQ(listLines(w.entryList), (QStringList{"Kite", "Beach"})) << "the list no longer offers it";
    EXPECT_EQ(storedTitles(), listLines(w.entryList)) << "nothing was written into another row";

    // The Delete button and the Delete key on a line whose entry another program deleted.
    selectLine(w.entryList, 1); // Beach
    deleteElsewhere(2);
    w.deleteButton->click();
    EXPECT_EQ(prompts().toldTexts().last(), kGone);
    EXPECT_EQ(listLines(w.entryList), QStringList{"Kite"});
    w.mainScreenButton->click();
    selectLine(w.entryList, 0);
    deleteElsewhere(0);
    deleteKey();
    EXPECT_EQ(prompts().toldTexts(), (QStringList{kGone, kGone}));
    EXPECT_EQ(w.entryList->count(), 0);
}

TEST_F(KeepingWork, WhatWasTypedIntoAnEntryDeletedElsewhereCanBeAddedAgain)
{
    startInEditScreen(1); // Zoo
    const auto& w = widgets();
    w.titleEdit->setText("Zoo visit");
    w.logEdit->setPlainText("typed with care");
    deleteElsewhere(1);
    prompts().yesNoAnswers.enqueue(true);
    w.saveChangesButton->click();
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_TRUE(prompts().asked[0].text.endsWith("Add it again, as you typed it?"));
    EXPECT_EQ(storedTitles(), (QStringList{"Kite", "Beach", "Zoo visit"}));
    EXPECT_EQ(logOf("Zoo visit"), "typed with care");

    // The new entry is the one edited now: a later Save changes it, and adds nothing.
    w.logEdit->setPlainText("typed with care, twice");
    w.saveChangesButton->click();
    EXPECT_EQ(storedTitles(), (QStringList{"Kite", "Beach", "Zoo visit"}));
    EXPECT_EQ(logOf("Zoo visit"), "typed with care, twice");
    EXPECT_EQ(prompts().asked.size(), 1);
}

TEST_F(KeepingWork, AThumbnailClickWhileEditingAsksToStoreThenEditsTheClickedEntry)
{
    shell::MainWindow& form = start();
    const auto& w = widgets();
    selectLine(w.entryList, 0);
    w.timelineButton->click(); // the strip holds Kite, Zoo, Beach
    ASSERT_EQ(form.strip().slot(2), ids[1]);
    w.editScreenButton->click(); // editing Kite

    // Unchanged boxes: no question, the boxes follow the click.
    clickSlot(3);
    EXPECT_TRUE(prompts().asked.isEmpty());
    EXPECT_EQ(w.pictureEdit->text(), book.path("beach.jpg"));

    // Changed boxes, answered Yes: stored into the entry they came from, then the next is shown.
    w.logEdit->setPlainText("sand castles");
    prompts().yesNoAnswers.enqueue(true);
    clickSlot(2);
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(logOf("Beach"), "sand castles");
    EXPECT_EQ(w.logEdit->toPlainText(), "lions");
    EXPECT_EQ(w.categoryCombo->currentText(), "4 Trips");

    // Save now writes into the clicked entry, never into the one the screen was opened on.
    w.logEdit->setPlainText("tigers too");
    w.saveChangesButton->click();
    EXPECT_EQ(logOf("Zoo"), "tigers too");
    EXPECT_EQ(logOf("Kite"), "windy");

    // Answered No: the typed change is dropped, nothing is written anywhere.
    w.titleEdit->setText("Zoo trip");
    clickSlot(1);
    EXPECT_EQ(w.titleEdit->text(), "Kite");
    EXPECT_EQ(storedTitles(), QStringList({"Kite", "Zoo", "Beach"}));

    // A save that is refused (no title) keeps everything as it was, the typing included.
    w.titleEdit->clear();
    w.logEdit->setPlainText("half typed");
    prompts().yesNoAnswers.enqueue(true);
    clickSlot(2);
    EXPECT_EQ(prompts().toldTexts().last(), "Please Enter a Title");
    EXPECT_EQ(w.logEdit->toPlainText(), "half typed");
    w.titleEdit->setText("Kite");
    w.saveChangesButton->click();
    EXPECT_EQ(logOf("Kite"), "half typed");
}

TEST_F(KeepingWork, ASaveIntoAVanishedScrapbookFileSaysWhereItWasExpected)
{
    WK_ONLY_ON_A_FILE("a file that vanishes");
    startInEditScreen(0);
    ASSERT_TRUE(QFile::remove(book.databasePath()));
    widgets().logEdit->setPlainText("still here");
    widgets().saveChangesButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    const QString told = prompts().toldTexts()[0];
    EXPECT_TRUE(told.contains("moved, replaced or deleted") && told.contains(book.databasePath()))
        << told.toStdString();
    EXPECT_EQ(widgets().logEdit->toPlainText(), "still here");
}
