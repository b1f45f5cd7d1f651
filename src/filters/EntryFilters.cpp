#include "filters/EntryFilters.h"

#include "contracts/EntryLines.h"
#include "contracts/StripArrows.h"
#include "controls/BoundLists.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/Queries.h"

#include <QButtonGroup>
#include <QEvent>
#include "controls/LineList.h"
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace wk::filters {

using controls::skipStep;

namespace {

QColor categoryColour(int k)
{
    switch (k) {
    case 1:
        return controls::classicColour(9);
    case 2:
        return QColor(255, 255, 0);
    case 3:
        return QColor(255, 0, 0);
    case 4:
        return controls::classicColour(2);
    default:
        return controls::classicColour(13);
    }
}

constexpr int kEmptySlots = 2; // the line table after a filter that lists nothing

} // namespace

EntryFilters::EntryFilters(const EntryFiltersParts& parts) : parts_(parts)
{
    for (int k = 1; k <= 5; ++k)
        connect(parts_.categoryButtons[k], &QAbstractButton::clicked, this, [this, k] {
            if (k == 5)
                showCalendarItems();
            else
                showCategory(k);
        });
    connect(parts_.allPicturesButton, &QPushButton::clicked, this, &EntryFilters::showAllPictures);

    // A name click: the selection moving to a name, or a click on the name already selected.
    QListWidget* names = parts_.nameList;
    connect(names, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            filterByName();
    });
    connect(names, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item && parts_.nameList->row(item) == rowBeforePress_)
            filterByName();
        rowBeforePress_ = -2;
    });
    names->viewport()->installEventFilter(this);
}

bool EntryFilters::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.nameList->viewport() && event->type() == QEvent::MouseButtonPress)
        rowBeforePress_ = parts_.nameList->currentRow();
    return QObject::eventFilter(watched, event);
}

QString EntryFilters::selectedName() const
{
    const QListWidgetItem* item = parts_.nameList->currentItem();
    return item && parts_.nameList->currentRow() >= 0 ? item->text() : QString();
}

void EntryFilters::setListColour(const QColor& colour) { controls::setTextColour(parts_.entryList, colour); }

void EntryFilters::switchTimeLineOff()
{
    if (!parts_.timelineButton->isChecked())
        return;
    skipStep([&] { parts_.timelineButton->setChecked(false); }); // raises the switch's own handler
    parts_.timelineButton->update();
    for (int k = 1; k <= 7; ++k)
        parts_.stripSlots[k]->clear();
    parts_.stripArrows.hideArrows();
}

void EntryFilters::showCategory(int k)
{
    setListColour(categoryColour(k));
    if (k <= 2)
        skipStep([&] { parts_.entries.moveFirst(); });
    store::DataSource& find = parts_.filteredEntries;
    bool queried = false;
    skipStep([&] {
        find.setRecordSource(
            store::queries::categoryFilter(parts_.categoryButtons[k]->text(), selectedName()));
        find.refresh();
        queried = true;
    });
    if (queried)
        parts_.entryLines.fill(find, kEmptySlots);
    else
        parts_.entryLines.showLines(find, {}, {}, kEmptySlots);
    switchTimeLineOff();
}

void EntryFilters::showCalendarItems()
{
    setListColour(categoryColour(5));
    store::DataSource& entries = parts_.entries;
    skipStep([&] { entries.moveFirst(); });
    const QString name = selectedName().toUpper();
    const bool everyName = name == QLatin1String("*ALL PICTURES");
    QStringList titles;
    QStringList bookmarks;
    const store::Query calendarItems = store::queries::calendarItemsCriterion();
    skipStep([&] {
        entries.findFirst(calendarItems);
        while (!entries.noMatch()) {
            const QVariant where = entries.field(store::kWhereField);
            // A null name equals no text, not even the empty one.
            if (everyName || (!where.isNull() && where.toString().toUpper() == name)) {
                titles << store::fieldText(entries, store::kTitleField);
                bookmarks << entries.bookmark();
            }
            entries.findNext(calendarItems);
        }
    });
    parts_.entryLines.showLines(entries, titles, bookmarks, kEmptySlots);
    switchTimeLineOff();
}

void EntryFilters::showAllPictures()
{
    setListColour(Qt::black);
    skipStep([&] { controls::fillList(parts_.nameList, parts_.nameTable, QStringLiteral("where")); });
    uncheckCategories();
    store::DataSource& entries = parts_.entries;
    skipStep([&] {
        entries.setRecordSource(store::queries::allEntries());
        entries.refresh();
    });
    parts_.entryLines.fill(entries, kEmptySlots);
    skipStep([&] { entries.moveFirst(); });
    if (parts_.entryList->count() > 0)
        parts_.entryList->setCurrentRow(0); // shows the first entry
}

void EntryFilters::uncheckCategories()
{
    parts_.categoryGroup->setExclusive(false);
    for (int k = 1; k <= 5; ++k)
        parts_.categoryButtons[k]->setChecked(false);
    parts_.categoryGroup->setExclusive(true);
}

void EntryFilters::showFoundEntries(const QString& typed, const std::vector<qint64>& rows)
{
    setListColour(Qt::black);
    uncheckCategories();
    {
        const QSignalBlocker quiet(parts_.nameList); // no name click: the words chose the entries
        parts_.nameList->setCurrentRow(-1);
    }
    store::DataSource& entries = parts_.entries;
    skipStep([&] {
        entries.setRecordSource(store::queries::entriesWithWords(typed));
        entries.refreshWithRows(rows);
    });
    parts_.entryLines.fill(entries, kEmptySlots);
    if (parts_.entryList->count() == 0)
        parts_.entryList->setPlaceholderText(QStringLiteral("No entry has these words"));
    switchTimeLineOff();
    skipStep([&] { entries.moveFirst(); });
    if (parts_.entryList->count() > 0)
        parts_.entryList->setCurrentRow(0); // shows the first entry found
}

void EntryFilters::filterByName()
{
    QString caption; // null: none of the four is selected
    for (int k = 1; k <= 4; ++k)
        if (parts_.categoryButtons[k]->isChecked())
            caption = parts_.categoryButtons[k]->text().isNull() ? QString(QLatin1String(""))
                                                                 : parts_.categoryButtons[k]->text();
    store::DataSource& entries = parts_.entries;
    const store::Query query = store::queries::nameFilter(caption, selectedName());
    skipStep([&] {
        entries.setRecordSource(query);
        entries.refresh();
    });
    parts_.entryLines.fill(entries, kEmptySlots);
    switchTimeLineOff();
}

} // namespace wk::filters
