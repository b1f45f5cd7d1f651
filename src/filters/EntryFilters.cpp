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
        connect(parts_.SSOption[k], &QAbstractButton::clicked, this, [this, k] {
            if (k == 5)
                SSOption5_Click();
            else
                categoryClick(k);
        });
    connect(parts_.CmdAll, &QPushButton::clicked, this, &EntryFilters::CmdAll_Click);

    // A name click: the selection moving to a name, or a click on the name already selected.
    QListWidget* names = parts_.DBList2;
    connect(names, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            DBList2_Click();
    });
    connect(names, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item && parts_.DBList2->row(item) == rowBeforePress_)
            DBList2_Click();
        rowBeforePress_ = -2;
    });
    names->viewport()->installEventFilter(this);
}

bool EntryFilters::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_.DBList2->viewport() && event->type() == QEvent::MouseButtonPress)
        rowBeforePress_ = parts_.DBList2->currentRow();
    return QObject::eventFilter(watched, event);
}

QString EntryFilters::selectedName() const
{
    const QListWidgetItem* item = parts_.DBList2->currentItem();
    return item && parts_.DBList2->currentRow() >= 0 ? item->text() : QString();
}

void EntryFilters::setListColour(const QColor& colour) { controls::setTextColour(parts_.ListDB1, colour); }

void EntryFilters::switchTimeLineOff()
{
    if (!parts_.TimeOn1->isChecked())
        return;
    skipStep([&] { parts_.TimeOn1->setChecked(false); }); // raises the switch's own handler
    parts_.TimeOn1->update();
    for (int k = 1; k <= 7; ++k)
        parts_.Image[k]->clear();
    parts_.stripArrows.hideArrows();
}

void EntryFilters::categoryClick(int k)
{
    setListColour(categoryColour(k));
    if (k <= 2)
        skipStep([&] { parts_.Data1.moveFirst(); });
    store::DataSource& find = parts_.DataFind;
    bool queried = false;
    skipStep([&] {
        find.setRecordSource(store::queries::categoryFilter(parts_.SSOption[k]->text(), selectedName()));
        find.refresh();
        queried = true;
    });
    if (queried)
        parts_.entryLines.fill(find, kEmptySlots);
    else
        parts_.entryLines.showLines(find, {}, {}, kEmptySlots);
    switchTimeLineOff();
}

void EntryFilters::SSOption5_Click()
{
    setListColour(categoryColour(5));
    store::DataSource& entries = parts_.Data1;
    skipStep([&] { entries.moveFirst(); });
    const QString name = selectedName().toUpper();
    const bool everyName = name == QLatin1String("*ALL PICTURES");
    QStringList titles;
    QStringList bookmarks;
    const QString calendarItems = store::queries::calendarItemsCriterion();
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

void EntryFilters::CmdAll_Click()
{
    setListColour(Qt::black);
    skipStep([&] { controls::fillList(parts_.DBList2, parts_.DataWhere, QStringLiteral("where")); });
    parts_.categoryOptions->setExclusive(false);
    for (int k = 1; k <= 5; ++k)
        parts_.SSOption[k]->setChecked(false);
    parts_.categoryOptions->setExclusive(true);
    store::DataSource& entries = parts_.Data1;
    skipStep([&] {
        entries.setRecordSource(store::queries::allEntries());
        entries.refresh();
    });
    parts_.entryLines.fill(entries, kEmptySlots);
    skipStep([&] { entries.moveFirst(); });
    if (parts_.ListDB1->count() > 0)
        parts_.ListDB1->setCurrentRow(0); // shows the first entry
}

void EntryFilters::DBList2_Click()
{
    QString caption; // null: none of the four is selected
    for (int k = 1; k <= 4; ++k)
        if (parts_.SSOption[k]->isChecked())
            caption =
                parts_.SSOption[k]->text().isNull() ? QString(QLatin1String("")) : parts_.SSOption[k]->text();
    store::DataSource& entries = parts_.Data1;
    const QString query = store::queries::nameFilter(caption, selectedName());
    skipStep([&] {
        entries.setRecordSource(query);
        entries.refresh();
    });
    parts_.entryLines.fill(entries, kEmptySlots);
    switchTimeLineOff();
}

} // namespace wk::filters
