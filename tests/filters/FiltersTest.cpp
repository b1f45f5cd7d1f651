// Category buttons, "All Pictures" and the name list, driven through the main window's controls
// on a real scrapbook.
#include "ProgramTest.h"

#include "browse/EntryList.h"
#include "filters/EntryFilters.h"
#include "store/Queries.h"

#include <QButtonGroup>
#include <QSignalSpy>

using namespace wk;
using wk::testing::EntryRow;
using wk::testing::listLines;

namespace {

QColor listColour(const shell::MainWindow& form)
{
    return form.widgets().entryList->palette().color(QPalette::Text);
}

class Filters : public wk::testing::ProgramTest {
protected:
    void SetUp() override
    {
        book.setCategories({"1 Events", "2 School  ", "3 Grandma's", "4 Trips", "5 Calendar"});
        book.setNames({"*All Pictures", "Grandma", "Dad", "Grandma's House", "Nobody"});
        add(2001, 1, 5, "New Year party", "1 Events", QString("Grandma"));
        add(2001, 2, 1, "First day", "2 School", QString("Dad"));
        add(2000, 6, 1, "Picnic", "1 Events", QString("Dad"));
        add(2001, 3, 1, "Birthday", "5 Calendar", QString("Grandma"));
        add(2001, 4, 1, "Holiday", "5 Calendar", QString("GRANDMA"));
        add(2001, 5, 1, "Visit", "3 Grandma's", QString("Grandma's House"));
        add(2001, 6, 1, "Nameless", "1 Events", QVariant());
        add(2001, 7, 1, "Blank name", "1 Events", QString(" "));
        add(2001, 8, 1, "Trip", "Trips", QString("Dad"));
        add(2001, 9, 1, "Anniversary", "5 Calendar", QString("Dad"));
        add(1999, 9, 1, "Long trip", "4 Trips", QString("Dad"));
    }

    void add(int y, int m, int d, const char* title, const char* what, const QVariant& where)
    {
        book.addEntry({QDate(y, m, d), title, what, where, {}, QString("log of %1").arg(title)});
    }

    // Clicks a name of the name list as the user does.
    void clickName(shell::MainWindow& form, const QString& name)
    {
        const auto found = form.widgets().nameList->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        form.widgets().nameList->setCurrentItem(found.first());
    }
};

} // namespace

TEST_F(Filters, CategoryButtonsListTheirCategoryWithAndWithoutAName)
{
    shell::MainWindow& form = start();
    EXPECT_EQ(form.widgets().categoryButtons[2]->text(), "2 School"); // trailing blanks gone

    form.widgets().categoryButtons[1]->click();
    // No name selected: a null name is not listed, a single blank is.
    EXPECT_EQ(listLines(form.widgets().entryList), (QStringList{"New Year party", "Picnic", "Blank name"}));
    EXPECT_EQ(form.lineBookmarks().size(), 3);
    EXPECT_EQ(listColour(form), QColor(0, 0, 255));

    form.widgets().categoryButtons[2]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"First day"});
    EXPECT_EQ(listColour(form), QColor(255, 255, 0));

    form.widgets().categoryButtons[4]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Long trip"});
    EXPECT_EQ(listColour(form), QColor(0, 128, 0));

    clickName(form, "Dad");
    form.widgets().categoryButtons[1]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Picnic"});

    // A caption with an apostrophe, and a name with one.
    form.widgets().categoryButtons[3]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{});
    EXPECT_EQ(form.lineBookmarks(), (QStringList{QString(), QString()}));
    EXPECT_EQ(listColour(form), QColor(255, 0, 0));
    clickName(form, "Grandma's House");
    form.widgets().categoryButtons[3]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Visit"});
}

TEST_F(Filters, DesignCaptionsMatchOnlyTheExactWordWhenCategoriesAreFew)
{
    book.setCategories({"1 Events", "2 School"});
    shell::MainWindow& form = start();
    EXPECT_EQ(form.widgets().categoryButtons[3]->text(), "Family");
    EXPECT_EQ(form.widgets().categoryButtons[4]->text(), "Trips");
    form.widgets().categoryButtons[4]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Trip"});
    form.widgets().categoryButtons[3]->click();
    EXPECT_TRUE(listLines(form.widgets().entryList).isEmpty());
}

TEST_F(Filters, CalendarItemsForAllPicturesAndForOneNameInAnyLetterCase)
{
    shell::MainWindow& form = start();

    clickName(form, "*All Pictures"); // lists nothing itself: no entry carries that name
    EXPECT_TRUE(listLines(form.widgets().entryList).isEmpty());
    form.widgets().allPicturesButton->click();
    // "All Pictures" re-reads the names; pick the special one again without a name click.
    form.widgets().nameList->blockSignals(true);
    form.widgets().nameList->setCurrentRow(0);
    form.widgets().nameList->blockSignals(false);
    form.widgets().categoryButtons[5]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), (QStringList{"Birthday", "Holiday", "Anniversary"}));
    EXPECT_EQ(listColour(form), QColor(255, 0, 255));

    clickName(form, "Grandma");
    form.widgets().categoryButtons[5]->click();
    EXPECT_EQ(listLines(form.widgets().entryList), (QStringList{"Birthday", "Holiday"}));

    clickName(form, "Nobody");
    form.widgets().categoryButtons[5]->click();
    EXPECT_TRUE(listLines(form.widgets().entryList).isEmpty());
    EXPECT_EQ(form.lineBookmarks(), (QStringList{QString(), QString()}));
}

TEST_F(Filters, NameClickNarrowsTheEntrySetUntilAllPictures)
{
    shell::MainWindow& form = start();

    clickName(form, "Dad");
    EXPECT_EQ(listLines(form.widgets().entryList),
              (QStringList{"Long trip", "Picnic", "First day", "Trip", "Anniversary"}));
    EXPECT_EQ(form.entries().recordCount(), 5);
    EXPECT_TRUE(form.entries().eof());

    // A selected category combines with the name; "Calendar Items" does not.
    form.widgets().categoryButtons[1]->click();
    clickName(form, "Grandma");
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"New Year party"});
    form.widgets().categoryButtons[5]->click();
    clickName(form, "Dad");
    EXPECT_EQ(form.entries().recordCount(), 5);

    clickName(form, "Grandma's House");
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Visit"});
    clickName(form, "Nobody");
    EXPECT_TRUE(listLines(form.widgets().entryList).isEmpty());
    EXPECT_EQ(form.lineBookmarks(), (QStringList{QString(), QString()}));

    // No name selected: only entries whose name is a single blank.
    form.widgets().nameList->setCurrentRow(-1);
    form.entryFilters().filterByName();
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Blank name"});

    form.widgets().allPicturesButton->click();
    EXPECT_EQ(form.entries().recordSource(), store::queries::allEntries());
    EXPECT_EQ(form.entries().recordCount(), 11);
    EXPECT_EQ(listLines(form.widgets().entryList).first(), "Long trip");
    EXPECT_EQ(listLines(form.widgets().entryList).last(), "Anniversary");
    EXPECT_EQ(listColour(form), QColor(0, 0, 0));
    EXPECT_EQ(form.widgets().categoryGroup->checkedButton(), nullptr);
    EXPECT_EQ(form.widgets().entryList->currentRow(), 0);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "log of Long trip");
    EXPECT_EQ(form.widgets().nameList->count(), 5);
}

TEST_F(Filters, AClickOnAFilteredLineShowsThatLinesEntry)
{
    shell::MainWindow& form = start();

    // The entry set holds only Dad's events; the button lists Dad's school days.
    form.widgets().categoryButtons[1]->click();
    clickName(form, "Dad");
    EXPECT_EQ(listLines(form.widgets().entryList), QStringList{"Picnic"});
    form.widgets().categoryButtons[2]->click();
    ASSERT_EQ(listLines(form.widgets().entryList), QStringList{"First day"});
    form.widgets().entryList->setCurrentRow(0);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "log of First day");
    EXPECT_EQ(form.widgets().entryNameLabel->text(), "Dad");

    // The filter set was re-queried since (the day grid uses it too): still the line's entry.
    form.widgets().categoryButtons[4]->click();
    ASSERT_EQ(listLines(form.widgets().entryList), QStringList{"Long trip"});
    form.filteredEntries().setRecordSource("SELECT * FROM mylife WHERE what='2 School' and where >= ' ' ;");
    form.filteredEntries().refresh();
    form.widgets().entryList->setCurrentRow(0);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "log of Long trip");

    // Calendar items are listed from the entry set itself.
    form.widgets().allPicturesButton->click();
    form.widgets().nameList->blockSignals(true);
    form.widgets().nameList->setCurrentRow(0);
    form.widgets().nameList->blockSignals(false);
    form.widgets().categoryButtons[5]->click();
    form.widgets().entryList->setCurrentRow(1);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "log of Holiday");
    EXPECT_EQ(form.widgets().entryNameLabel->text(), "GRANDMA");
}

TEST_F(Filters, AFilterSwitchesTheTimeLineOffAndEmptiesTheStrip)
{
    shell::MainWindow& form = start();
    QImage face(10, 10, QImage::Format_RGB32);
    face.fill(Qt::red);

    auto timeLineOn = [&] {
        const QSignalBlocker blocker(form.widgets().timelineButton);
        form.widgets().timelineButton->setChecked(true);
        for (int k = 1; k <= 7; ++k)
            form.widgets().stripSlots[k]->setPicture({QString(), {10, 10}, face});
        form.widgets().forwardArrow->show();
        form.widgets().forwardStop->show();
    };
    auto expectSwitchedOff = [&](const char* by) {
        EXPECT_FALSE(form.widgets().timelineButton->isChecked()) << by;
        EXPECT_TRUE(form.widgets().stripSlots[3]->picture().image.isNull()) << by;
        EXPECT_TRUE(form.widgets().forwardArrow->isHidden()) << by;
        EXPECT_TRUE(form.widgets().forwardStop->isHidden()) << by;
    };
    QSignalSpy toggles(form.widgets().timelineButton, &QAbstractButton::toggled);

    timeLineOn();
    form.widgets().categoryButtons[3]->click();
    expectSwitchedOff("category button");
    EXPECT_EQ(toggles.count(), 1); // the switch's own handler ran

    timeLineOn();
    form.widgets().categoryButtons[5]->click();
    expectSwitchedOff("Calendar Items");

    timeLineOn();
    clickName(form, "Dad");
    expectSwitchedOff("name click");

    // While it is off, the strip is left alone.
    form.widgets().stripSlots[2]->setPicture({QString(), {10, 10}, face});
    form.widgets().backArrow->show();
    form.widgets().categoryButtons[1]->click();
    EXPECT_FALSE(form.widgets().stripSlots[2]->picture().image.isNull());
    EXPECT_FALSE(form.widgets().backArrow->isHidden());
}
