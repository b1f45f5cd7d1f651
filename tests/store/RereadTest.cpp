// When a result set is read again: after another set's write, another program's write or a write
// that could move or drop its rows; not after its own writes it keeps in step.
#include "StoreFixture.h"

#include <QSignalSpy>
#include <algorithm>

using namespace wk::store;
using namespace wk::store::testing;

namespace {

// True when refreshIfChanged ran the record source again.
bool rereads(DataSource& set)
{
    QSignalSpy refreshed(&set, &DataSource::changed);
    set.refreshIfChanged();
    return refreshed.count() > 0;
}

} // namespace

TEST_F(StoreTest, OwnWritesThatKeepTheSetInStepAreNotReadAgain)
{
    auto entries = source(QStringLiteral("MYLIFE"));
    EXPECT_FALSE(rereads(*entries)); // nothing written

    entries->moveFirst();
    entries->edit();
    entries->setField(QStringLiteral("MYEVENT"), QStringLiteral("Picnic by the lake"));
    entries->update();
    entries->addNew();
    entries->setField(QStringLiteral("MYEVENT"), QStringLiteral("New"));
    entries->update();
    entries->moveLast();
    entries->remove();
    EXPECT_FALSE(rereads(*entries));
    EXPECT_EQ(column(*entries, QStringLiteral("MYEVENT")).first(), "Picnic by the lake");
    EXPECT_EQ(entries->recordCount(), 7);
}

TEST_F(StoreTest, OtherSetsProgramsAndOrderChangingWritesCallForAReread)
{
    auto entries = source(QStringLiteral("MYLIFE"));
    auto other = source(QStringLiteral("MYLIFE")); // another set of the same window
    other->moveFirst();
    other->edit();
    other->setField(QStringLiteral("MYEVENT"), QStringLiteral("Renamed"));
    other->update();
    EXPECT_TRUE(rereads(*entries));
    EXPECT_EQ(column(*entries, QStringLiteral("MYEVENT")).first(), "Renamed");

    execOn(path, QStringLiteral("INSERT INTO MYLIFE (MYEVENT) VALUES ('From elsewhere')")); // another program
    EXPECT_TRUE(rereads(*entries));
    EXPECT_TRUE(column(*entries, QStringLiteral("MYEVENT")).contains("From elsewhere"));

    // In a set ordered by date, an added entry or a changed date must take its place in the order.
    execOn(path, QStringLiteral("DELETE FROM MYLIFE WHERE DATE IS NULL"));
    auto byDate = source(QStringLiteral("SELECT * FROM mylife order by date;"));
    byDate->addNew();
    byDate->setField(QStringLiteral("DATE"), QDate(1990, 1, 1));
    byDate->update();
    EXPECT_TRUE(rereads(*byDate));
    byDate->moveFirst();
    EXPECT_EQ(byDate->field(QStringLiteral("DATE")).toDate(), QDate(1990, 1, 1));
    byDate->edit();
    byDate->setField(QStringLiteral("DATE"), QDate(2005, 5, 5));
    byDate->update();
    EXPECT_TRUE(rereads(*byDate));
    QList<QDate> dates;
    for (int i = 0; i < byDate->recordCount(); ++i)
        if (const QDate d = byDate->fieldAt(i, QStringLiteral("DATE")).toDate(); d.isValid())
            dates << d;
    EXPECT_EQ(dates.last(), QDate(2005, 5, 5));
    EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end()));
}
