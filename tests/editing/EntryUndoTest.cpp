// Ctrl+Z undoes this run's changes to the entries one at a time and Ctrl+Shift+Z makes them again,
// checked in the scrapbook file; inside a text box the keys keep undoing typing.
#include "EditingFixture.h"

#include "controls/ImageControl.h"
#include "shell/EntryUndo.h"
#include "store/RowChange.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace wk;
using wk::testing::EditingTest;
using wk::testing::EntryRow;
using wk::testing::listLines;
using wk::testing::selectLine;

namespace {

// Every stored field of row `rowId`, exactly as stored.
std::optional<store::RowState> storedRow(const QString& database, qint64 rowId)
{
    store::ConnectionPool pool;
    return store::readRowState(*pool.open(database), QStringLiteral("MYLIFE"), rowId);
}

class EntryUndo : public EditingTest {
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        kite = book.addEntry(
                       {QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")})
                   .toLongLong();
        book.addEntry({QDate(1999, 4, 1), "Zoo", "3 Family"});
    }
    // The keys pressed on the main window with the focus outside any text box.
    void press(shell::MainWindow& form, QKeyCombination key)
    {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.widgets().entryList->setFocus();
        QTest::keyClick(form.widgets().entryList, key.key(), key.keyboardModifiers());
    }
    static constexpr QKeyCombination kUndo = Qt::CTRL | Qt::Key_Z;
    static constexpr QKeyCombination kRedo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;

    qint64 kite = 0;
};

} // namespace

TEST_F(EntryUndo, AnUndoneDeleteComesBackWithItsFieldsAndRowIdAndRedoDeletesItAgain)
{
    shell::MainWindow& form = start();
    const auto before = storedRow(book.databasePath(), kite);
    ASSERT_TRUE(before);
    selectLine(form.widgets().entryList, 0);
    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(form.widgets().entryList, Qt::Key_Delete);
    ASSERT_FALSE(storedRow(book.databasePath(), kite));
    ASSERT_EQ(form.entryUndo().stack().count(), 1);

    press(form, kUndo);
    const auto back = storedRow(book.databasePath(), kite);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->values, before->values);
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList({"Kite", "Zoo"})); // the list shows it again

    press(form, kRedo);
    EXPECT_FALSE(storedRow(book.databasePath(), kite));
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList({"Zoo"}));
    press(form, kRedo); // nothing more to make again
    EXPECT_EQ(storedEntries().size(), 1u);
}

TEST_F(EntryUndo, SavedChangesAndAddedEntriesAreUndoneOneStepAtATime)
{
    shell::MainWindow& form = startInEditScreen(0);
    form.widgets().titleEdit->setText("Red kite");
    form.widgets().saveChangesButton->click();
    form.widgets().addButton->click(); // no picture chosen: the boxes stay empty for a new entry
    form.widgets().dateEdit->setText("5/6/2001");
    form.widgets().titleEdit->setText("Picnic");
    form.widgets().saveNewButton->click();
    ASSERT_EQ(storedEntries().size(), 3u);
    const qint64 picnic = kite + 2; // the next row id after the two rows of the fixture
    const auto added = storedRow(book.databasePath(), picnic);
    ASSERT_TRUE(added && added->values.contains(QVariant("Picnic")));

    press(form, kUndo); // the add
    EXPECT_EQ(storedEntries().size(), 2u);
    EXPECT_EQ(storedRow(book.databasePath(), kite)->values.contains(QVariant("Red kite")), true);
    press(form, kUndo); // the saved change
    EXPECT_TRUE(storedRow(book.databasePath(), kite)->values.contains(QVariant("Kite")));
    press(form, kUndo); // nothing older in this run
    EXPECT_EQ(storedEntries().size(), 2u);

    press(form, kRedo);
    press(form, kRedo);
    EXPECT_TRUE(storedRow(book.databasePath(), kite)->values.contains(QVariant("Red kite")));
    const auto again = storedRow(book.databasePath(), picnic);
    ASSERT_TRUE(again); // added again with its own row id
    EXPECT_EQ(again->values, added->values);
}

TEST_F(EntryUndo, InsideATextBoxTheKeysUndoTheTypingNotTheEntries)
{
    shell::MainWindow& form = startInEditScreen(0);
    form.widgets().titleEdit->setText("Red kite");
    form.widgets().saveChangesButton->click();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.widgets().titleEdit->setFocus();
    QTest::keyClicks(form.widgets().titleEdit, "!");
    QTest::keyClick(form.widgets().titleEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.widgets().titleEdit->text(), "Red kite");                                  // typing undone
    EXPECT_TRUE(storedRow(book.databasePath(), kite)->values.contains(QVariant("Red kite"))); // entry kept
    EXPECT_TRUE(form.entryUndo().stack().canUndo());
}
