// Start-up from the intro window to the first entry on screen, on real scrapbook folders.
#include "JetTestFiles.h"
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "store/ScrapbookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::copyAsScrapbook;
using wk::testing::EntryRow;
using wk::testing::fileBytes;
using wk::testing::listLines;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

// Makes `folder` the process's working folder while it lives (the program itself never does).
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& folder) : previous_(QDir::currentPath())
    {
        EXPECT_TRUE(QDir::setCurrent(folder));
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

QStringList captions(shell::MainWindow& form)
{
    QStringList out;
    for (int k = 1; k <= 5; ++k)
        out << form.widgets().categoryButtons[k]->text();
    return out;
}

} // namespace

TEST(StartUp, ShowsCategoriesTitlesAndTheFirstEntry)
{
    TestScrapbook book;
    book.setCategories({"1 Events  ", "2 School", "3 Family", "4 Trips", "5 Calendar Items", "6 Extra"});
    const QString picture = book.writePicture("pics/first.jpg", {400, 300});
    book.addEntry({QDate(1998, 6, 15), "First day", "1 Events", QString("Mom"), picture, QString("A log")});
    book.addEntry({QDate(1998, 7, 4), "Fireworks", "1 Events", {}, {}, {}});
    book.addEntry({QDate(1998, 7, 4), "Fireworks", "2 School", {}, {}, {}});

    StartedProgram program(book.dir());
    program.start();
    shell::MainWindow& form = program.form();

    EXPECT_EQ(captions(form), QStringList({"1 Events", "2 School", "3 Family", "4 Trips", "Calendar Items"}));
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList({"First day", "Fireworks", "Fireworks"}));
    EXPECT_EQ(form.lineBookmarks().size(), 3);
    EXPECT_EQ(form.widgets().entryList->currentRow(), 0);
    EXPECT_EQ(form.widgets().bigImage->picture().file, picture);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "A log");
    EXPECT_EQ(form.widgets().entryNameLabel->text(), "Mom");
    EXPECT_TRUE(program.prompts.asked.isEmpty());
}

TEST(StartUp, EmptyEntryTableCapitalisedFileNameAndFewerCategoryRows)
{
    TestScrapbook book;
    book.setCategories({"1 Outings"});
    ASSERT_TRUE(QFile::rename(book.databasePath(), book.path("VELMORA.MDB")));
    StartedProgram program(book.dir());
    program.start();
    EXPECT_EQ(program->widgets().entryList->count(), 0);
    EXPECT_EQ(program->lineBookmarks(), QStringList{QString()});
    EXPECT_TRUE(program->widgets().bigImage->picture().isNull());
    // The file was found: its one category row takes the first caption, the design keeps the rest.
    EXPECT_EQ(captions(program.form()),
              QStringList({"1 Outings", "School", "Family", "Trips", "Calendar Items"}));
}

TEST(StartUp, MissingScrapbookIsOfferedAndCreatedOnYes)
{
    TestScrapbook folder(false);
    {
        StartedProgram program(folder.dir());
        program.start(); // answers No
        ASSERT_EQ(program.prompts.asked.size(), 1);
        EXPECT_EQ(program.prompts.asked[0].kind, "yesno");
        EXPECT_FALSE(QFile::exists(folder.databasePath()));
        EXPECT_EQ(captions(program.form()),
                  QStringList({"Events", "School", "Family", "Trips", "Calendar Items"}));
        EXPECT_EQ(program->widgets().entryList->count(), 0);
    }
    StartedProgram program(folder.dir());
    program.prompts.yesNoAnswers.enqueue(true);
    program.start();
    EXPECT_EQ(store::inspectFile(folder.databasePath()), store::FileKind::Scrapbook);
    EXPECT_EQ(program->widgets().categoryButtons[4]->text(), "4 Trips");
    EXPECT_EQ(program->widgets().nameList->count(), 1);
    EXPECT_EQ(program->widgets().nameList->item(0)->text(), "*All Pictures");
}

TEST(StartUp, AFileThatIsNoScrapbookIsReportedAndLeftAlone)
{
    TestScrapbook folder(false);
    QFile notes(folder.databasePath());
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("just some notes, not a database") > 0);
    notes.close();
    StartedProgram program(folder.dir());
    program.start();
    ASSERT_EQ(program.prompts.toldTexts().size(), 1);
    EXPECT_TRUE(program.prompts.toldTexts()[0].contains("not a scrapbook database"));
    EXPECT_EQ(fileBytes(folder.databasePath()), QByteArray("just some notes, not a database"));
    EXPECT_EQ(program->widgets().entryList->count(), 0);
}

TEST(StartUp, RelativeNamesAreTheProgramFoldersWhateverTheWorkingFolder)
{
    // The process works in another folder that holds pictures of the same names: the program
    // must take every relative name from its own folder and never change the working folder.
    TestScrapbook book;
    const QString kite = book.writePicture("kite.jpg", {400, 300});
    const QString far = book.writePicture("bmp/far.bmp", {300, 400});
    const QString onDisc = book.writePicture("disc/bmp/tree.jpg", {200, 200});
    book.setDisc("disc", "Y"); // a root relative to the program folder, confirmed at start-up
    book.addEntry({QDate(1999, 3, 1), "Kite", "2 School", {}, "kite.jpg", {}});
    book.addEntry({QDate(1999, 3, 2), "Far", "2 School", {}, "bmp\\far.bmp", {}});
    book.addEntry({QDate(1999, 3, 3), "Tree", "2 School", {}, "%\\bmp\\tree.jpg", {}});
    QTemporaryDir elsewhere;
    for (const char* decoy : {"kite.jpg", "bmp/far.bmp"}) { // and no disc folder
        const QString file = elsewhere.filePath(decoy);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(file));
    }
    const WorkingFolder working(elsewhere.path());

    StartedProgram program(book.dir());
    program.start();
    EXPECT_EQ(program->widgets().bigImage->picture().file, kite);
    EXPECT_EQ(program->findChild<QWidget*>("cdform"), nullptr) << "the disc folder was found";
    selectLine(program->widgets().entryList, 1);
    EXPECT_EQ(program->widgets().bigImage->picture().file, far);
    selectLine(program->widgets().entryList, 2);
    EXPECT_EQ(program->widgets().bigImage->picture().file, onDisc);

    program->widgets().timelineButton->click(); // the strip
    EXPECT_EQ(program->widgets().stripSlots[1]->picture().file, kite);
    EXPECT_EQ(program->widgets().stripSlots[2]->picture().file, far);
    EXPECT_EQ(program->widgets().stripSlots[3]->picture().file, onDisc);

    program->widgets().editScreenButton->click(); // the edit screen
    program->widgets().addButton->click();        // its picture dialog opens on the program folder; cancelled
    ASSERT_FALSE(program.prompts.asked.isEmpty());
    EXPECT_EQ(program.prompts.asked.last().request.directory, book.dir());
    EXPECT_EQ(QDir::currentPath(), QDir(elsewhere.path()).canonicalPath());
}

namespace {

// A program folder whose Velmora.mdb is an Access file, as it was before the conversion.
class AccessStartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        jet = copyAsScrapbook(folder.dir(), QStringLiteral("nwind.mdb"));
        if (jet.isEmpty())
            GTEST_SKIP() << "no Access file to try";
        before = fileBytes(jet);
    }

    TestScrapbook folder{false};
    QString jet;
    QByteArray before;
};

} // namespace

TEST_F(AccessStartUp, IsOfferedForConversionAndNoLeavesItAloneButClearsAKilledConversion)
{
    for (const char* name :
         {"Velmora.mdb.converting-aBcDeF", "Velmora.mdb.converting-abcdefg", "Velmora.mdb.converting-abc"}) {
        QFile f(folder.path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the start of a half-written scrapbook");
    }
    StartedProgram program(folder.dir());
    program.start(); // the offer is answered No
    ASSERT_EQ(program.prompts.asked.size(), 1);
    EXPECT_EQ(program.prompts.asked[0].kind, "yesno");
    EXPECT_EQ(fileBytes(jet), before);
    EXPECT_EQ(QDir(folder.dir()).entryList(QDir::Files, QDir::Name),
              QStringList({"Velmora.mdb", "Velmora.mdb.converting-abc", "Velmora.mdb.converting-abcdefg"}));
    EXPECT_EQ(program->widgets().entryList->count(), 0);
}

TEST_F(AccessStartUp, IsConvertedOnYesAndOpensInTheMainWindow)
{
    StartedProgram program(folder.dir());
    program.prompts.yesNoAnswers.enqueue(true);
    program.start();
    // The offer, then the count; the converted file opened without a complaint.
    ASSERT_EQ(program.prompts.asked.size(), 2);
    EXPECT_TRUE(program.prompts.asked[1].text.startsWith("0 entries were converted."))
        << program.prompts.asked[1].text.toStdString();
    EXPECT_TRUE(program.prompts.asked[1].text.contains("Velmora (Access original).mdb"));
    EXPECT_EQ(store::inspectFile(folder.databasePath()), store::FileKind::Scrapbook);
    EXPECT_EQ(QDir(folder.dir()).entryList(QDir::Files, QDir::Name),
              QStringList({"Velmora (Access original).mdb", "Velmora.mdb"}));
    EXPECT_EQ(fileBytes(folder.path("Velmora (Access original).mdb")), before);
    EXPECT_EQ(program->widgets().entryList->count(), 0);
}
