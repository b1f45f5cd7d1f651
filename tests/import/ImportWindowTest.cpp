// Import from the Edit Screen: the questions asked, the new entries on screen, the summary, one
// undo step for the whole import, and the progress window's texts.
#include "ImportFiles.h"
#include "ProgramTest.h"
#include "ServerDatabase.h"

#include "controls/DropDownCombo.h"
#include "import/ImportWindow.h"
#include "import/PictureImport.h"
#include "shell/EntryUndo.h"

#include <QLabel>

using namespace wk::testing;

class ImportWindowTest : public ProgramTest {};

TEST_F(ImportWindowTest, ImportAsksFolderAndCopyThenShowsTheNewEntriesAndUndoesThemAsOneStep)
{
    book.addEntry(EntryRow(QDate(1999, 1, 1), "Old picnic"));
    QTemporaryDir source;
    writeJpeg(source.filePath("Beach/IMG_1.jpg"), {400, 300}, Qt::blue, {2023, 7, 15});
    writeJpeg(source.filePath("Beach/IMG_2.jpg"), {400, 300}, Qt::green, {2023, 7, 16});
    writeJpeg(source.filePath("Beach/IMG_3.jpg"), {400, 300}, Qt::red, {2023, 7, 17});
    start();
    // A folder that is not there is told, and nothing is written.
    prompts().fileAnswers << book.path("no such folder");
    widgets().importButton->click();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts().first().contains("does not exist"));
    EXPECT_EQ(storedEntries().size(), 1u);
    EXPECT_FALSE(form().entryUndo().stack().canUndo());
    prompts().asked.clear();

    widgets().editScreenButton->click();
    widgets().categoryCombo->setEditText(QStringLiteral("2 Trips"));
    widgets().nameCombo->setEditText(QStringLiteral("Anna"));
    prompts().fileAnswers << source.path();
    // A server scrapbook's import always copies, so it does not ask.
    const bool asksToCopy = !wk::testing::runsOnServer();
    if (asksToCopy)
        prompts().yesNoAnswers << true;
    widgets().importButton->click();

    ASSERT_EQ(prompts().asked.size(), asksToCopy ? 3 : 2);
    EXPECT_EQ(prompts().asked[0].kind, "folder");
    if (asksToCopy) {
        EXPECT_TRUE(prompts().asked[1].kind == "yesno" && prompts().asked[1].defaultNo)
            << "a folder in the home is left in place by default";
    }
    EXPECT_EQ(prompts().toldTexts(), QStringList{"Imported 3 pictures."});
    const std::vector<QVariantMap> stored = storedEntries();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[1]["MYEVENT"].toString(), "Beach");
    EXPECT_EQ(stored[1]["WHAT"].toString(), "2 Trips");
    EXPECT_EQ(stored[1]["WHERE"].toString(), "Anna");
    EXPECT_EQ(stored[1]["PICTURE"].toString(), "pictures/2023/07/IMG_1.jpg");
    // All Pictures, in date order, with the first imported entry on screen.
    EXPECT_EQ(listLines(widgets().entryList).mid(0, 4),
              QStringList({"Old picnic", "Beach", "Beach", "Beach"}));
    EXPECT_EQ(widgets().entryList->currentRow(), 1);
    EXPECT_EQ(widgets().titleEdit->text(), "Beach") << "the Edit Screen's boxes show the entry on screen";
    EXPECT_EQ(widgets().pictureEdit->text(), "pictures/2023/07/IMG_1.jpg");
    EXPECT_TRUE(widgets().bigImage->picture().file.endsWith("pictures/2023/07/IMG_1.jpg"))
        << widgets().bigImage->picture().file.toStdString();

    form().entryUndo().undo();
    EXPECT_EQ(storedEntries().size(), 1u);
    EXPECT_TRUE(QFile::exists(book.path("pictures/2023/07/IMG_2.jpg"))) << "undo leaves picture files alone";
    form().entryUndo().redo();
    EXPECT_EQ(storedEntries().size(), 4u);
    form().entryUndo().undo();
    EXPECT_EQ(storedEntries().size(), 1u);
}

TEST(ImportProgressWindow, CountsTheFilesTellsTheTimeLeftAndCancels)
{
    wk::importing::ImportWindow window(nullptr);
    wk::importing::ImportState progress;
    progress.done = 3;
    progress.total = 10;
    progress.currentFile = QStringLiteral("/media/anna/CARD/DCIM/IMG_3.jpg");
    progress.elapsedMs = 3000;
    window.showProgress(progress);
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("3 of 10 pictures"));
    EXPECT_TRUE(texts.contains("About 7 seconds left"));
    EXPECT_EQ(wk::importing::timeLeftText(150'000), "About 3 minutes left");
    EXPECT_EQ(wk::importing::timeLeftText(-1), "");
    EXPECT_FALSE(window.cancelled());
    window.show();
    window.findChild<QPushButton*>()->click();
    EXPECT_TRUE(window.cancelled());
    EXPECT_TRUE(window.isVisible()) << "Cancel waits for the pictures under way";
    window.finish();
    EXPECT_FALSE(window.isVisible());
}
