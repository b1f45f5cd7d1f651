// "Add", both "Save" buttons, "Delete" and the who-or-where list of the edit screen, on real
// scrapbook files and real picture files.
#include "controls/FolderList.h"
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
bool shown(QWidget* w, shell::Mtform1& form) { return w->isVisibleTo(&form); }
} // namespace

TEST_F(EditingTest, AddClearsTheBoxesAndPreviewsTheChosenPictureInItsLayout)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    const QString wide = book.writePicture("camera/wide.jpg", {300, 200});
    const QString tall = book.writePicture("camera/tall.bmp", {200, 300});
    const QString square = book.writePicture("camera/square.jpg", {250, 250});
    shell::Mtform1& form = startInEditScreen();
    EXPECT_EQ(form.Text4->text(), "Kite");

    prompts().fileAnswers.enqueue(wide);
    form.CMDADD->click();
    ASSERT_EQ(prompts().asked.size(), 1);
    const auto& asked = prompts().asked[0];
    EXPECT_EQ(asked.kind, "open");
    EXPECT_EQ(asked.title, "Save Image As");
    EXPECT_EQ(form.Text1->text(), "7/4/2001");
    EXPECT_EQ(form.Text2->text(), wide);
    EXPECT_EQ(form.Text3->toPlainText(), "");
    EXPECT_EQ(form.Text4->text(), "");
    EXPECT_EQ(form.Wheretext->currentText(), "");
    EXPECT_EQ(form.WhatText->currentText(), "");
    EXPECT_TRUE(shown(form.SAVEADD, form));
    EXPECT_FALSE(shown(form.SaveEdit, form));
    EXPECT_FALSE(shown(form.CMDDEL, form));
    EXPECT_EQ(form.Image8->width(), pixels(4675));
    EXPECT_EQ(form.Frame3->width(), pixels(4925));
    EXPECT_EQ(form.Image8->picture().naturalSize, QSize(300, 200));
    EXPECT_EQ(form.pictureFiles().file1Folder(), book.path("camera/"));
    EXPECT_EQ(form.pictureFiles().file1Names(), QStringList({"square.jpg", "tall.bmp", "wide.jpg"}));

    prompts().fileAnswers.enqueue(tall);
    form.CMDADD->click();
    EXPECT_EQ(form.Image8->width(), pixels(2400));
    EXPECT_EQ(form.Frame3->width(), pixels(2650));

    // A square picture keeps the layout of the one before.
    prompts().fileAnswers.enqueue(square);
    form.CMDADD->click();
    EXPECT_EQ(form.Image8->width(), pixels(2400));
    EXPECT_EQ(form.Image8->picture().naturalSize, QSize(250, 250));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}

TEST_F(EditingTest, CancellingOrChoosingNoPictureEndsAdd)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    QFile text(book.path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    shell::Mtform1& form = startInEditScreen();

    form.CMDADD->click(); // cancelled: the boxes stay cleared, nothing is said
    EXPECT_EQ(form.Text4->text(), "");
    EXPECT_EQ(form.Text2->text(), "");
    EXPECT_TRUE(shown(form.SAVEADD, form));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    prompts().fileAnswers.enqueue(book.path("notes.txt"));
    form.CMDADD->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_FALSE(prompts().toldTexts()[0].isEmpty()); // the loader's description
    EXPECT_EQ(form.Text2->text(), book.path("notes.txt"));
}

TEST_F(EditingTest, SavingANewEntryChecksTheDateAndTitleThenStoresItAndPassesToEditing)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    shell::Mtform1& form = startInEditScreen();
    form.CMDADD->click();

    form.Text1->setText("2/30/1999");
    form.Text4->setText("Zoo");
    form.SAVEADD->click();
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_EQ(prompts().asked[1].text, "Please Enter a Valid Date");
    EXPECT_EQ(prompts().asked[1].title, "");
    EXPECT_EQ(prompts().asked[1].icon, controls::MessageIcon::Exclamation);

    form.Text1->setText("8/2/2001");
    form.Text4->setText("");
    form.SAVEADD->click();
    ASSERT_EQ(prompts().asked.size(), 3);
    EXPECT_EQ(prompts().asked[2].text, "Please Enter a Title");
    EXPECT_EQ(prompts().asked[2].title, "Title");
    EXPECT_EQ(prompts().asked[2].icon, controls::MessageIcon::Exclamation);
    EXPECT_EQ(storedEntries().size(), 1u);
    EXPECT_TRUE(shown(form.SAVEADD, form));

    // A title of blanks is a title; empty picture and log boxes leave those fields null.
    form.Text4->setText("   ");
    form.Wheretext->setEditText("Zoo keeper");
    form.WhatText->setEditText("4 Trips");
    form.SAVEADD->click();
    EXPECT_EQ(prompts().asked.size(), 3);
    auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]["DATE"].toDate(), QDate(2001, 8, 2));
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "   ");
    EXPECT_EQ(rows[1]["WHERE"].toString(), "Zoo keeper");
    EXPECT_EQ(rows[1]["WHAT"].toString(), "4 Trips");
    EXPECT_TRUE(rows[1]["PICTURE"].isNull());
    EXPECT_TRUE(rows[1]["LOG"].isNull());
    EXPECT_FALSE(shown(form.SAVEADD, form));
    EXPECT_TRUE(shown(form.SaveEdit, form));
    EXPECT_FALSE(shown(form.File1, form));

    // The second Save now changes the new entry, not the first one of the set.
    form.Text4->setText("Zoo visit");
    form.Text3->setPlainText("lions");
    form.SaveEdit->click();
    rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
    EXPECT_EQ(rows[0]["LOG"].toString(), "windy");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Zoo visit");
    EXPECT_EQ(rows[1]["LOG"].toString(), "lions");
    EXPECT_EQ(form.Data1.recordCount(), 2);
}

TEST_F(EditingTest, SavingChangesValidatesAndKeepsTheStoredLogWhenTheLogBoxIsEmpty)
{
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), "kite.jpg", QString("windy")});
    book.addEntry({QDate(1999, 4, 1), "Boat", "4 Trips", QString("Dad"), "boat.jpg", QString("wet")});
    shell::Mtform1& form = startInEditScreen(1);
    EXPECT_TRUE(shown(form.SaveEdit, form));
    EXPECT_EQ(form.Text4->text(), "Boat");

    form.Text1->setText("not a date");
    form.Text4->setText("Big boat");
    form.SaveEdit->click();
    EXPECT_EQ(prompts().toldTexts(), QStringList({"Please Enter a Valid Date"}));
    EXPECT_EQ(storedEntries()[1]["MYEVENT"].toString(), "Boat"); // nothing stored

    form.Text1->setText("4/2/1999");
    form.Text4->setText("");
    form.SaveEdit->click();
    EXPECT_EQ(prompts().toldTexts().last(), "Please Enter a Title");

    form.Text4->setText("Big boat");
    form.Text3->setPlainText("");
    form.Text2->setText("");
    form.Wheretext->setEditText("Mum");
    form.SaveEdit->click();
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
    shell::Mtform1& form = startInEditScreen();

    form.CMDADD->click();
    form.Text1->setText("8/2/2001");
    form.Text4->setText("Zoo");
    form.Text3->setPlainText("lions");
    form.SAVEADD->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts()[0].contains("not stored"));
    EXPECT_TRUE(prompts().toldTexts()[0].contains("readonly"));
    EXPECT_TRUE(shown(form.SAVEADD, form)); // still adding
    EXPECT_FALSE(shown(form.SaveEdit, form));
    EXPECT_EQ(form.Text4->text(), "Zoo");
    EXPECT_EQ(form.Text3->toPlainText(), "lions");
    EXPECT_FALSE(form.Data1.editing());
    EXPECT_EQ(form.Data1.recordCount(), 1);

    // Changes to an existing entry are refused the same way.
    selectLine(form.ListDB1, 0);
    form.Option3->click();
    form.Text4->setText("Red kite");
    form.SaveEdit->click();
    ASSERT_EQ(prompts().toldTexts().size(), 2);
    EXPECT_TRUE(prompts().toldTexts()[1].contains("not stored"));
    EXPECT_EQ(form.Text4->text(), "Red kite");
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
    shell::Mtform1& form = startInEditScreen(1);

    form.CMDDEL->click();
    auto rows = storedEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Picnic");
    EXPECT_EQ(form.ListDB1->count(), 2);
    EXPECT_EQ(form.ListDB1->currentRow(), -1);
    EXPECT_TRUE(shown(form.SaveEdit, form));
    EXPECT_FALSE(shown(form.SAVEADD, form));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    // No line is selected now: a second Delete deletes nothing, and says so.
    form.CMDDEL->click();
    EXPECT_EQ(storedEntries().size(), 2u);
    EXPECT_EQ(prompts().toldTexts().size(), 1);

    // The boxes still show the deleted entry; its changes have nowhere to go.
    form.SaveEdit->click();
    EXPECT_EQ(prompts().toldTexts().size(), 2);
    rows = storedEntries();
    EXPECT_EQ(rows[0]["MYEVENT"].toString(), "Kite");
    EXPECT_EQ(rows[1]["MYEVENT"].toString(), "Picnic");
}

TEST_F(EditingTest, TheWhoOrWhereListHoldsEachNameOnceAfterTwoDropDowns)
{
    book.setNames({"Grandma", "Lake", "Lily"});
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", QString("Lily"), {}, {}});
    shell::Mtform1& form = startInEditScreen();
    EXPECT_EQ(form.Wheretext->currentText(), "Lily");
    for (int i = 0; i < 2; ++i) {
        form.Wheretext->showPopup();
        form.Wheretext->hidePopup();
    }
    QStringList items;
    for (int i = 0; i < form.Wheretext->count(); ++i)
        items << form.Wheretext->itemText(i);
    EXPECT_EQ(items, QStringList({"Grandma", "Lake", "Lily"}));
    EXPECT_EQ(form.Wheretext->currentText(), "Lily"); // the typed text stays
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
    shell::Mtform1& form = startInEditScreen();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        prompts().fileAnswers.enqueue(book.path(row.name));
        form.CMDADD->click();
        EXPECT_EQ(form.Text1->text(), row.taken.toString("M/d/yyyy"));
        EXPECT_EQ(form.Image8->picture().naturalSize, QSize(80, 60));
        form.Text4->setText(row.name);
        form.SAVEADD->click();
        EXPECT_EQ(storedEntries().back()["DATE"].toDate(), row.taken);
    }
    // A picture without a date keeps today.
    prompts().fileAnswers.enqueue(book.writePicture("scan.jpg", {80, 60}));
    form.CMDADD->click();
    EXPECT_EQ(form.Text1->text(), "7/4/2001");
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}
