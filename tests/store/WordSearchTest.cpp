// Searching entries by typed words: the same rows through the words index and through the scan,
// whatever the user types; the index kept in step by every writer and rebuilt when stale.
#include "StoreFixture.h"

#include "store/Queries.h"
#include "store/WordsIndex.h"

#include <QFileDevice>

using namespace wk::store;
using wk::store::testing::EngineKind;
using wk::store::testing::execOn;
using wk::store::testing::ScrapbookTest;

namespace {

const char* kStories = R"sql(
INSERT INTO MYLIFE (DATE, MYEVENT, WHAT, "WHERE", PICTURE, LOG) VALUES
 ('2001-05-01', 'Lake house', '4 Trips', 'Grandma', '', 'We swam at the lake. Café in München.'),
 ('2001-05-01', 'Lakeside housekeeping', '1 Events', 'Uncle Bob', '', NULL),
 ('2000-01-01', 'Tea NEAR the river', '3 Family', 'O''Brien', '', 'AND then OR NOT'),
 ('2002-02-02', 'C++ class: (intro) ^ "quoted" -minus', '2 School', '', '', NULL);
)sql";

const char* kDropIndex = R"sql(
DROP TRIGGER "MYLIFE_WORDS_ADD"; DROP TRIGGER "MYLIFE_WORDS_REMOVE"; DROP TRIGGER "MYLIFE_WORDS_CHANGE";
DROP TABLE "MYLIFE_WORDS";
)sql";

class Stories : public ScrapbookTest {
protected:
    void setUpStories(EngineKind engine)
    {
        setUpOn(engine);
        execOn(path, QString::fromUtf8(kStories));
    }

    QStringList titlesFor(const QString& typed)
    {
        return column(*source(queries::entriesWithWords(typed)), "MYEVENT");
    }

    WordsIndexState indexState()
    {
        Connection connection(path);
        return wordsIndexState(connection);
    }
};

// On the engine of this run: a file's words index and scan, a server's words vectors.
class WordSearch : public Stories {
protected:
    void SetUp() override
    {
        setUpStories(wk::testing::runsOnServer() ? EngineKind::Server : EngineKind::File);
    }
};

// The words index of a file.
class FileWordSearch : public Stories {
protected:
    void SetUp() override
    {
        if (wk::testing::runsOnServer())
            GTEST_SKIP() << "only a scrapbook file has a words index to keep";
        setUpStories(EngineKind::File);
    }
};

} // namespace

TEST_F(WordSearch, IndexAndScanFindTheSameEntriesForAnythingTyped)
{
    const QStringList lakeEntries = {"Lake house", "Lakeside housekeeping"};
    const std::pair<QString, QStringList> cases[] = {
        {"lake", lakeEntries},                             // same date: row order
        {"LAKE hou", lakeEntries},                         // each word the start of a word, any case
        {"\"lake house\"", lakeEntries},                   // a phrase of word starts
        {"\"house lake\"", {}},                            // a phrase keeps its order
        {"\"lake grandma\"", {}},                          // and stays within one field
        {"lake grandma", {"Lake house"}},                  // words may stand in different fields
        {"swam", {"Lake house"}},                          // only in the log
        {"bob", {"School play", "Lakeside housekeeping"}}, // the who-or-where name
        {"trips", {"Zoo", "Lake house"}},                  // the category
        {"cafe munchen", {"Lake house"}},                  // accents do not matter
        {"CAFÉ", {"Lake house"}},
        {"O'Brien", {"Tea NEAR the river"}}, // an apostrophe is no quote
        {"near", {"Tea NEAR the river"}},    // the index's keywords are words
        {"AND or NOT", {"Tea NEAR the river"}},
        {"zoo OR picnic", {}}, // OR is a word too: nothing holds all three
        {"NEAR(tea river)", {"Tea NEAR the river"}},
        {"tea:river", {"Tea NEAR the river"}},
        {"-minus ^quoted +class intro)", {"C++ class: (intro) ^ \"quoted\" -minus"}},
        {"\"intro quot", {"C++ class: (intro) ^ \"quoted\" -minus"}}, // a quote left open closes at the end
        {"*", {}},
        {"\" : - ( ) ^ + *", {}},
        {"nowhere", {}},
    };
    for (const auto& [typed, titles] : cases) {
        SCOPED_TRACE(typed.toStdString());
        EXPECT_EQ(titlesFor(typed), titles) << "through the index";
    }
    if (onServer())
        return; // the server keeps its words vectors itself: there is no scan to compare

    execOn(path, QString::fromUtf8(kDropIndex));
    pool = {}; // new connections see the file without its index
    ConnectionPool scanPool;
    for (const auto& [typed, titles] : cases) {
        SCOPED_TRACE(typed.toStdString());
        DataSource scan(scanPool, QStringLiteral("scan"));
        scan.setDatabaseName(path);
        scan.setRecordSource(queries::entriesWithWords(typed));
        scan.refresh();
        EXPECT_EQ(column(scan, "MYEVENT"), titles) << "by a scan";
    }
}

TEST_F(FileWordSearch, EveryWriterKeepsTheIndexInStepAndAStaleOneIsBuiltAgain)
{
    EXPECT_EQ(indexState(), WordsIndexState::Current);
    auto found = source(queries::entriesWithWords("otter"));
    EXPECT_EQ(found->recordCount(), 0);

    // Another program adds, changes and deletes rows: the next search sees each write.
    execOn(path, "INSERT INTO MYLIFE (DATE, MYEVENT) VALUES ('2003-01-01', 'Otter pool');");
    found->refresh();
    EXPECT_EQ(column(*found, "MYEVENT"), QStringList({"Otter pool"}));
    execOn(path,
           "UPDATE MYLIFE SET MYEVENT = 'Seal pool', LOG = 'an otter too' WHERE MYEVENT = 'Otter pool';");
    found->refresh();
    EXPECT_EQ(column(*found, "MYEVENT"), QStringList({"Seal pool"}));
    execOn(path, "DELETE FROM MYLIFE WHERE MYEVENT = 'Seal pool';");
    found->refresh();
    EXPECT_EQ(found->recordCount(), 0);

    // The program's own writes go through the same triggers.
    auto entries = source(queries::allEntries());
    entries->setBookmark(entries->bookmark()); // the first entry: "Zoo"
    entries->edit();
    entries->setField("LOG", "an otter swam by");
    entries->update();
    found->refresh();
    EXPECT_EQ(column(*found, "MYEVENT"), QStringList({"Zoo"}));

    // VACUUM renumbers the rows of a MYLIFE without an index after a delete: the words index is
    // stale until built again.
    execOn(path, "DROP INDEX MYLIFE_DATE; DROP INDEX MYLIFE_DATE_NOCASE;"
                 "DELETE FROM MYLIFE WHERE MYEVENT = 'Picnic'; VACUUM;");
    EXPECT_EQ(indexState(), WordsIndexState::Stale);
    {
        Connection connection(path);
        qint64 lastDone = -1, lastTotal = -1;
        buildWordsIndex(connection, [&](qint64 done, qint64 total) { lastDone = done, lastTotal = total; });
        EXPECT_EQ(lastDone, lastTotal);
    }
    EXPECT_EQ(indexState(), WordsIndexState::Current);
    pool = {};
    EXPECT_EQ(titlesFor("lake grandma"), QStringList({"Lake house"}));

    // A file from before the index gets it whole.
    execOn(path, QString::fromUtf8(kDropIndex));
    EXPECT_EQ(indexState(), WordsIndexState::Missing);
    {
        Connection connection(path);
        buildWordsIndex(connection);
    }
    EXPECT_EQ(indexState(), WordsIndexState::Current);
}

TEST_F(FileWordSearch, AReadOnlyScrapbookWithoutTheIndexIsScanned)
{
    execOn(path, QString::fromUtf8(kDropIndex));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    pool = {};
    {
        Connection connection(path);
        EXPECT_THROW(buildWordsIndex(connection), StoreError);
    }
    EXPECT_EQ(titlesFor("cafe"), QStringList({"Lake house"}));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
