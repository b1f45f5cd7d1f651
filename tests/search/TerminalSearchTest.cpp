// `wanderkeep --search` run from a terminal: its lines, its exit status, no display needed, and a
// write-protected scrapbook without the words index searched as it is.
#include "ServerDatabase.h"
#include "JetTestFiles.h"
#include "TerminalProgram.h"
#include "TestScrapbook.h"

#include <QFile>

using namespace wk::testing;

namespace {

QStringList linesOf(const Finished& finished)
{
    return finished.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(TerminalSearch, PrintsADateTitleAndPictureLineAnEntryAndTellsByItsStatusWhetherAnyWasFound)
{
    WK_ONLY_ON_A_FILE("the scrapbook is named by its folder");
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
    book.exec("DROP TRIGGER MYLIFE_WORDS_ADD; DROP TRIGGER MYLIFE_WORDS_REMOVE;"
              "DROP TRIGGER MYLIFE_WORDS_CHANGE; DROP TABLE MYLIFE_WORDS;");
    QFile::setPermissions(book.databasePath(), QFile::ReadOwner | QFile::ReadGroup);
    const QByteArray before = fileBytes(book.databasePath());
    EXPECT_EQ(wanderkeep({"--search", "cafe lions", book.dir()}).status, 1);
    EXPECT_EQ(linesOf(wanderkeep({"--search", "cafe", book.dir()})),
              QStringList({"2001-05-01\tLake house\tlake.jpg"}));
    EXPECT_EQ(fileBytes(book.databasePath()), before);
    QFile::setPermissions(book.databasePath(), QFile::ReadOwner | QFile::WriteOwner);
}
