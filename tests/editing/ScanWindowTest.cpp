// The scan window: the save dialog it asks for and what it hands to the scanner.
#include "ScriptedPrompts.h"
#include "editing/ScanWindow.h"
#include "editing/Scanner.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

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

class ScanWindowTest : public ::testing::Test {
protected:
    ScriptedPrompts prompts;
    FakeScanner scanner;
    ScanWindow window{prompts, scanner, nullptr};
};

TEST_F(ScanWindowTest, SaveDialogAsksBeforeOverwritingAndFillsTheName)
{
    prompts.fileAnswers.enqueue("/pictures/scan1.jpg");
    window.chooseFileButton->click();

    ASSERT_EQ(prompts.asked.size(), 1);
    const auto& asked = prompts.asked.first();
    EXPECT_EQ(asked.kind, "save");
    EXPECT_EQ(asked.request.title, "Save Image As");
    EXPECT_EQ(asked.request.filter, "all files|*.*|picture files|*.bmp;*.jpg|BMP|*.bmp|JPEG|*.jpg|PNG|*.png");
    EXPECT_EQ(asked.request.filterIndex, 2);
    EXPECT_TRUE(asked.request.confirmOverwrite);
    EXPECT_EQ(window.fileNameEdit->text(), "/pictures/scan1.jpg");
    EXPECT_TRUE(scanner.acquired.isEmpty()) << "choosing a name does not scan";
}

TEST_F(ScanWindowTest, CancellingTheSaveDialogEndsSilentlyAndKeepsTheName)
{
    window.fileNameEdit->setText("/pictures/old.bmp");
    window.chooseFileButton->click(); // no answer queued: cancelled

    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked.first().request.fileName, "/pictures/old.bmp")
        << "the dialog starts at the current name";
    EXPECT_TRUE(prompts.toldTexts().isEmpty());
    EXPECT_EQ(window.fileNameEdit->text(), "/pictures/old.bmp");
}

TEST_F(ScanWindowTest, AquirePassesTheNameUnchangedEvenWhenEmpty)
{
    window.acquireButton->click();
    window.fileNameEdit->setText("  C:\\odd name.png");
    window.acquireButton->click();
    EXPECT_EQ(scanner.acquired, QStringList({QString(), "  C:\\odd name.png"}));
}

TEST_F(ScanWindowTest, StaysOpenWhileAScanIsUnderWay)
{
    window.show();
    scanner.busy = true;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    scanner.busy = false;
    EXPECT_TRUE(window.close());
}

TEST(ScanWindowOpening, OpenShowsOneModelessWindowBesideTheMainWindow)
{
    ScriptedPrompts prompts;
    QWidget mainWindow;
    mainWindow.show();
    ScanWindow* first = ScanWindow::open(prompts, QDir::tempPath(), &mainWindow);
    ScanWindow* again = ScanWindow::open(prompts, QDir::tempPath(), &mainWindow);
    EXPECT_EQ(first, again);
    EXPECT_TRUE(first->isWindow());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_TRUE(mainWindow.isVisible());
}

} // namespace
