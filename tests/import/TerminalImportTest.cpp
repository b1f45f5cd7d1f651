// `wanderkeep --import` run as a family would from a terminal: its exit status, its output, no
// display needed, and an import killed half-way then run again.
#include "ServerDatabase.h"
#include "ImportFixture.h"
#include "TerminalProgram.h"

#include <QProcess>
#include <QRegularExpression>

using namespace wk::testing;

using TerminalImport = ImportFixture;

TEST_F(TerminalImport, ExitStatusSaysWhetherEverythingWentInSomeCouldNotBeReadOrNothingCouldBeDone)
{
    WK_ONLY_ON_A_FILE("the scrapbook is named by its folder");
    const Finished help = wanderkeep({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--import", "--copy", "--no-copy", "--category", "--who"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_EQ(wanderkeep({"--import"}).status, 2);
    EXPECT_EQ(wanderkeep({"--import", sourceDir.path(), book.dir(), "--sideways"}).status, 2);

    const Finished missing = wanderkeep({"--import", source("gone"), book.dir()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("does not exist")) << missing.err.toStdString();
    EXPECT_EQ(wanderkeep({"--import", sourceDir.path(), book.path("no scrapbook here")}).status, 2);

    writeJpeg(source("a.jpg"), {320, 240}, Qt::blue, {2020, 1, 2});
    writeJpeg(source("b.jpg"), {320, 240}, Qt::red, {2020, 1, 3});
    put("c.jpg", bytesOf("a.jpg").left(500));
    const Finished some = wanderkeep({"--import", sourceDir.path(), book.databasePath(), "--no-copy",
                                      "--category", "2 Trips", "--who", "Anna"});
    EXPECT_EQ(some.status, 1) << some.err.toStdString();
    EXPECT_TRUE(some.out.contains("Imported 2 pictures.")) << some.out.toStdString();
    EXPECT_TRUE(some.out.contains("c.jpg"));
    EXPECT_EQ(entries().first(),
              QStringLiteral("2020-01-02|%1|2 Trips|Anna|%2|<null>")
                  .arg(QDir(sourceDir.path()).dirName(), QFileInfo(source("a.jpg")).absoluteFilePath()));

    QFile::remove(source("c.jpg"));
    const Finished again = wanderkeep({"--import", sourceDir.path(), book.dir()});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.out.contains("Imported 0 pictures.\n2 were already in the scrapbook."))
        << again.out.toStdString();
    EXPECT_EQ(entries().size(), 2);
    EXPECT_EQ(QDir(book.path("backups")).entryList(QDir::Files).size(), 1) << "the usual backup, once";
}

TEST_F(TerminalImport, AnImportKilledHalfWayThenRunAgainAddsEachPictureOnceAndCopiesNoneTwice)
{
    WK_ONLY_ON_A_FILE("the scrapbook is named by its folder");
    constexpr int kFiles = 300;
    putJpegs("DCIM/100CANON/IMG_%1.jpg", kFiles, {1600, 1200});

    QProcess first;
    first.setProcessEnvironment(withoutDisplay());
    first.start(program(), {"--import", sourceDir.path(), book.dir(), "--copy"});
    ASSERT_TRUE(first.waitForStarted());
    // Killed as soon as it reports a picture done, while most are still to come.
    const QRegularExpression progress(QStringLiteral("(\\d+) of %1 pictures").arg(kFiles));
    int seen = 0;
    while (seen == 0 && first.state() == QProcess::Running) {
        first.waitForReadyRead(100);
        const QString out = QString::fromLocal8Bit(first.readAllStandardOutput());
        for (auto m = progress.globalMatch(out); m.hasNext();)
            seen = std::max(seen, m.next().captured(1).toInt());
    }
    first.kill();
    first.waitForFinished();
    const qsizetype killedWith = entries().size();
    EXPECT_LT(killedWith, kFiles) << "the import ended before it could be killed";

    const Finished second = wanderkeep({"--import", sourceDir.path(), book.dir(), "--copy"});
    EXPECT_EQ(second.status, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.contains(QStringLiteral("Imported %1 pictures.").arg(kFiles - killedWith)))
        << second.out.toStdString();
    const QStringList stored = entries();
    EXPECT_EQ(stored.size(), kFiles);
    QSet<QString> pictures;
    for (const QString& row : stored)
        pictures.insert(row.section('|', 4, 4));
    EXPECT_EQ(pictures.size(), kFiles) << "each picture once";
    const QStringList files = copies();
    EXPECT_EQ(files.size(), kFiles) << "copies left by the killed run are used again";
    EXPECT_TRUE(files.filter(" (2)").isEmpty());
    EXPECT_TRUE(files.filter(".wkpart").isEmpty());
}
