// "Add", both "Save" buttons, "Delete" and the who-or-where list of the edit screen.
#include "EditingFixture.h"
#include "PictureTools.h"

#include "SqliteRows.h"
#include "controls/DropDownCombo.h"
#include "editing/PictureFiles.h"

#include <QFile>

using namespace wk;
using wk::testing::EditingTest;
using wk::testing::px;
using wk::testing::selectLine;

TEST_F(EditingTest, AddClearsTheBoxesAndPreviewsTheChosenPictureInItsLayout)
{
    addKite();
    book.setNames({"Grandma", "Lake", "Lily"});
    const QString wide = book.writePicture("camera/wide.jpg", {300, 200});
    const QString tall = book.writePicture("camera/tall.bmp", {200, 300});
    const QString square = book.writePicture("camera/square.jpg", {250, 250});
    QFile text(book.path("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
    text.close();
    shell::MainWindow& form = startInEditScreen();
    const auto& w = widgets();
    // The who-or-where list holds each name once after two drop-downs, and keeps the text.
    for (int i = 0; i < 2; ++i) {
        w.nameCombo->showPopup();
        w.nameCombo->hidePopup();
    }
    EXPECT_EQ(w.nameCombo->count(), 3);
    EXPECT_EQ(w.nameCombo->currentText(), "Lily");

    w.addButton->click(); // cancelled: the boxes are cleared for a new entry, nothing is said
    EXPECT_EQ(w.dateEdit->text(), "7/4/2001");
    for (QString text : {w.pictureEdit->text(), w.logEdit->toPlainText(), w.titleEdit->text(),
                         w.nameCombo->currentText(), w.categoryCombo->currentText()})
        EXPECT_EQ(text, "");
    EXPECT_TRUE(shown(w.saveNewButton) && !shown(w.saveChangesButton) && !shown(w.deleteButton));

    // A square picture keeps the layout of the one before.
    const struct {
        QString file;
        QSize size;
        int image, frame;
    } pictures[] = {
        {wide, {300, 200}, 4675, 4925}, {tall, {200, 300}, 2400, 2650}, {square, {250, 250}, 2400, 2650}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.file.toStdString());
        prompts().fileAnswers.enqueue(p.file);
        w.addButton->click();
        EXPECT_EQ(w.pictureEdit->text(), p.file);
        EXPECT_EQ(w.bigImage->picture().naturalSize, p.size);
        EXPECT_EQ(w.bigImage->width(), px(p.image));
        EXPECT_EQ(w.bigPictureFrame->width(), px(p.frame));
    }
    EXPECT_EQ(form.pictureFiles().listedFolder(), book.path("camera/"));
    EXPECT_EQ(form.pictureFiles().listedNames(), QStringList({"square.jpg", "tall.bmp", "wide.jpg"}));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    prompts().fileAnswers.enqueue(book.path("notes.txt")); // no picture: the loader says why
    w.addButton->click();
    EXPECT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_EQ(w.pictureEdit->text(), book.path("notes.txt"));
}

TEST_F(EditingTest, SavingANewEntryChecksTheDateAndTitleThenStoresItAndPassesToEditing)
{
    addKite();
    startInEditScreen();
    const auto& w = widgets();
    w.addButton->click();
    const struct {
        const char *date, *title, *told;
    } refused[] = {{"2/30/1999", "Zoo", "Please Enter a Valid Date"},
                   {"8/2/2001", "", "Please Enter a Title"}};
    for (const auto& r : refused) {
        w.dateEdit->setText(r.date);
        w.titleEdit->setText(r.title);
        w.saveNewButton->click();
        EXPECT_EQ(prompts().toldTexts().last(), r.told);
        EXPECT_EQ(prompts().asked.last().icon, controls::MessageIcon::Exclamation);
    }
    EXPECT_EQ(storedEntries().size(), 1u);
    EXPECT_TRUE(shown(w.saveNewButton));

    // A title of blanks is a title; empty picture and log boxes leave those fields null.
    w.titleEdit->setText("   ");
    w.nameCombo->setEditText("Zoo keeper");
    w.categoryCombo->setEditText("4 Trips");
    w.saveNewButton->click();
    EXPECT_EQ(prompts().toldTexts().size(), 2);
    EXPECT_EQ(store::testing::rowsOf(book.databasePath(), "SELECT * FROM MYLIFE"),
              QStringList({"1999-03-01|Kite|2 School|Lily|kite.jpg|windy",
                           "2001-08-02|   |4 Trips|Zoo keeper|<null>|<null>"}));
    EXPECT_TRUE(!shown(w.saveNewButton) && shown(w.saveChangesButton));

    // The second Save now changes the new entry, not the first one of the set; an empty log box
    // keeps the stored log.
    w.titleEdit->setText("Zoo visit");
    w.saveChangesButton->click();
    EXPECT_EQ(store::testing::rowsOf(book.databasePath(), "SELECT MYEVENT, LOG FROM MYLIFE"),
              QStringList({"Kite|windy", "Zoo visit|<null>"}));
    w.dateEdit->setText("not a date");
    w.saveChangesButton->click();
    EXPECT_EQ(prompts().toldTexts().last(), "Please Enter a Valid Date");
}

TEST_F(EditingTest, DeleteRemovesOnlyTheSelectedEntry)
{
    for (const char* title : {"Kite", "Boat", "Picnic"})
        book.addEntry({QDate(1999, 3, 1), title});
    startInEditScreen(1);
    const auto& w = widgets();
    w.deleteButton->click();
    EXPECT_EQ(storedTitles(), QStringList({"Kite", "Picnic"}));
    EXPECT_EQ(w.entryList->count(), 2);
    EXPECT_EQ(w.entryList->currentRow(), -1);
    EXPECT_TRUE(shown(w.saveChangesButton));
    EXPECT_TRUE(prompts().toldTexts().isEmpty());

    // No line is selected now: a second Delete deletes nothing, and says so; the boxes still
    // show the deleted entry, whose changes have nowhere to go.
    w.deleteButton->click();
    w.saveChangesButton->click();
    EXPECT_EQ(prompts().toldTexts().size(), 2);
    EXPECT_EQ(storedTitles(), QStringList({"Kite", "Picnic"}));
}

TEST_F(EditingTest, AddDatesACameraPictureByTheDayItWasTaken)
{
    if (!wk::testing::havePictureTools())
        GTEST_SKIP() << "ImageMagick's convert or exiftool is not installed";
    book.addEntry({QDate(1999, 3, 1), "Kite"});
    QImage landscape(80, 60, QImage::Format_RGB32);
    landscape.fill(Qt::green);
    const struct {
        const char* name;
        QDate taken;
    } rows[] = {{"beach.jpg", QDate(2019, 8, 15)}, {"phone.heic", QDate(2023, 12, 3)}, {"scan.jpg", {}}};
    for (const auto& row : rows) {
        ASSERT_TRUE(wk::testing::writeWithConvert(landscape, book.path(row.name)));
        const QString taken = row.taken.toString("yyyy:MM:dd") + " 09:30:00";
        ASSERT_TRUE(!row.taken.isValid() ||
                    wk::testing::writeExif(book.path(row.name), {"-DateTimeOriginal=" + taken}));
    }
    startInEditScreen();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        prompts().fileAnswers.enqueue(book.path(row.name));
        widgets().addButton->click();
        const QDate day = row.taken.isValid() ? row.taken : today; // a picture without a date keeps today
        EXPECT_EQ(widgets().dateEdit->text(), day.toString("M/d/yyyy"));
        EXPECT_EQ(widgets().bigImage->picture().naturalSize, QSize(80, 60));
        widgets().titleEdit->setText(row.name);
        widgets().saveNewButton->click();
        EXPECT_EQ(storedEntries().back()["DATE"].toDate(), day);
    }
    EXPECT_TRUE(prompts().toldTexts().isEmpty());
}
