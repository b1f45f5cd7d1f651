// Ctrl+Z undoes this run's changes to the entries one at a time and Ctrl+Shift+Z makes them again;
// inside a text box the keys keep undoing typing.
#include "EditingFixture.h"

#include "shell/EntryUndo.h"
#include "store/RowChange.h"

using namespace wk;
using wk::testing::listLines;
using wk::testing::selectLine;

namespace {

class EntryUndo : public wk::testing::EditingTest {
protected:
    void SetUp() override
    {
        EditingTest::SetUp();
        kite = book.addEntry(
                       {QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")})
                   .toLongLong();
        book.addEntry({QDate(1999, 4, 1), "Zoo", "3 Family"});
    }
    // Every stored field of row `rowId`, exactly as stored.
    std::optional<store::RowState> row(qint64 rowId)
    {
        store::ConnectionPool pool;
        return store::readRowState(*pool.open(book.databasePath()), QStringLiteral("MYLIFE"), rowId);
    }
    bool rowHas(qint64 rowId, const char* value)
    {
        return row(rowId) && row(rowId)->values.contains(QVariant(value));
    }
    // The keys pressed on the main window, with the focus on `target` (the list by default).
    void press(QKeyCombination key, QWidget* target = nullptr)
    {
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
        target = target ? target : widgets().entryList;
        target->setFocus();
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
    static constexpr QKeyCombination kUndo = Qt::CTRL | Qt::Key_Z;
    static constexpr QKeyCombination kRedo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;

    qint64 kite = 0;
};

} // namespace

TEST_F(EntryUndo, AnUndoneDeleteComesBackWithItsFieldsAndRowIdAndRedoDeletesItAgain)
{
    shell::MainWindow& form = start();
    const auto before = row(kite);
    ASSERT_TRUE(before);
    selectLine(widgets().entryList, 0);
    prompts().yesNoAnswers.enqueue(true);
    QTest::keyClick(widgets().entryList, Qt::Key_Delete);
    ASSERT_FALSE(row(kite));
    ASSERT_EQ(form.entryUndo().stack().count(), 1);

    press(kUndo);
    ASSERT_TRUE(row(kite));
    EXPECT_EQ(row(kite)->values, before->values);
    EXPECT_EQ(listLines(widgets().entryList), QStringList({"Kite", "Zoo"})); // the list shows it again

    press(kRedo);
    EXPECT_FALSE(row(kite));
    EXPECT_EQ(listLines(widgets().entryList), QStringList({"Zoo"}));
    press(kRedo); // nothing more to make again
    EXPECT_EQ(storedEntries().size(), 1u);
}

TEST_F(EntryUndo, SavedChangesAndAddedEntriesAreUndoneOneStepAtATime)
{
    startInEditScreen(0);
    const auto& w = widgets();
    w.titleEdit->setText("Red kite");
    w.saveChangesButton->click();
    // Inside a text box the keys undo the typing, not the entries.
    QTest::keyClicks(w.titleEdit, "!");
    press(kUndo, w.titleEdit);
    EXPECT_EQ(w.titleEdit->text(), "Red kite");
    EXPECT_TRUE(rowHas(kite, "Red kite"));

    w.addButton->click(); // no picture chosen: the boxes stay empty for a new entry
    w.dateEdit->setText("5/6/2001");
    w.titleEdit->setText("Picnic");
    w.saveNewButton->click();
    const qint64 picnic = kite + 2; // the next row id after the two rows of the fixture
    const auto added = row(picnic);
    ASSERT_TRUE(added && added->values.contains(QVariant("Picnic")));

    press(kUndo); // the add
    EXPECT_EQ(storedTitles(), QStringList({"Red kite", "Zoo"}));
    press(kUndo); // the saved change
    EXPECT_TRUE(rowHas(kite, "Kite"));
    press(kUndo); // nothing older in this run
    EXPECT_EQ(storedTitles(), QStringList({"Kite", "Zoo"}));

    press(kRedo);
    press(kRedo);
    EXPECT_TRUE(rowHas(kite, "Red kite"));
    ASSERT_TRUE(row(picnic)); // added again with its own row id
    EXPECT_EQ(row(picnic)->values, added->values);
}
