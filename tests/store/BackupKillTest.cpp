// A copy of the scrapbook is whole or absent, however the program is stopped: child processes
// are killed at random moments of their copy, and afterwards every copy under a final name opens
// with all its entries, no more than ten are kept and nothing half-written survives the next start.
#include "StoreFixture.h"

#include "store/Backups.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using wk::store::testing::execOn;
using wk::store::testing::rowsOf;

namespace {

const QStringList kEntryCount{QStringLiteral("4000")};

TEST(BackupKills, AKilledCopyLeavesNoCopyOrAWholeOne)
{
    QTemporaryDir dir;
    const QString scrapbook = dir.filePath(QStringLiteral("Velmora.mdb"));
    wk::store::createScrapbook(scrapbook);
    execOn(scrapbook, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
                      "INSERT INTO MYLIFE (DATE, MYEVENT, LOG) SELECT '1998-06-15', 'Entry ' || i, "
                      "printf('%.400c', 'x') FROM n");
    ASSERT_EQ(rowsOf(scrapbook, "SELECT count(*) FROM MYLIFE"), kEntryCount);

    std::mt19937 random(20261207);
    QElapsedTimer clock;
    clock.start();
    int kills = 0;
    for (int run = 0; run < 200 && kills < 60 && clock.elapsed() < 30000; ++run) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                wk::store::Connection connection(scrapbook);
                wk::store::backUpScrapbook(connection,
                                           QDateTime(QDate(2026, 12, 7), QTime(0, 0).addSecs(run)));
            } catch (...) {
            }
            ::_exit(0);
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 25000)(random));
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ++kills;
        }
    }
    EXPECT_GE(kills, 50) << "too few copies were interrupted to tell";

    const QStringList copies = wk::store::scrapbookBackups(scrapbook);
    EXPECT_LE(copies.size(), wk::store::kBackupsKept);
    for (const QString& copy : copies) {
        EXPECT_EQ(rowsOf(copy, "SELECT count(*) FROM MYLIFE"), kEntryCount) << copy.toStdString();
        EXPECT_FALSE(QFile::exists(copy + QStringLiteral("-journal"))) << copy.toStdString();
    }

    // The next start clears what the interrupted copies left; the whole copies stay.
    wk::store::removeUnfinishedBackups(scrapbook);
    QStringList left = QDir(dir.filePath(QStringLiteral("backups"))).entryList(QDir::Files | QDir::Hidden);
    QStringList kept;
    for (const QString& copy : copies)
        kept << QFileInfo(copy).fileName();
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
}

} // namespace
