// Start-up from the intro window to the first entry on screen, on real scrapbook folders.
#include "ServerDatabase.h"
#include "JetTestFiles.h"
#include "ProgramTest.h"

#include "store/ScrapbookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

using namespace wk;
using namespace wk::testing;

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

using StartUp = ProgramTest;

} // namespace

TEST_F(StartUp, MissingScrapbookIsOfferedAndCreatedOnYes)
{
    WK_ONLY_ON_A_FILE("a folder without its file");
    ASSERT_TRUE(QFile::remove(book.databasePath()));
    start(); // answers No
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_FALSE(QFile::exists(book.databasePath()));
    for (const auto& [k, caption] : {std::pair{1, "Events"}, {3, "Family"}, {5, "Calendar Items"}})
        EXPECT_EQ(widgets().categoryButtons[k]->text(), caption); // the design's captions

    start({true});
    EXPECT_EQ(store::inspectFile(book.databasePath()), store::FileKind::Scrapbook);
    EXPECT_EQ(widgets().categoryButtons[4]->text(), "4 Trips");
    EXPECT_EQ(listLines(widgets().nameList), QStringList{"*All Pictures"});
}

TEST_F(StartUp, AFileThatIsNoScrapbookIsReportedAndLeftAlone)
{
    WK_ONLY_ON_A_FILE("a file that is no scrapbook");
    QFile notes(book.databasePath());
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly | QIODevice::Truncate) && notes.write("just some notes") > 0);
    notes.close();
    start();
    ASSERT_EQ(prompts().toldTexts().size(), 1);
    EXPECT_TRUE(prompts().toldTexts()[0].contains("not a scrapbook database"));
    EXPECT_EQ(fileBytes(book.databasePath()), QByteArray("just some notes"));
}

TEST_F(StartUp, RelativeNamesAreTheProgramFoldersWhateverTheWorkingFolder)
{
    // The working folder holds pictures of the same names: every relative name is the program
    // folder's, and the working folder is never changed.
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

    start();
    if (!book.onServer()) { // a server scrapbook's title is its database@host
        EXPECT_EQ(form().windowTitle(), "Wanderkeep - " + QDir::toNativeSeparators(book.dir()));
    }
    EXPECT_EQ(widgets().bigImage->picture().file, kite);
    EXPECT_EQ(form().findChild<QWidget*>("cdform"), nullptr) << "the disc folder was found";
    selectLine(widgets().entryList, 1);
    EXPECT_EQ(widgets().bigImage->picture().file, far);
    selectLine(widgets().entryList, 2);
    EXPECT_EQ(widgets().bigImage->picture().file, onDisc);

    widgets().timelineButton->click(); // the strip
    EXPECT_EQ(widgets().stripSlots[1]->picture().file, kite);
    EXPECT_EQ(widgets().stripSlots[2]->picture().file, far);
    EXPECT_EQ(widgets().stripSlots[3]->picture().file, onDisc);

    widgets().editScreenButton->click(); // the edit screen
    widgets().addButton->click();        // its picture dialog opens on the program folder; cancelled
    ASSERT_FALSE(prompts().asked.isEmpty());
    EXPECT_EQ(prompts().asked.last().request.directory, book.dir());
    EXPECT_EQ(QDir::currentPath(), QDir(elsewhere.path()).canonicalPath());
}

namespace {

// A program folder whose Velmora.mdb is an Access file, as it was before the conversion.
class AccessStartUp : public StartUp {
protected:
    void SetUp() override
    {
        QFile::remove(book.databasePath());
        jet = copyAsScrapbook(book.dir(), QStringLiteral("nwind.mdb"));
        if (jet.isEmpty())
            GTEST_SKIP() << "no Access file to try";
        before = fileBytes(jet);
    }

    QString jet;
    QByteArray before;
};

} // namespace

TEST_F(AccessStartUp, IsOfferedForConversionAndNoLeavesItAloneButClearsAKilledConversionAndYesConverts)
{
    WK_ONLY_ON_A_FILE("an Access file beside it");
    for (const char* name :
         {"Velmora.mdb.converting-aBcDeF", "Velmora.mdb.converting-abcdefg", "Velmora.mdb.converting-abc"}) {
        QFile f(book.path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the start of a half-written scrapbook");
    }
    start(); // the offer is answered No
    ASSERT_EQ(prompts().asked.size(), 1);
    EXPECT_EQ(fileBytes(jet), before);
    const QStringList kept{"Velmora.mdb.converting-abc", "Velmora.mdb.converting-abcdefg"};
    EXPECT_EQ(QDir(book.dir()).entryList(QDir::Files, QDir::Name), QStringList{"Velmora.mdb"} + kept);
    EXPECT_EQ(widgets().entryList->count(), 0);

    start({true}); // the offer, then the count; the converted file opens without a complaint
    ASSERT_EQ(prompts().asked.size(), 2);
    EXPECT_TRUE(prompts().asked[1].text.startsWith("0 entries were converted."))
        << prompts().asked[1].text.toStdString();
    EXPECT_EQ(store::inspectFile(book.databasePath()), store::FileKind::Scrapbook);
    EXPECT_EQ(QDir(book.dir()).entryList(QDir::Files, QDir::Name),
              QStringList({"Velmora (Access original).mdb", "Velmora.mdb"}) + kept);
    EXPECT_EQ(fileBytes(book.path("Velmora (Access original).mdb")), before);
}
