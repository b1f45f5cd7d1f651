// "Add", both "Save" buttons, "Delete" and the who-or-where list of the edit screen, on real
// scrapbook files and real picture files.
#include "controls/FolderFiles.h"
#include "EditingFixture.h"
#include "PictureTools.h"

#include "controls/DropDownCombo.h"
#include "controls/ImageControl.h"
#include "editing/EntryEditing.h"
#include "editing/PictureFiles.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace wk;
using wk::testing::EditingTest;
using wk::testing::EntryRow;
using wk::testing::selectLine;

namespace {
bool shown(QWidget* w, shell::MainWindow& form) { return w->isVisibleTo(&form); }
} // namespace

TEST_F(EditingTest, AddClearsTheBoxesAndPreviewsTheChosenPictureInItsLayout)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    const QString wide = book.writePicture("camera/wide.jpg", {300, 200});
    const QString tall = book.writePicture("camera/tall.bmp", {200, 300});
    const QString square = book.writePicture("camera/square.jpg", {250, 250});
    shell::MainWindow& form = startInEditScreen();
    EXPECT_EQ(form.widgets().titleEdit->text(), "Kite");

    prompts().fileAnswers.enqueue(wide);
    form.widgets().addButton->click();
    ASSERT_EQ(prompts().asked.size(), 1);
    const auto& asked = prompts().asked[0];
    EXPECT_EQ(asked.kind, "open");
    EXPECT_EQ(asked.title, "Save Image As");
    EXPECT_EQ(form.widgets().dateEdit->text(), "7/4/2001");
    EXPECT_EQ(form.widgets().pictureEdit->text(), wide);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "");
    EXPECT_EQ(form.widgets().titleEdit->text(), "");
    EXPECT_EQ(form.widgets().nameCombo->currentText(), "");
    EXPECT_EQ(form.widgets().categoryCombo->currentText(), "");
    EXPECT_TRUE(shown(form.widgets().saveNewButton, form));
    EXPECT_FALSE(shown(form.widgets().saveChangesButton, form));
    EXPECT_FALSE(shown(form.widgets().deleteButton, form));
    EXPECT_EQ(form.widgets().bigImage->width(), pixels(4675));
    EXPECT_EQ(form.widgets().bigPictureFrame->width(), pixels(4925));
    EXPECT_EQ(form.widgets().bigImage->picture().naturalSize, QSize(300, 200));
    EXPECT_EQ(form.pictureFiles().listedFolder(), book.path("camera/"));
    EXPECT_EQ(form.pictureFiles().listedNames(), QStringList({"square.jpg", "tall.bmp", "wide.jpg"}));

    prompts().fileAnswers.enqueue(tall);
    form.widgets().addButton->click();
    EXPECT_EQ(form.widgets().bigImage->width(), pixels(2400));
    EXPECT_EQ(form.widgets().bigPictureFrame->width(), pixels(2650));

    // A square picture keeps the layout of the one before.
    prompts().fileAnswers.enqueue(square);
    form.widgets().addButton->click();
    EXPECT_EQ(form.widgets().bigImage->width(), pixels(2400));
    EXPECT_EQ(form.widgets().bigImage->picture().naturalSize, QSize(250, 250));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

TEST_F(EditingTest, CancellingOrChoosingNoPictureEndsAdd)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    QFile text(book.path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    shell::MainWindow& form = startInEditScreen();

    form.widgets().addButton->click(); // cancelled: the boxes stay cleared, nothing is said
    EXPECT_EQ(form.widgets().titleEdit->text(), "");
    EXPECT_EQ(form.widgets().pictureEdit->text(), "");
    EXPECT_TRUE(shown(form.widgets().saveNewButton, form));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    prompts().fileAnswers.enqueue(book.path("notes.txt"));
    form.widgets().addButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_FALSE(prompts().toldTexts()[0].isEmpty()); // the loader's description
    EXPECT_EQ(form.widgets().pictureEdit->text(), book.path("notes.txt"));
}

TEST_F(EditingTest, SavingANewEntryChecksTheDateAndTitleThenStoresItAndPassesToEditing)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    shell::MainWindow& form = startInEditScreen();
    form.widgets().addButton->click();

    form.widgets().dateEdit->setText("2/30/1999");
    form.widgets().titleEdit->setText("Zoo");
    form.widgets().saveNewButton->click();
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[1].text, "Please Enter a Valid Date");
    EXPECT_EQ(prompts().asked[1].title, "");
    EXPECT_EQ(prompts().asked[1].icon, controls::MessageIcon::Exclamation);

    form.widgets().dateEdit->setText("8/2/2001");
    form.widgets().titleEdit->setText("");
    form.widgets().saveNewButton->click();
    ASSERT_EQ(prompts().asked.size(), 3);
    EXPECT_EQ(prompts().asked[2].text, "Please Enter a Title");
    EXPECT_EQ(prompts().asked[2].title, "Title");
    EXPECT_EQ(prompts().asked[2].icon, controls::MessageIcon::Exclamation);
    EXPECT_EQ(storedEntries().size(), 1u);
    EXPECT_TRUE(shown(form.widgets().saveNewButton, form));

    // A title of blanks is a title; empty picture and log boxes leave those fields null.
    form.widgets().titleEdit->setText("   ");
    form.widgets().nameCombo->setEditText("Zoo keeper");
    form.widgets().categoryCombo->setEditText("4 Trips");
    form.widgets().saveNewButton->click();
    EXPECT_EQ(prompts().asked.size(), 3);
    auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]["DATE"].toDate(), QDate(2001, 8, 2));
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "   ");
    EXPECT_EQ(rows[1]["WHERE"].toString(), "Zoo keeper");
    EXPECT_EQ(rows[1]["WHAT"].toString(), "4 Trips");
    EXPECT_TRUE(rows[1]["PICTURE"].isNull());
    EXPECT_TRUE(rows[1]["LOG"].isNull());
    EXPECT_FALSE(shown(form.widgets().saveNewButton, form));
    EXPECT_TRUE(shown(form.widgets().saveChangesButton, form));

    // The second Save now changes the new entry, not the first one of the set.
    form.widgets().titleEdit->setText("Zoo visit");
    form.widgets().logEdit->setPlainText("lions");
    form.widgets().saveChangesButton->click();
    rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
    EXPECT_EQ(rows[0]["LOG"].toString(), "windy");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Zoo visit");
    EXPECT_EQ(rows[1]["LOG"].toString(), "lions");
    EXPECT_EQ(form.entries().recordCount(), 2);
}

TEST_F(EditingTest, SavingChangesValidatesAndKeepsTheStoredLogWhenTheLogBoxIsEmpty)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    book.addEntry({QDate(1999, 4, 1), "Boat", "4 Trips", QString("Dad"), "boat.jpg", QString("wet")});
    shell::MainWindow& form = startInEditScreen(1);
    EXPECT_TRUE(shown(form.widgets().saveChangesButton, form));
    EXPECT_EQ(form.widgets().titleEdit->text(), "Boat");

    form.widgets().dateEdit->setText("not a date");
    form.widgets().titleEdit->setText("Big boat");
    form.widgets().saveChangesButton->click();
    EXPECT_EQ(prompts().toldTexts(), QStringList({"Please Enter a Valid Date"}));
    EXPECT_EQ(storedEntries()[1]["MYEVENT"].toString(), "Boat"); // nothing stored

    form.widgets().dateEdit->setText("4/2/1999");
    form.widgets().titleEdit->setText("");
    form.widgets().saveChangesButton->click();
    EXPECT_EQ(prompts().toldTexts().last(), "Please Enter a Title");

    form.widgets().titleEdit->setText("Big boat");
    form.widgets().logEdit->setPlainText("");
    form.widgets().pictureEdit->setText("");
    form.widgets().nameCombo->setEditText("Mum");
    form.widgets().saveChangesButton->click();
    EXPECT_EQ(prompts().toldTexts().size(), 2);
    const auto rows = storedEntries();
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Big boat");
    EXPECT_EQ(rows[1]["DATE"].toDate(), QDate(1999, 4, 2));
    EXPECT_EQ(rows[1]["LOG"].toString(), "wet");
    EXPECT_EQ(rows[1]["PICTURE"].toString(), "");
    EXPECT_EQ(rows[1]["WHERE"].toString(), "Mum");
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
}

TEST_F(EditingTest, ARefusedSaveIsReportedAndKeepsWhatWasTyped)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    ASSERT_TRUE(QFile::setPermissions(book.databasePath(), QFile::ReadOwner | QFile::ReadUser));
    shell::MainWindow& form = startInEditScreen();

    form.widgets().addButton->click();
    form.widgets().dateEdit->setText("8/2/2001");
    form.widgets().titleEdit->setText("Zoo");
    form.widgets().logEdit->setPlainText("lions");
    form.widgets().saveNewButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts()[0].contains("not stored"));
    EXPECT_TRUE(prompts().toldTexts()[0].contains("readonly"));
    EXPECT_TRUE(shown(form.widgets().saveNewButton, form)); // still adding
    EXPECT_FALSE(shown(form.widgets().saveChangesButton, form));
    EXPECT_EQ(form.widgets().titleEdit->text(), "Zoo");
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "lions");
    EXPECT_FALSE(form.entries().editing());
    EXPECT_EQ(form.entries().recordCount(), 1);

    // Changes to an existing entry are refused the same way.
    selectLine(form.widgets().entryList, 0);
    form.widgets().editScreenButton->click();
    form.widgets().titleEdit->setText("Red kite");
    form.widgets().saveChangesButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 2);
    EXPECT_TRUE(prompts().toldTexts()[1].contains("not stored"));
    EXPECT_EQ(form.widgets().titleEdit->text(), "Red kite");
    QFile::setPermissions(book.databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    const auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
}

TEST_F(EditingTest, DeleteRemovesOnlyTheSelectedEntry)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", {}, {}, {}});
    book.addEntry({QDate(1999, 4, 1), "Boat", "4 Trips", {}, {}, {}});
    book.addEntry({QDate(1999, 5, 1), "Picnic", "3 Family", {}, {}, {}});
    shell::MainWindow& form = startInEditScreen(1);

    form.widgets().deleteButton->click();
    auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Picnic");
    EXPECT_EQ(form.widgets().entryList->count(), 2);
    EXPECT_EQ(form.widgets().entryList->currentRow(), -1);
    EXPECT_TRUE(shown(form.widgets().saveChangesButton, form));
    EXPECT_FALSE(shown(form.widgets().saveNewButton, form));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    // No line is selected now: a second Delete deletes nothing, and says so.
    form.widgets().deleteButton->click();
    EXPECT_EQ(storedEntries().size(), 2u);
    EXPECT_EQ(prompts().toldTexts().size(), 1);

    // The boxes still show the deleted entry; its changes have nowhere to go.
    form.widgets().saveChangesButton->click();
    EXPECT_EQ(prompts().toldTexts().size(), 2);
    rows = storedEntries();
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Picnic");
}

TEST_F(EditingTest, TheWhoOrWhereListHoldsEachNameOnceAfterTwoDropDowns)
{
    book.setNames({"Grandma", "Lake", "Lily"});
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), {}, {}});
    shell::MainWindow& form = startInEditScreen();
    EXPECT_EQ(form.widgets().nameCombo->currentText(), "Lily");
    for (int i = 0; i < 2; ++i) {
        form.widgets().nameCombo->showPopup();
        form.widgets().nameCombo->hidePopup();
    }
    QStringList items;
    for (int i = 0; i < form.widgets().nameCombo->count(); ++i)
        items << form.widgets().nameCombo->itemText(i);
    EXPECT_EQ(items, QStringList({"Grandma", "Lake", "Lily"}));
    EXPECT_EQ(form.widgets().nameCombo->currentText(), "Lily"); // the typed text stays
}

TEST_F(EditingTest, AddDatesACameraPictureByTheDayItWasTaken)
{
    if (!wk::testing::havePictureTools())
        GTEST_SKIP() << "ImageMagick's convert or exiftool is not installed";
    book.addEntry({QDate(1999, 3, 1), "Kite"});
    QImage landscape(80, 60, QImage::Format_RGB32);
    landscape.fill(Qt::green);
    struct Row {
        const char* name;
        QDate taken;
    };
    const Row rows[] = {{"beach.jpg", QDate(2019, 8, 15)}, {"phone.heic", QDate(2023, 12, 3)}};
    for (const Row& row : rows) {
        ASSERT_TRUE(wk::testing::writeWithConvert(landscape, book.path(row.name)));
        ASSERT_TRUE(wk::testing::writeExif(
            book.path(row.name), {"-DateTimeOriginal=" + row.taken.toString("yyyy:MM:dd") + " 09:30:00"}));
    }
    shell::MainWindow& form = startInEditScreen();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        prompts().fileAnswers.enqueue(book.path(row.name));
        form.widgets().addButton->click();
        EXPECT_EQ(form.widgets().dateEdit->text(), row.taken.toString("M/d/yyyy"));
        EXPECT_EQ(form.widgets().bigImage->picture().naturalSize, QSize(80, 60));
        form.widgets().titleEdit->setText(row.name);
        form.widgets().saveNewButton->click();
        EXPECT_EQ(storedEntries().back()["DATE"].toDate(), row.taken);
    }
    // A picture without a date keeps today.
    prompts().fileAnswers.enqueue(book.writePicture("scan.jpg", {80, 60}));
    form.widgets().addButton->click();
    EXPECT_EQ(form.widgets().dateEdit->text(), "7/4/2001");
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}
