// Two program processes on one server scrapbook, as two computers of the family: what either adds
// shows on the other without a click, and a save over the other's change is refused with its
// values, then stored on purpose. This test's process is one computer; it starts its own
// executable again, with WK_OTHER_COMPUTER naming the scrapbook, as the other (the test
// TwoComputers.TheOtherComputer, which runs only so), and the two take turns over its stdin and
// stdout.
#include "ServerDatabase.h"
#include "StartedProgram.h"

#include "controls/PictureButton.h"
#include "store/Engine.h"
#include "store/ScrapbookFile.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdio>
#include <iostream>
#include <string>

using namespace wk;
using wk::testing::listLines;
using wk::testing::selectLine;
using wk::testing::ServerDatabase;

namespace {

const char* const kOther = "WK_OTHER_COMPUTER";

// Adds an entry the way a user does: Add (no picture chosen), the boxes, Save.
void addThroughTheWindow(wk::testing::StartedProgram& program, const QString& title)
{
    const auto& w = program.form().widgets();
    w.editScreenButton->click();
    w.addButton->click();
    w.dateEdit->setText("3/3/2003");
    w.titleEdit->setText(title);
    w.categoryCombo->setEditText("1 Events");
    w.saveNewButton->click();
    w.mainScreenButton->click();
}

void selectTitle(const wk::testing::StartedProgram& program, const QString& title)
{
    const auto& w = const_cast<wk::testing::StartedProgram&>(program).form().widgets();
    selectLine(w.entryList, int(listLines(w.entryList).indexOf(title)));
}

// The other computer's lines on its stdout, read as they come.
class OtherComputer {
public:
    OtherComputer(const QString& uri, const QString& home)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kOther, uri);
        environment.insert("HOME", home);
        process_.setProcessEnvironment(environment);
        process_.start(QCoreApplication::applicationFilePath(),
                       {"--gtest_filter=TwoComputers.TheOtherComputer", "--engine=server"});
    }
    ~OtherComputer()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    // Waits for the line "other computer: `what`", keeping this window running meanwhile.
    bool said(const QString& what)
    {
        const QByteArray line = "other computer: " + what.toUtf8();
        return wk::testing::waitUntil(
            [&] {
                heard_ += process_.readAllStandardOutput();
                return heard_.contains(line);
            },
            60000);
    }
    void tell(const char* line) { process_.write(QByteArray(line) + '\n'); }
    int finished()
    {
        wk::testing::waitUntil([&] { return process_.state() == QProcess::NotRunning; }, 60000);
        heard_ += process_.readAllStandardOutput();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    const QByteArray& heard() const { return heard_; }

private:
    QProcess process_;
    QByteArray heard_;
};

} // namespace

TEST(TwoComputers, EachSeesTheOthersEntriesAtOnceAndASaveOverTheOthersChangeShowsItFirst)
{
    if (!wk::testing::runsOnServer())
        GTEST_SKIP() << "needs the run's server";
    ServerDatabase database;
    store::createScrapbook(database.uri());
    store::openEngine(database.uri())
        ->exec("INSERT INTO \"MYLIFE\" (\"DATE\", \"MYEVENT\", \"WHAT\", \"LOG\") VALUES "
               "('2001-01-01', 'Shared', '1 Events', 'as it was')",
               "add");
    QTemporaryDir folder, otherHome;
    wk::testing::StartedProgram program(store::ScrapbookLocation(database.uri()).withFolder(folder.path()));
    program.start();
    const auto& w = program.form().widgets();

    OtherComputer other(database.uri(), otherHome.path());
    ASSERT_TRUE(other.said("added")) << other.heard().toStdString();
    EXPECT_TRUE(wk::testing::waitUntil([&] {
        return listLines(w.entryList).contains("From the other computer");
    })) << "the other computer's entry shows without a click";

    // This computer shows Shared and starts typing; meanwhile the other one changes it.
    selectTitle(program, "Shared");
    w.editScreenButton->click();
    w.titleEdit->setText("Shared, renamed here");
    other.tell("go");
    ASSERT_TRUE(other.said("changed")) << other.heard().toStdString();
    w.saveChangesButton->click();
    ASSERT_FALSE(program.prompts.toldTexts().isEmpty());
    const QString told = program.prompts.toldTexts().last();
    EXPECT_TRUE(told.contains("changed elsewhere") && told.contains("Log: the other computer's log"))
        << told.toStdString();
    EXPECT_EQ(w.titleEdit->text(), "Shared, renamed here");
    EXPECT_EQ(database.rows("SELECT myevent FROM mylife WHERE myevent LIKE 'Shared%'"),
              QStringList{"Shared"});
    w.saveChangesButton->click(); // seen: stored on purpose
    EXPECT_EQ(database.rows("SELECT myevent FROM mylife WHERE myevent LIKE 'Shared%'"),
              QStringList{"Shared, renamed here"});
    w.mainScreenButton->click();

    addThroughTheWindow(program, "From this computer");
    EXPECT_EQ(other.finished(), 0) << "the other computer saw this one's entry:\n"
                                   << other.heard().toStdString();
}

// The other computer of the test above; skipped unless that test started it.
TEST(TwoComputers, TheOtherComputer)
{
    const QString uri = qEnvironmentVariable(kOther);
    if (uri.isEmpty())
        GTEST_SKIP() << "run by the test of two computers, as the other one";
    QTemporaryDir folder;
    wk::testing::StartedProgram program(store::ScrapbookLocation(uri).withFolder(folder.path()));
    program.start();
    const auto& w = program.form().widgets();
    const auto say = [](const char* what) { std::cout << "other computer: " << what << std::endl; };

    addThroughTheWindow(program, "From the other computer");
    ASSERT_TRUE(program.prompts.toldTexts().isEmpty())
        << program.prompts.toldTexts().join('\n').toStdString();
    say("added");

    std::string line;
    ASSERT_TRUE(std::getline(std::cin, line) && line == "go");
    selectTitle(program, "Shared");
    w.editScreenButton->click();
    w.logEdit->setPlainText("the other computer's log");
    w.saveChangesButton->click();
    ASSERT_TRUE(program.prompts.toldTexts().isEmpty())
        << program.prompts.toldTexts().join('\n').toStdString();
    w.mainScreenButton->click();
    say("changed");

    EXPECT_TRUE(wk::testing::waitUntil([&] { return listLines(w.entryList).contains("From this computer"); }))
        << listLines(w.entryList).join(", ").toStdString();
}
