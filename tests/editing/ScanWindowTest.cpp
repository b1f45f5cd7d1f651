// The scan window: the save dialog it asks for and what it hands to the scanner.
#include "ScriptedPrompts.h"
#include "editing/ScanWindow.h"
#include "editing/Scanner.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using wk::editing::ScanWindow;
using wk::testing::ScriptedPrompts;

namespace {

class FakeScanner : public wk::editing::Scanner {
public:
    QStringList acquired;
    bool busy = false;
    bool AcquireToFile(const QString& fileName) override
    {
        acquired << fileName;
        return true;
    }
    bool isBusy() const override { return busy; }
};

TEST(ScanWindow, TheSaveDialogFillsTheNameAndAquirePassesItUnchanged)
{
    ScriptedPrompts prompts;
    FakeScanner scanner;
    ScanWindow window{prompts, scanner, nullptr};
    window.fileNameEdit->setText("/pictures/old.bmp");
    window.chooseFileButton->click(); // cancelled: the name stays, nothing is said
    EXPECT_EQ(prompts.asked.first().request.fileName, "/pictures/old.bmp") << "the dialog starts at the name";
    EXPECT_EQ(window.fileNameEdit->text(), "/pictures/old.bmp");

    prompts.fileAnswers.enqueue("/pictures/scan1.jpg");
    window.chooseFileButton->click();
    ASSERT_EQ(prompts.asked.size(), 2);
    const auto& asked = prompts.asked.last();
    EXPECT_EQ(asked.kind, "save");
    EXPECT_TRUE(asked.request.filter.endsWith("|PNG|*.png"));
    EXPECT_EQ(asked.request.filterIndex, 2);
    EXPECT_TRUE(asked.request.confirmOverwrite);
    EXPECT_EQ(window.fileNameEdit->text(), "/pictures/scan1.jpg");
    EXPECT_TRUE(scanner.acquired.isEmpty()) << "choosing a name does not scan";

    window.fileNameEdit->clear();
    window.acquireButton->click();
    window.fileNameEdit->setText("  C:\\odd name.png");
    window.acquireButton->click();
    EXPECT_EQ(scanner.acquired, QStringList({QString(), "  C:\\odd name.png"}));

    // It stays open while a scan is under way.
    window.show();
    scanner.busy = true;
    EXPECT_FALSE(window.close());
    scanner.busy = false;
    EXPECT_TRUE(window.close());
}

TEST(ScanWindow, OpenShowsOneModelessWindowBesideTheMainWindow)
{
    ScriptedPrompts prompts;
    QWidget mainWindow;
    mainWindow.show();
    ScanWindow* first = ScanWindow::open(prompts, QDir::tempPath(), &mainWindow);
    EXPECT_EQ(ScanWindow::open(prompts, QDir::tempPath(), &mainWindow), first);
    EXPECT_TRUE(first->isWindow() && first->isVisible());
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_TRUE(mainWindow.isVisible());
}

} // namespace
