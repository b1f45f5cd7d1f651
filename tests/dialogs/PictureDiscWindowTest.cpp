// The disc setting: asked for while it is new and its folder is missing, saved on every close.
#include "ProgramTest.h"

#include "dialogs/PictureDiscWindow.h"

#include <QApplication>
#include <QDir>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::selectLine;
using wk::testing::TestScrapbook;
using PictureDisc = wk::testing::ProgramTest;

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

TEST_F(PictureDisc, ANewSettingWithoutItsFolderAsksAndOkOrClosingSavesIt)
{
    book.addEntry({QDate(2002, 2, 2), "Pond", "1 Events", {}, {}, {}});
    shell::MainWindow& form = start(); // new = "Y" and no folder: the first click opened the window
    dialogs::PictureDiscWindow* window = openWindow(form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());

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

    // "CD Drive" opens it again, and closing it saves like OK.
    form.widgets().discDriveButton->click();
    window = openWindow(form);
    ASSERT_NE(window, nullptr);
    window->folderEdit->setText("f");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(discRow(book), QStringList({"F", "N"}));
}

TEST_F(PictureDisc, ANewSettingWhoseFolderExistsIsConfirmedSilently)
{
    QDir().mkpath(book.path("disc/bmp"));
    book.setDisc(book.path("disc"), "Y");
    book.addEntry({QDate(2002, 2, 2), "Pond", "1 Events", {}, {}, {}});
    EXPECT_EQ(openWindow(start()), nullptr);
    EXPECT_EQ(discRow(book), QStringList({book.path("disc"), "N"}));
}
