// The disc setting: asked for while it is new and its folder is missing, saved on every close.
#include "ProgramTest.h"
#include "SqliteRows.h"

#include "dialogs/PictureDiscWindow.h"

using namespace wk;
using wk::testing::selectLine;
using PictureDisc = wk::testing::ProgramTest;

namespace {

dialogs::PictureDiscWindow* openWindow(shell::MainWindow& form)
{
    return form.findChild<dialogs::PictureDiscWindow*>("cdform");
}

// The stored setting, "folder|new".
QString discRow(const wk::testing::TestScrapbook& book)
{
    return wk::store::testing::rowsOf(book.databasePath(), "SELECT cd, \"new\" FROM cddrive").value(0);
}

} // namespace

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
    EXPECT_EQ(discRow(book), book.path("Disc") + "|N");
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
    EXPECT_EQ(discRow(book), "F|N");
}
