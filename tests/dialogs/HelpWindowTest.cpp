// The help window: its fixed texts, the help document read on every opening, and "Exit".
#include "HelpDocument.h"
#include "dialogs/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

using wk::dialogs::HelpWindow;

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Closing deletes the window later; wait until it is gone so the next opening builds a new one.
bool closedAndGone(const QPointer<HelpWindow>& slot)
{
    return QTest::qWaitFor(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return slot.isNull();
        },
        2000);
}

} // namespace

TEST(HelpWindow, MissingDocumentOpensWithEmptyText)
{
    QTemporaryDir dir;
    QWidget main;
    QPointer<HelpWindow> slot;
    HelpWindow* help = HelpWindow::open(slot, dir.path(), &main);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->documentView()->document()->isEmpty());
    EXPECT_TRUE(help->documentView()->isReadOnly());
    EXPECT_FALSE(help->findChild<QLabel*>("Label6")->text().trimmed().isEmpty());

    // A second "Help" while open brings the same window forward.
    EXPECT_EQ(HelpWindow::open(slot, dir.path(), &main), help);
    help->close();
    EXPECT_TRUE(closedAndGone(slot));
}

TEST(HelpWindow, ReadsTheDocumentOnEveryOpeningAndSurvivesBadFiles)
{
    QTemporaryDir dir;
    QWidget main;
    QPointer<HelpWindow> slot;

    ASSERT_TRUE(wk::sample::writeHelpDocument(dir.path()));
    HelpWindow* help = HelpWindow::open(slot, dir.path(), &main);
    const QTextDocument* doc = help->documentView()->document();
    const QString text = doc->toPlainText();
    // The sample document covers every screen.
    for (const char* topic :
         {"Wanderkeep Help", "The Main Screen", "The enlarged picture", "The calendar", "List by Date",
          "The Edit Screen", "Name List", "CD Drive", "Kids Guide", "Do you really want to quit?"})
        EXPECT_TRUE(text.contains(QLatin1String(topic))) << topic;
    EXPECT_FALSE(text.contains("Arial")) << "font table shown as text";
    QTextCursor title(const_cast<QTextDocument*>(doc));
    title.setPosition(1);
    EXPECT_TRUE(title.charFormat().font().bold()); // the heading keeps its rich formatting
    help->close();
    ASSERT_TRUE(closedAndGone(slot));

    // Changed on disk: the next opening shows the new text.
    writeFile(dir.filePath("quillon.rtf"), R"({\rtf1 Second {\b edition}\par})");
    help = HelpWindow::open(slot, dir.path(), &main);
    EXPECT_EQ(help->documentView()->toPlainText(), "Second edition");
    help->close();
    ASSERT_TRUE(closedAndGone(slot));

    // Broken: whatever could be read is shown.
    writeFile(dir.filePath("quillon.rtf"), R"({\rtf1 {\fonttbl{\f0 Arial;}}Half a {\b document)");
    help = HelpWindow::open(slot, dir.path(), &main);
    EXPECT_EQ(help->documentView()->toPlainText(), "Half a document");
    help->close();
    ASSERT_TRUE(closedAndGone(slot));

    // Unreadable (a folder with the document's name): empty text.
    ASSERT_TRUE(QFile::remove(dir.filePath("quillon.rtf")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("quillon.rtf"));
    help = HelpWindow::open(slot, dir.path(), &main);
    EXPECT_TRUE(help->documentView()->document()->isEmpty());
    help->close();
    ASSERT_TRUE(closedAndGone(slot));
}

TEST(HelpWindow, DocumentNameIgnoresLetterCase)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("QUILLON.RTF"), R"({\rtf1 upper case name})");
    QPointer<HelpWindow> slot;
    HelpWindow* help = HelpWindow::open(slot, dir.path(), nullptr);
    EXPECT_EQ(help->documentView()->toPlainText(), "upper case name");
    help->close();
    EXPECT_TRUE(closedAndGone(slot));
}

TEST(HelpWindow, ExitClosesAndBringsTheMainWindowBack)
{
    QTemporaryDir dir;
    QWidget main;
    main.hide();
    QPointer<HelpWindow> slot;
    HelpWindow* help = HelpWindow::open(slot, dir.path(), &main);
    help->findChild<QPushButton*>("SSCommand1")->click();
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(closedAndGone(slot));

    // Closing from the title bar does the same.
    main.hide();
    help = HelpWindow::open(slot, dir.path(), &main);
    help->close();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(closedAndGone(slot));
}
