// Texts a user may type that look like SQL, quoting or escapes: entries, categories and names
// holding them are written through the data sources and read back exactly, found by the word search
// and by the category and name filters, changed and removed like any other, and every table stays.
#include "StoreFixture.h"

#include "store/Entry.h"
#include "store/Queries.h"

#include <QDir>

using namespace wk::store;
using wk::store::testing::StoreTest;

namespace {

const QString kCategory = QStringLiteral("6 Bob's \"odd\" \\ ; $$ $1 ? -- 100% a_b");
const QString kName = QStringLiteral("O'Brien; DROP TABLE \"WHERE\"; --");
const QString kShare = QStringLiteral("\\\\nas\\share");

// The entries written, in date order, after the fixture's.
const Entry kEntries[] = {
    {QDate(2003, 1, 1), QStringLiteral("x'); DROP TABLE mylife; --"), kCategory, kName,
     QStringLiteral("it's.jpg"), QStringLiteral("it's; $$ DROP TABLE mylife $$; --")},
    {QDate(2003, 1, 2), QStringLiteral("Quote \" backslash \\ \\' '' \"\" end\\"), QStringLiteral("1 Events"),
     kShare, QStringLiteral("C:\\pics\\new\\a.jpg"), QStringLiteral("\\N \\x00 \\\\ \ttab\nline \\.")},
    {QDate(2003, 1, 3),
     QStringLiteral("$1 and $$dollar$$ and $tag$ ? ?1 :name"),
     kCategory,
     kName,
     {},
     QStringLiteral("50% off_sale -- no comment /* nor this */ ;")},
};

class QuotedText : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        auto categories = source("Catagory");
        categories->addNew();
        categories->setField("catagory", kCategory);
        categories->update();
        auto names = source("WHERE");
        for (const QString& name : {kName, kShare}) {
            names->addNew();
            names->setField("where", name);
            names->update();
        }
        auto entries = source("MYLIFE");
        for (const Entry& entry : kEntries) {
            entries->addNew();
            writeEntry(*entries, entry);
            entries->update();
        }
    }

    QStringList titles(const Query& query) { return column(*source(query), "MYEVENT"); }
};

} // namespace

TEST_F(QuotedText, EntriesNamesAndCategoriesReadBackAsWrittenAndAreFound)
{
    // Read anew through connections of their own.
    pool = {};
    auto all = source(queries::allEntries());
    ASSERT_EQ(all->recordCount(), 10);
    for (int k = 0; k < 3; ++k) {
        all->moveTo(7 + k);
        EXPECT_EQ(readEntry(*all), kEntries[k]) << k;
    }
    EXPECT_EQ(column(*source("Catagory"), "catagory").last(), kCategory);
    EXPECT_EQ(column(*source("WHERE"), "where").mid(3), QStringList({kName, kShare}));

    const QString injection = kEntries[0].title.toString();
    const QString quotes = kEntries[1].title.toString();
    const QString dollars = kEntries[2].title.toString();
    const std::pair<Query, QStringList> cases[] = {
        {queries::categoryFilter(kCategory, kName), {injection, dollars}},
        {queries::categoryFilter(kCategory, QString()), {injection, dollars}},
        {queries::categoryFilter("1 Events", kShare), {quotes}},
        {queries::nameFilter(kCategory, kName), {injection, dollars}},
        {queries::nameFilter(QString(), kShare), {quotes}},
        // % and _ are only themselves, and a backslash is no escape.
        {queries::nameFilter(QString(), "O%"), {}},
        {queries::nameFilter(QString(), "_'Brien; DROP TABLE \"WHERE\"; --"), {}},
        {queries::nameFilter(QString(), "\\nas\\share"), {}},
        {queries::categoryFilter("6 Bob's \"odd\" \\ ; $$ $1 ? -- 100% a%", ""), {}},
        {queries::entriesWithWords("DROP TABLE mylife"), {injection}},
        {queries::entriesWithWords("x'); DROP TABLE mylife; --"), {injection}},
        {queries::entriesWithWords("O'Brien; --"), {injection, dollars}},
        {queries::entriesWithWords("\"$$dollar$$\""), {dollars}},
        {queries::entriesWithWords("$1 ?1 :name $tag$"), {dollars}},
        {queries::entriesWithWords("\\\\nas\\share"), {quotes}},
        {queries::entriesWithWords("50% off_sale"), {dollars}},
        {queries::entriesWithWords("\"backslash \\ \\'\""), {quotes}},
        {queries::entriesWithWords("'; -- $$ \\ /*"), {}},
    };
    for (const auto& [query, expected] : cases) {
        SCOPED_TRACE((query.text + " with " + query.values.value(0).toString() + " | " +
                      query.values.value(1).toString())
                         .toStdString());
        EXPECT_EQ(titles(query), expected);
    }
}

TEST_F(QuotedText, SuchEntriesAreChangedAndRemovedAndEveryTableStays)
{
    {
        // A change checks first that the row still holds what was read: these texts must compare
        // as themselves.
        auto entries = source(queries::nameFilter(kCategory, kName));
        ASSERT_EQ(entries->recordCount(), 2);
        entries->edit();
        entries->setField("LOG", "'; DELETE FROM \"WHERE\"; -- $$");
        entries->setField("MYEVENT", "y'); DROP TABLE mylife; --");
        entries->update();
        entries->moveLast();
        entries->remove();
        auto quoted = source(queries::nameFilter(QString(), kShare));
        quoted->edit();
        quoted->setField("PICTURE", "D:\\again\\it's.jpg");
        quoted->update();
    }

    pool = {};
    EXPECT_EQ(titles(queries::nameFilter(kCategory, kName)), QStringList({"y'); DROP TABLE mylife; --"}));
    EXPECT_EQ(column(*source(queries::entriesWithWords("delete")), "LOG"),
              QStringList({"'; DELETE FROM \"WHERE\"; -- $$"}));
    EXPECT_EQ(column(*source(queries::entriesWithWords("nas share")), "PICTURE"),
              QStringList({"D:\\again\\it's.jpg"}));
    EXPECT_EQ(source(queries::allEntries())->recordCount(), 9);
    EXPECT_EQ(source("WHERE")->recordCount(), 5);
    EXPECT_EQ(source("Catagory")->recordCount(), 6);
    EXPECT_EQ(source("cddrive")->recordCount(), 1);
}

// A server scrapbook's copy is written row by row into a file and copied back in bulk (COPY's text
// form, where backslashes, tabs and line ends are escapes of their own).
TEST_F(QuotedText, ACopyToAFileAndBackToAServerKeepsThemExactly)
{
    if (!onServer())
        GTEST_SKIP() << "a copy between a file and a server";
    const QString file = dir.filePath("copy/Velmora.mdb");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("copy")));
    copyScrapbook(ScrapbookLocation(path), ScrapbookLocation(file), false);
    wk::testing::ServerDatabase back;
    copyScrapbook(ScrapbookLocation(file), ScrapbookLocation(back.uri()), false);
    for (const QString& copy : {file, back.uri()}) {
        SCOPED_TRACE(copy.toStdString());
        DataSource entries(pool, "copy");
        entries.setDatabaseName(copy);
        entries.setRecordSource(queries::allEntries());
        entries.refresh();
        ASSERT_EQ(entries.recordCount(), 10);
        for (int k = 0; k < 3; ++k) {
            entries.moveTo(7 + k);
            EXPECT_EQ(readEntry(entries), kEntries[k]) << k;
        }
    }
}
