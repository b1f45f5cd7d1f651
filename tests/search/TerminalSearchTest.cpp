// `wanderkeep --search` run from a terminal: its lines, its exit status, no display needed, and a
// write-protected scrapbook without the words index searched as it is.
#include "TerminalProgram.h"
#include "TestScrapbook.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace wk::testing;

namespace {

QStringList linesOf(const Finished& finished)
{
    return finished.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(TerminalSearch, PrintsADateTitleAndPictureLineAnEntryAndTellsByItsStatusWhetherAnyWasFound)
{
    TestScrapbook book;
    book.addEntry({QDate(2001, 5, 1), "Lake house", "4 Trips", QString("Grandma"), "lake.jpg",
                   QString::fromUtf8("Café in München\tat noon")});
    book.addEntry({QDate(1999, 1, 1), "Zoo\tday", "4 Trips", QString("Grandma"), {}, QString("lions")});

    const Finished found = wanderkeep({"--search", "grandma", book.dir()});
    EXPECT_EQ(found.status, 0) << found.err.toStdString();
    EXPECT_EQ(linesOf(found), QStringList({"1999-01-01\tZoo day\t", "2001-05-01\tLake house\tlake.jpg"}));
    EXPECT_EQ(linesOf(wanderkeep({"--search", "munchen", book.databasePath()})).size(), 1);
    EXPECT_EQ(wanderkeep({"--search", "otter", book.dir()}).status, 1);

    // What cannot be searched says why, with status 2.
    for (const QStringList& arguments : {QStringList{"--search"}, QStringList{"--search", "\"-*", book.dir()},
                                         QStringList{"--search", "zoo", book.path("nowhere")},
                                         QStringList{"--search", "zoo", book.dir(), "extra"}}) {
        const Finished wrong = wanderkeep(arguments);
        EXPECT_EQ(wrong.status, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(wrong.err.isEmpty());
    }

    // A write-protected scrapbook from before the index: scanned, and left exactly as it was.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(book.databasePath()).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "DROP TRIGGER MYLIFE_WORDS_ADD; DROP TRIGGER MYLIFE_WORDS_REMOVE;"
                           "DROP TRIGGER MYLIFE_WORDS_CHANGE; DROP TABLE MYLIFE_WORDS;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    QFile::setPermissions(book.databasePath(), QFile::ReadOwner | QFile::ReadGroup);
    const QByteArray before = [&] {
        QFile file(book.databasePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    EXPECT_EQ(wanderkeep({"--search", "cafe lions", book.dir()}).status, 1);
    EXPECT_EQ(linesOf(wanderkeep({"--search", "cafe", book.dir()})),
              QStringList({"2001-05-01\tLake house\tlake.jpg"}));
    QFile file(book.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    QFile::setPermissions(book.databasePath(), QFile::ReadOwner | QFile::WriteOwner);
}
