// The help window: its fixed texts, the help document read on every opening, and "Exit".
#include "HelpDocument.h"
#include "SampleArtwork.h"
#include "dialogs/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

using wk::dialogs::HelpWindow;

namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    HelpWindow* open() { return HelpWindow::open(slot, dir.path(), &main); }
    // Closes the window the way `close` does and waits until it is gone, so the next opening builds
    // a new one.
    void closeAndWait(const std::function<void(HelpWindow*)>& close = [](HelpWindow* w) { w->close(); })
    {
        close(slot);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return slot.isNull();
            },
            2000));
    }
    QTemporaryDir dir;
    QWidget main;
    QPointer<HelpWindow> slot;
};

} // namespace

TEST_F(HelpWindowTest, ReadsTheDocumentOnEveryOpeningAndSurvivesBadFiles)
{
    ASSERT_TRUE(wk::sample::writeHelpDocument(dir.path()));
    HelpWindow* help = open();
    EXPECT_TRUE(help->isVisible() && help->documentView()->isReadOnly());
    EXPECT_EQ(open(), help); // a second "Help" while open brings the same window forward
    const QTextDocument* doc = help->documentView()->document();
    EXPECT_TRUE(doc->toPlainText().contains("The Main Screen"));
    EXPECT_FALSE(doc->toPlainText().contains("Arial")) << "font table shown as text";
    QTextCursor title(const_cast<QTextDocument*>(doc));
    title.setPosition(1);
    EXPECT_TRUE(title.charFormat().font().bold()); // the heading keeps its rich formatting
    closeAndWait();

    const struct {
        const char* name;
        QByteArray rtf;
        QString shown;
    } files[] = {
        {"quillon.rtf", R"({\rtf1 Second {\b edition}\par})", "Second edition"}, // changed on disk
        {"quillon.rtf", R"({\rtf1 {\fonttbl{\f0 Arial;}}Half a {\b document)", "Half a document"}, // broken
        {"QUILLON.RTF", R"({\rtf1 upper case name})", "upper case name"}, // any letter case
        {"quillon.rtf", {}, ""},                                          // missing
        {"quillon.rtf", "folder", ""}, // unreadable: a folder with the document's name
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        for (const QString& old : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.filePath(old));
        if (f.rtf == "folder")
            ASSERT_TRUE(QDir(dir.path()).mkdir(f.name));
        else if (!f.rtf.isEmpty())
            wk::sample::writeBytes(dir.filePath(f.name), f.rtf);
        help = open();
        EXPECT_EQ(help->documentView()->toPlainText(), f.shown);
        EXPECT_FALSE(help->findChild<QLabel*>("Label6")->text().trimmed().isEmpty());
        closeAndWait();
    }
}

TEST_F(HelpWindowTest, ExitOrTheTitleBarClosesAndBringsTheMainWindowBack)
{
    for (const auto& close : std::initializer_list<std::function<void(HelpWindow*)>>{
             [](HelpWindow* w) { w->findChild<QPushButton*>("SSCommand1")->click(); },
             [](HelpWindow* w) { w->close(); }}) {
        main.hide();
        ASSERT_NE(open(), nullptr);
        closeAndWait(close);
        EXPECT_TRUE(main.isVisible());
    }
}
