#include "calendar/DayList.h"

#include "calendar/CalendarCells.h"
#include "calendar/CaptionHeader.h"
#include "calendar/DayGridModel.h"
#include "calendar/GreyCells.h"
#include "calendar/MonthCalendar.h"
#include "controls/Steps.h"
#include "store/DateRules.h"
#include "store/DataSource.h"
#include "store/Entry.h"
#include "store/Queries.h"
#include "store/StoreError.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

namespace wk::calendar {

using controls::skipStep;

DayList::DayList(const CalendarParts& parts, MonthCalendar& calendar)
    : parts_(parts), calendar_(calendar),
      model_(std::make_unique<DayGridModel>(parts.filteredEntries, dayDate_)),
      header_(new CaptionHeader(parts.dayGrid))
{
    QTableView* grid = parts_.dayGrid;
    grid->setHorizontalHeader(header_);
    grid->setModel(model_.get());
    model_->refused = [this](const QString& typed, const std::exception& failure) {
        controls::tellFailedWrite(parts_.prompts, QStringLiteral("Wanderkeep"),
                                  QStringLiteral("\"%1\" was not stored in the day list.").arg(typed),
                                  failure);
    };
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    header_->setStretchLastSection(true);
    grid->hide();
    parts_.dayListBackButton->hide();

    for (int i = 1; i <= 42; ++i)
        connect(parts_.dayCells[i], &QListWidget::itemClicked, this, [this, i] { openDayList(i); });
    connect(parts_.dayListBackButton, &QPushButton::clicked, this, &DayList::closeDayList);
}

DayList::~DayList() { parts_.dayGrid->setModel(nullptr); }

QString DayList::dateTextOfCell(int index) const
{
    const int day = cellDayNumber(parts_.dayCells[index]);
    const QDate month = firstOfMonth(calendar_.shownMonth(), calendar_.shownYear().value_or(0),
                                     monthOffsetOfCell(index, day));
    if (!month.isValid())
        throw store::StoreError(QStringLiteral("The calendar shows no month."));
    return QStringLiteral(" %1/%2/ %3").arg(month.month()).arg(day).arg(month.year());
}

void DayList::openDayList(int index)
{
    // Stops at the first failure.
    skipStep([&] {
        parts_.dayGrid->show();
        parts_.dayListBackButton->show();
        parts_.dayGrid->raise();
        parts_.dayListBackButton->raise();
        dayCell_ = index;
        parts_.entries.refreshIfChanged();
        header_->setCaption(parts_.dayCells[index]->count() > 0 ? parts_.dayCells[index]->item(0)->text()
                                                                : QString());
        const QString dateText = dateTextOfCell(index);
        dayDate_ = dateText;
        parts_.filteredEntries.setRecordSource(store::queries::day(dateText));
        parts_.filteredEntries.refresh();
        parts_.dayGrid->viewport()->update();
    });
}

void DayList::closeDayList()
{
    store::DataSource& day = parts_.filteredEntries;
    skipStep([&] {
        parts_.dayGrid->hide();
        parts_.dayListBackButton->hide();
    });
    skipStep([&] { parts_.entries.refreshIfChanged(); });
    const QString dateText = dayDate_;
    skipStep([&] {
        day.setRecordSource(store::queries::day(dateText));
        day.refresh();
    });
    const int index = dayCell_;
    if (index < 1 || index > 42)
        return;
    QListWidget* cell = parts_.dayCells[index];
    skipStep([&] { cell->clear(); });
    // The day number stays the first line, also when the day has no entries left.
    skipStep([&] {
        std::optional<QDate> shown = dates::parseDate(dateText);
        if (!shown && !day.eof())
            shown = day.field(store::kDateField).toDate();
        if (shown && shown->isValid())
            cell->addItem(QString::number(shown->day()));
    });
    skipStep([&] {
        while (!day.eof()) {
            const QVariant title = day.field(store::kTitleField);
            if (!title.isNull())
                cell->addItem(title.toString());
            day.moveNext();
        }
    });
}

} // namespace wk::calendar
