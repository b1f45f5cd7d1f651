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
      model_(std::make_unique<DayGridModel>(parts.DataFind, parts.ListDate)),
      header_(new CaptionHeader(parts.DBGrid1))
{
    QTableView* grid = parts_.DBGrid1;
    grid->setHorizontalHeader(header_);
    grid->setModel(model_.get());
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    header_->setStretchLastSection(true);
    grid->hide();
    parts_.CmdDayList->hide();
    parts_.ListDate->hide();

    for (int i = 1; i <= 42; ++i)
        connect(parts_.List1[i], &QListWidget::itemClicked, this, [this, i] { List1_Click(i); });
    connect(parts_.CmdDayList, &QPushButton::clicked, this, &DayList::CmdDayList_Click);
}

DayList::~DayList() { parts_.DBGrid1->setModel(nullptr); }

QString DayList::dateTextOfCell(int index) const
{
    const int day = cellDayNumber(parts_.List1[index]);
    const QDate month = firstOfMonth(monthOfName(parts_.CALLABEL->text()),
                                     parts_.Label8->text().trimmed().toInt(), monthOffsetOfCell(index, day));
    if (!month.isValid())
        throw store::StoreError(QStringLiteral("The calendar shows no month."));
    return QStringLiteral(" %1/%2/ %3").arg(month.month()).arg(day).arg(month.year());
}

void DayList::List1_Click(int index)
{
    // Stops at the first failure.
    skipStep([&] {
        parts_.DBGrid1->show();
        parts_.CmdDayList->show();
        parts_.DBGrid1->raise();
        parts_.CmdDayList->raise();
        parts_.dayListCell = std::int16_t(index);
        parts_.Data1.refreshIfChanged();
        header_->setCaption(parts_.List1[index]->count() > 0 ? parts_.List1[index]->item(0)->text()
                                                             : QString());
        const QString dateText = dateTextOfCell(index);
        parts_.ListDate->setText(dateText);
        parts_.DataFind.setRecordSource(store::queries::day(dateText));
        parts_.DataFind.refresh();
        parts_.DBGrid1->viewport()->update();
    });
}

void DayList::CmdDayList_Click()
{
    store::DataSource& day = parts_.DataFind;
    skipStep([&] {
        parts_.DBGrid1->hide();
        parts_.CmdDayList->hide();
    });
    skipStep([&] { parts_.Data1.refreshIfChanged(); });
    const QString dateText = parts_.ListDate->text();
    skipStep([&] {
        day.setRecordSource(store::queries::day(dateText));
        day.refresh();
    });
    const int index = parts_.dayListCell;
    if (index < 1 || index > 42)
        return;
    QListWidget* cell = parts_.List1[index];
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
