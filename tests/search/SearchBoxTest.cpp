// The search box on the Main Screen, driven as a user types into it, over a real scrapbook.
#include "ServerDatabase.h"
#include "ProgramTest.h"

#include "controls/LineList.h"
#include "search/EntrySearch.h"
#include "shell/EntryUndo.h"
#include "store/WordsIndex.h"

#include <QSignalSpy>

using namespace wk;
using wk::testing::listLines;

namespace {

class SearchBox : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        book.setNames({"*All Pictures", "Grandma", "Uncle Bob"});
        add(2001, 5, 1, "Lake house", "4 Trips", "Grandma", "We swam. Café in München.");
        add(2001, 5, 1, "Lakeside walk", "1 Events", "Uncle Bob", "");
        add(1999, 1, 1, "Zoo", "4 Trips", "Uncle Bob", "lions");
        add(2000, 2, 2, "Grandma's garden", "3 Family", "Grandma", "roses");
    }

    void add(int y, int m, int d, const char* title, const char* what, const char* where, const char* log)
    {
        book.addEntry({QDate(y, m, d), title, what, QString(where), {}, QString::fromUtf8(log)});
    }

    QLineEdit* box() { return widgets().searchBox; }

    // Types `text` as a user does and waits for the result it brings.
    QStringList search(const QString& text)
    {
        QSignalSpy shown(&form().entrySearch(), &search::EntrySearch::resultShown);
        box()->selectAll();
        QTest::keyClicks(box(), text);
        EXPECT_TRUE(shown.wait(5000)) << text.toStdString();
        return listLines(widgets().entryList);
    }
};

} // namespace

TEST_F(SearchBox, TypingListsTheEntriesWithTheWordsAndOtherFiltersClearTheBox)
{
    start();
    EXPECT_EQ(box()->placeholderText(), "Search titles, stories, names");
    widgets().allPicturesButton->click();
    const QStringList all = listLines(widgets().entryList); // in date order

    EXPECT_EQ(search("lake"), QStringList({"Lake house", "Lakeside walk"}));
    EXPECT_EQ(widgets().entryList->currentRow(), 0); // the first found entry is shown
    EXPECT_EQ(form().entries().recordCount(), 2);    // the entry set follows: calendar, strip
    EXPECT_EQ(search("munchen cafe"), QStringList({"Lake house"}));
    EXPECT_EQ(search("gran"), QStringList({"Grandma's garden", "Lake house"}));
    EXPECT_EQ(search("\"NEAR\" (OR) -*:^+"), QStringList());
    EXPECT_EQ(widgets().entryList->placeholderText(), "No entry has these words");
    EXPECT_TRUE(prompts().asked.isEmpty()); // no message box

    // Esc returns to All Pictures.
    search("zoo");
    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_EQ(box()->text(), "");
    EXPECT_EQ(listLines(widgets().entryList), all);

    // Only punctuation left: as an empty box.
    search("roses");
    box()->selectAll();
    QTest::keyClicks(box(), "\"-");
    EXPECT_EQ(listLines(widgets().entryList), all);

    // A category button or a name empties the box and lists its own entries.
    search("lions");
    widgets().categoryButtons[4]->click();
    EXPECT_EQ(box()->text(), "");
    EXPECT_EQ(widgets().entryList->placeholderText(), "");
    search("lions");
    widgets().nameList->setCurrentItem(widgets().nameList->findItems("Grandma", Qt::MatchExactly).first());
    EXPECT_EQ(box()->text(), "");
    EXPECT_EQ(listLines(widgets().entryList), QStringList({"Grandma's garden", "Lake house"}));
}

TEST_F(SearchBox, AScrapbookFromBeforeTheIndexGetsItAndWritesAreFoundNextTime)
{
    WK_ONLY_ON_A_FILE("a file made before its words index");
    book.exec("DROP TRIGGER MYLIFE_WORDS_ADD; DROP TRIGGER MYLIFE_WORDS_REMOVE;"
              "DROP TRIGGER MYLIFE_WORDS_CHANGE; DROP TABLE MYLIFE_WORDS;");
    start();
    {
        store::Connection opened(book.databasePath());
        EXPECT_EQ(store::wordsIndexState(opened), store::WordsIndexState::Current);
    }
    EXPECT_EQ(storedEntries().size(), 4u); // the entries themselves untouched

    // Keys in quick succession: only the last text is searched, once.
    QSignalSpy shown(&form().entrySearch(), &search::EntrySearch::resultShown);
    QTest::keyClicks(box(), "zo");
    QTest::keyClicks(box(), "o lions");
    ASSERT_TRUE(shown.wait(5000));
    QTest::qWait(300);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(listLines(widgets().entryList), QStringList({"Zoo"}));

    // Another program adds an entry with the word: the next search finds it.
    book.addEntry({QDate(2005, 1, 1), "Otter", "4 Trips", QString("Grandma"), {}, "lions at the zoo"});
    EXPECT_EQ(search("lions"), QStringList({"Zoo", "Otter"}));

    // A saved change and its undo: what a search finds follows both.
    store::DataSource& entries = form().entries(); // on "Zoo", the first found
    entries.edit();
    entries.setField("LOG", "tigers");
    entries.update();
    EXPECT_EQ(search("tigers"), QStringList({"Zoo"}));
    form().entryUndo().stack().undo();
    EXPECT_EQ(search("tigers"), QStringList());
    EXPECT_EQ(search("lions"), QStringList({"Zoo", "Otter"}));
}
