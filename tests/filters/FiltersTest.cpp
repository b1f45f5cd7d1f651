// Category buttons, "All Pictures" and the name list, through the main window's controls.
#include "ProgramTest.h"

#include "browse/EntryList.h"
#include "filters/EntryFilters.h"
#include "store/Queries.h"

#include <QButtonGroup>
#include <QSignalSpy>
#include <functional>

using namespace wk;
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
    // "All Pictures", then "Calendar Items" with "*All Pictures" selected but not clicked.
    void allCalendarItems(shell::MainWindow& form)
    {
        form.widgets().allPicturesButton->click();
        const QSignalBlocker quiet(form.widgets().nameList);
        form.widgets().nameList->setCurrentRow(0);
        form.widgets().categoryButtons[5]->click();
    }
};

} // namespace

TEST_F(Filters, CalendarItemsForAllPicturesAndForOneNameInAnyLetterCase)
{
    shell::MainWindow& form = start();

    clickName(form, "*All Pictures"); // lists nothing itself: no entry carries that name
    EXPECT_TRUE(listLines(form.widgets().entryList).isEmpty());
    allCalendarItems(form);
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
    EXPECT_EQ(listColour(form), QColor(0, 0, 0));
    EXPECT_EQ(form.widgets().categoryGroup->checkedButton(), nullptr);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "log of Long trip");
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
    prompts().yesNoAnswers.enqueue(true); // deleted: the list keeps its filter
    QTest::keyClick(form.widgets().entryList, Qt::Key_Delete);
    EXPECT_TRUE(listLines(form.widgets().entryList).isEmpty());

    // The filter set was re-queried since (the day grid uses it too): still the line's entry.
    form.widgets().categoryButtons[4]->click();
    ASSERT_EQ(listLines(form.widgets().entryList), QStringList{"Long trip"});
    form.filteredEntries().setRecordSource("SELECT * FROM mylife WHERE what='2 School' and where >= ' ' ;");
    form.filteredEntries().refresh();
    form.widgets().entryList->setCurrentRow(0);
    EXPECT_EQ(form.widgets().logEdit->toPlainText(), "log of Long trip");

    // Calendar items are listed from the entry set itself.
    allCalendarItems(form);
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
    QSignalSpy toggles(form.widgets().timelineButton, &QAbstractButton::toggled);

    for (const auto& [by, filter] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"category button", [&] { form.widgets().categoryButtons[3]->click(); }},
             {"Calendar Items", [&] { form.widgets().categoryButtons[5]->click(); }},
             {"name click", [&] { clickName(form, "Dad"); }}}) {
        SCOPED_TRACE(by);
        timeLineOn();
        filter();
        EXPECT_FALSE(form.widgets().timelineButton->isChecked());
        EXPECT_TRUE(form.widgets().stripSlots[3]->picture().image.isNull());
        EXPECT_TRUE(form.widgets().forwardArrow->isHidden() && form.widgets().forwardStop->isHidden());
    }
    EXPECT_EQ(toggles.count(), 3); // the switch's own handler ran

    // While it is off, the strip is left alone.
    form.widgets().stripSlots[2]->setPicture({QString(), {10, 10}, face});
    form.widgets().backArrow->show();
    form.widgets().categoryButtons[1]->click();
    EXPECT_FALSE(form.widgets().stripSlots[2]->picture().image.isNull());
    EXPECT_FALSE(form.widgets().backArrow->isHidden());
}
