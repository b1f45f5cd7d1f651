// The disc setting: asked for while it is new and its folder is missing, saved on every close.
#include "StartedProgram.h"
#include "TestScrapbook.h"

#include "dialogs/PictureDiscWindow.h"
#include "store/DataSource.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::selectLine;
using wk::testing::StartedProgram;
using wk::testing::TestScrapbook;

namespace {

dialogs::PictureDiscWindow* openWindow(shell::MainWindow& form)
{
    return form.findChild<dialogs::PictureDiscWindow*>("cdform");
}

QStringList discRow(const TestScrapbook& book)
{
    store::ConnectionPool pool;
    store::DataSource cd(pool, "check");
    cd.setDatabaseName(book.databasePath());
    cd.setRecordSource("cddrive");
    cd.refresh();
    return {cd.field("cd").toString(), cd.field("new").toString()};
}

} // namespace

TEST(PictureDiscWindow, OnlyABareDriveLetterIsUpperCased)
{
    EXPECT_EQ(dialogs::normaliseDiscText("e"), "E");
    EXPECT_EQ(dialogs::normaliseDiscText("d:"), "D:");
    EXPECT_EQ(dialogs::normaliseDiscText("/media/cdrom"), "/media/cdrom");
    EXPECT_EQ(dialogs::normaliseDiscText("ef"), "ef");
}

TEST(PictureDiscWindow, ANewSettingWithoutItsFolderAsksAndOkSavesIt)
{
    TestScrapbook book;
    book.addEntry({QDate(2002, 2, 2), "Pond", "1 Events", {}, {}, {}});
    StartedProgram program(book.dir());
    program.start(); // new = "Y" and no folder: the first click opened the window
    shell::MainWindow& form = program.form();
    dialogs::PictureDiscWindow* window = openWindow(form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "CD-Rom Drive Setup");

    window->folderEdit->clear();
    QTest::keyClicks(window->folderEdit, "e");
    EXPECT_EQ(window->folderEdit->text(), "E");
    window->folderEdit->setText(book.path("Disc"));
    window->okButton->click();
    QApplication::processEvents();
    EXPECT_EQ(discRow(book), QStringList({book.path("Disc"), "N"}));
    EXPECT_EQ(form.pictureRoot().text(), book.path("Disc"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openWindow(form), nullptr);

    // Confirmed now: a click does not ask again.
    selectLine(form.widgets().entryList, -1);
    selectLine(form.widgets().entryList, 0);
    EXPECT_EQ(openWindow(form), nullptr);
}

TEST(PictureDiscWindow, ClosingTheWindowSavesLikeOk)
{
    TestScrapbook book;
    StartedProgram program(book.dir());
    program.start();
    shell::MainWindow& form = program.form();
    form.widgets().discDriveButton->click(); // "CD Drive"
    dialogs::PictureDiscWindow* window = openWindow(form);
    ASSERT_NE(window, nullptr);
    window->folderEdit->setText("f");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(discRow(book), QStringList({"F", "N"}));
}

TEST(PictureDiscWindow, ANewSettingWhoseFolderExistsIsConfirmedSilently)
{
    TestScrapbook book;
    QDir().mkpath(book.path("disc/bmp"));
    book.setDisc(book.path("disc"), "Y");
    book.addEntry({QDate(2002, 2, 2), "Pond", "1 Events", {}, {}, {}});
    StartedProgram program(book.dir());
    program.start();
    EXPECT_EQ(openWindow(program.form()), nullptr);
    EXPECT_EQ(discRow(book), QStringList({book.path("disc"), "N"}));
}
