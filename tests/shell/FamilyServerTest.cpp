// Opening the scrapbook on the family's server from a running program: the address asked in a
// form, a password asked only when the server wants one (and never kept), and the window on the
// file giving way to one on the server. Against the test run's real server.
#include "EnvironmentSetting.h"
#include "ScriptedPrompts.h"
#include "ServerDatabase.h"
#include "StartedProgram.h"

#include "dialogs/PictureDiscWindow.h"
#include "shell/FamilyServer.h"
#include "shell/ServerFolder.h"
#include "shell/MainWindow.h"
#include "shell/ScrapbookChoice.h"
#include "shell/ScrapbookWindows.h"
#include "shell/UserSettings.h"
#include "store/Clock.h"
#include "store/Engine.h"
#include "store/ScrapbookFile.h"
#include "store/postgres/PostgresEngine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::ScriptedPrompts;
using wk::testing::ServerDatabase;

namespace {

// The settings file's whole text, where a kept password would show.
QString settingsText()
{
    QFile file(shell::userSettings().fileName());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A scrapbook in `database` holding one entry titled `title`; then `more` (rights given to another
// role, another entry) is run by the scrapbook's owner.
void scrapbookWithOneEntry(const ServerDatabase& database, const QString& title, const QString& more)
{
    store::createScrapbook(database.uri());
    const auto owner = store::openEngine(database.uri());
    const auto add = owner->prepare("INSERT INTO \"MYLIFE\" (\"DATE\", \"MYEVENT\", \"WHAT\") VALUES "
                                    "('2001-05-06', ?, '1 Events')",
                                    "add");
    add->bind(1, title);
    add->step("add");
    owner->exec(more, "more");
}

} // namespace

TEST(FamilyServer, APasswordIsAskedOnlyWhenWantedAgainWhenWrongAndNeverWritten)
{
    if (!wk::testing::runsOnServer())
        GTEST_SKIP() << "needs the run's server";
    ServerDatabase database;
    const QString address =
        shell::familyServerAddress(database.socketFolder(), database.name(), "wk_password");

    ScriptedPrompts cancelled; // no answer: the form is cancelled and nothing opens
    EXPECT_FALSE(shell::withServerPassword(store::ScrapbookLocation(address), cancelled).has_value());
    EXPECT_EQ(cancelled.asked.size(), 1);

    ScriptedPrompts prompts;
    prompts.textAnswers.enqueue({"wrong"});
    prompts.textAnswers.enqueue({"right password"});
    const auto located = shell::withServerPassword(store::ScrapbookLocation(address), prompts);
    ASSERT_TRUE(located.has_value());
    EXPECT_EQ(located->password(), "right password");
    ASSERT_EQ(prompts.textFields.size(), 2);
    EXPECT_TRUE(prompts.textFields[0].at(0).secret);
    EXPECT_TRUE(prompts.asked[1].text.contains("That password was not accepted."))
        << prompts.asked[1].text.toStdString();
    EXPECT_NO_THROW(store::openEngine(*located));

    shell::rememberScrapbookFolder(located->text());
    EXPECT_FALSE(settingsText().contains("right password"));
    EXPECT_TRUE(settingsText().contains("wk_password"));

    // Every later opening in this run (each part of the window opens its own) signs in with it.
    ScriptedPrompts later;
    EXPECT_TRUE(shell::withServerPassword(store::ScrapbookLocation(address), later).has_value());
    EXPECT_TRUE(later.asked.isEmpty());
    EXPECT_NO_THROW(store::openEngine(store::ScrapbookLocation(address)));

    ScriptedPrompts trusted; // a role the server trusts is never asked
    const QString plain = shell::familyServerAddress(database.socketFolder(), database.name(), "wk");
    EXPECT_EQ(shell::withServerPassword(store::ScrapbookLocation(plain), trusted)->password(), QString());
    EXPECT_TRUE(trusted.asked.isEmpty());
}

TEST(FamilyServer, TheEditScreensButtonOpensTheServersScrapbookWithItsPasswordInPlaceOfTheFile)
{
    if (!wk::testing::runsOnServer())
        GTEST_SKIP() << "needs the run's server";
    QTemporaryDir folder, share;
    store::createScrapbook(QDir(folder.path()).filePath("Velmora.mdb"));
    ServerDatabase database;
    scrapbookWithOneEntry(database, "On the server",
                          "GRANT ALL ON ALL TABLES IN SCHEMA public TO wk_password; "
                          "GRANT ALL ON ALL SEQUENCES IN SCHEMA public TO wk_password");

    ScriptedPrompts prompts;
    const store::FixedClock clock(QDate(2002, 1, 1));
    shell::ScrapbookWindows windows(prompts, clock);
    bool ended = false;
    QObject::connect(&windows, &shell::ScrapbookWindows::ended, [&] { ended = true; });
    windows.open(store::ScrapbookLocation(folder.path()));
    ASSERT_NE(windows.window(), nullptr);
    EXPECT_EQ(windows.window()->windowTitle(), "Wanderkeep - " + QDir::toNativeSeparators(folder.path()));

    // Cancelled: the window stays on its file.
    windows.window()->widgets().serverButton->click();
    QApplication::processEvents();
    EXPECT_EQ(windows.window()->windowTitle(), "Wanderkeep - " + QDir::toNativeSeparators(folder.path()));

    prompts.textAnswers.enqueue({database.socketFolder(), database.name(), "wk_password"});
    prompts.textAnswers.enqueue({"right password"}); // every part of the window opens with it
    prompts.fileAnswers.enqueue(share.path());       // this computer's folder for it
    windows.window()->widgets().serverButton->click();
    wk::testing::waitUntil([&] { return windows.window()->windowTitle().contains('@'); });
    EXPECT_EQ(windows.window()->windowTitle(),
              QStringLiteral("Wanderkeep - %1@%2").arg(database.name(), database.socketFolder()));
    EXPECT_EQ(windows.window()->entries().field("MYEVENT").toString(), "On the server");
    EXPECT_EQ(windows.window()->programDirectory(), share.path());
    EXPECT_FALSE(ended);

    // The program ends when that window closes, and the server scrapbook opens at the next start.
    windows.window()->close();
    QApplication::processEvents();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(shell::chooseScrapbookFolder({}, QDir::tempPath(), prompts)->contains(database.name()));
}

TEST(FamilyServer, AnAccountThatMayOnlyReadSeesEverythingAndChangesNothing)
{
    if (!wk::testing::runsOnServer())
        GTEST_SKIP() << "needs the run's server";
    ServerDatabase database;
    scrapbookWithOneEntry(database, "Kite", "GRANT SELECT ON ALL TABLES IN SCHEMA public TO wk_viewer");
    QTemporaryDir folder;
    wk::testing::StartedProgram program(
        store::ScrapbookLocation(
            shell::familyServerAddress(database.socketFolder(), database.name(), "wk_viewer"))
            .withFolder(folder.path()));
    program.start();
    const auto& w = program.form().widgets();
    EXPECT_EQ(program.form().entries().field("MYEVENT").toString(), "Kite");
    for (const QPushButton* change : {w.addButton, w.deleteButton, w.importButton, w.nameListButton})
        EXPECT_FALSE(change->isEnabled()) << change->objectName().toStdString();

    // A key that would delete says why it cannot, and the entry stays.
    program.prompts.yesNoAnswers.enqueue(true);
    wk::testing::selectLine(w.entryList, 0);
    QTest::keyClick(w.entryList, Qt::Key_Delete);
    ASSERT_FALSE(program.prompts.toldTexts().isEmpty());
    EXPECT_TRUE(program.prompts.toldTexts().last().contains("This scrapbook is open for reading only"))
        << program.prompts.toldTexts().last().toStdString();
    EXPECT_EQ(database.rows("SELECT count(*) FROM mylife"), QStringList({"1"}));
}

TEST(FamilyServer, AnotherComputersChangesShowWithoutAClickAndAnIdleWindowAsksNothing)
{
    if (!wk::testing::runsOnServer())
        GTEST_SKIP() << "needs the run's server";
    ServerDatabase database;
    scrapbookWithOneEntry(database, "Kite",
                          "INSERT INTO \"MYLIFE\" (\"DATE\", \"MYEVENT\", \"WHAT\") VALUES "
                          "('2002-02-02', 'Lake', '1 Events')");
    QTemporaryDir folder;
    wk::testing::StartedProgram program(store::ScrapbookLocation(database.uri()).withFolder(folder.path()));
    program.start();
    const auto& w = program.form().widgets();
    ASSERT_EQ(wk::testing::listLines(w.entryList), QStringList({"Kite", "Lake"}));
    wk::testing::selectLine(w.entryList, 1);
    const qint64 lake = program.form().lineBookmarks().ids().at(1);

    const auto waitFor = [](const std::function<bool()>& done) { wk::testing::waitUntil(done, 5000); };
    const qint64 before = store::postgres::roundTripsSoFar();
    waitFor([] { return false; }); // idle: nothing is asked of the server
    EXPECT_EQ(store::postgres::roundTripsSoFar(), before);

    // Another computer (another connection) deletes one entry and adds one: the list shows it by
    // itself, with the entry on screen still on screen.
    store::openEngine(database.uri())
        ->exec("DELETE FROM \"MYLIFE\" WHERE \"MYEVENT\" = 'Kite'; INSERT INTO \"MYLIFE\" (\"DATE\", "
               "\"MYEVENT\", \"WHAT\") VALUES ('2003-03-03', 'Zoo', '1 Events')",
               "change");
    waitFor([&] { return wk::testing::listLines(w.entryList).contains("Zoo"); });
    EXPECT_EQ(wk::testing::listLines(w.entryList), QStringList({"Lake", "Zoo"}));
    ASSERT_GE(w.entryList->currentRow(), 0);
    EXPECT_EQ(program.form().lineBookmarks().ids().at(w.entryList->currentRow()), lake);
}

// Each computer keeps its own folder for a server scrapbook's pictures, changed from the Edit
// Screen, and its own picture disc folder: neither is written into the shared database.
TEST(FamilyServer, ThisComputersPictureAndDiscFoldersAreItsOwnAndChangeable)
{
    if (!wk::testing::runsOnServer())
        GTEST_SKIP() << "needs the run's server";
    ServerDatabase database;
    scrapbookWithOneEntry(database, "Kite", "UPDATE cddrive SET cd = '/media/family', new = 'N'");
    QTemporaryDir first, second, home;
    const wk::testing::EnvironmentSetting ownHome("HOME", QFile::encodeName(home.path()));
    shell::rememberServerFolder(store::ScrapbookLocation(database.uri()), first.path());

    ScriptedPrompts prompts;
    const store::FixedClock clock(QDate(2002, 1, 1));
    shell::ScrapbookWindows windows(prompts, clock);
    windows.open(*shell::withThisComputersFolder(store::ScrapbookLocation(database.uri()), prompts));
    ASSERT_NE(windows.window(), nullptr);
    const auto* w = &windows.window()->widgets();
    EXPECT_EQ(windows.window()->programDirectory(), first.path());
    EXPECT_EQ(windows.window()->pictureRoot().text(), "/media/family") << "it starts from the scrapbook's";
    EXPECT_EQ(windows.window()->findChild<dialogs::PictureDiscWindow*>("cdform"), nullptr);

    // The disc folder typed here stays on this computer.
    w->discDriveButton->click();
    auto* disc = windows.window()->findChild<dialogs::PictureDiscWindow*>("cdform");
    ASSERT_NE(disc, nullptr);
    disc->folderEdit->setText("/media/cdrom");
    disc->okButton->click();
    EXPECT_EQ(database.rows("SELECT cd FROM cddrive"), QStringList{"/media/family"});
    store::ConnectionPool pool;
    store::DataSource kept(pool, "kept");
    kept.setDatabaseName(shell::pictureDiscDatabase(store::ScrapbookLocation(database.uri())));
    kept.setRecordSource("cddrive");
    kept.refresh();
    EXPECT_EQ(kept.field("cd").toString(), "/media/cdrom");

    // Pictures...: the window opens again on the same scrapbook with the folder chosen.
    ASSERT_FALSE(w->pictureFolderButton->isHidden());
    prompts.fileAnswers.enqueue(second.path());
    w->pictureFolderButton->click();
    EXPECT_TRUE(
        wk::testing::waitUntil([&] { return windows.window()->programDirectory() == second.path(); }));
    EXPECT_EQ(shell::rememberedServerFolder(store::ScrapbookLocation(database.uri())), second.path());
    EXPECT_EQ(windows.window()->entries().field("MYEVENT").toString(), "Kite");
    windows.window()->close();
}
