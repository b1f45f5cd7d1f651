#include "calendar/DayList.h"

#include "calendar/CalendarCells.h"
#include "calendar/CaptionHeader.h"
#include "calendar/DayGridModel.h"
#include "calendar/GreyCells.h"
#include "calendar/MonthCalendar.h"
#include "controls/Steps.h"
#include "shell/Mtform1.h"
#include "store/DateRules.h"
#include "store/Entry.h"
#include "store/Queries.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

namespace wk::calendar {

using controls::skipStep;

DayList::DayList(shell::Mtform1& form, MonthCalendar& calendar)
    : QObject(&form), form_(form), calendar_(calendar),
      model_(std::make_unique<DayGridModel>(form.DataFind, form.ListDate)),
      header_(new CaptionHeader(form.DBGrid1))
{
    QTableView* grid = form_.DBGrid1;
    grid->setHorizontalHeader(header_);
    grid->setModel(model_.get());
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    header_->setStretchLastSection(true);
    grid->hide();
    form_.CmdDayList->hide();
    form_.ListDate->hide();

    for (int i = 1; i <= 42; ++i)
        connect(form_.List1[i], &QListWidget::itemClicked, this, [this, i] { List1_Click(i); });
    connect(form_.CmdDayList, &QPushButton::clicked, this, &DayList::CmdDayList_Click);
}

DayList::~DayList() { form_.DBGrid1->setModel(nullptr); }

QString DayList::dateTextOfCell(int index) const
{
    const int day = cellDayNumber(form_.List1[index]);
    const QDate month = firstOfMonth(monthOfName(form_.CALLABEL->text()),
                                     form_.Label8->text().trimmed().toInt(), monthOffsetOfCell(index, day));
    if (!month.isValid())
        throw store::StoreError(QStringLiteral("The calendar shows no month."));
    return QStringLiteral(" %1/%2/ %3").arg(month.month()).arg(day).arg(month.year());
}

void DayList::List1_Click(int index)
{
    // Stops at the first failure.
    skipStep([&] {
        form_.DBGrid1->show();
        form_.CmdDayList->show();
        form_.DBGrid1->raise();
        form_.CmdDayList->raise();
        form_.dayListCell = std::int16_t(index);
        form_.Data1.refreshIfChanged();
        header_->setCaption(form_.List1[index]->count() > 0 ? form_.List1[index]->item(0)->text()
                                                            : QString());
        const QString dateText = dateTextOfCell(index);
        form_.ListDate->setText(dateText);
        form_.DataFind.setRecordSource(store::queries::day(dateText));
        form_.DataFind.refresh();
        form_.DBGrid1->viewport()->update();
    });
}

void DayList::CmdDayList_Click()
{
    store::DataSource& day = form_.DataFind;
    skipStep([&] {
        form_.DBGrid1->hide();
        form_.CmdDayList->hide();
    });
    skipStep([&] { form_.Data1.refreshIfChanged(); });
    const QString dateText = form_.ListDate->text();
    skipStep([&] {
        day.setRecordSource(store::queries::day(dateText));
        day.refresh();
    });
    const int index = form_.dayListCell;
    if (index < 1 || index > 42)
        return;
    QListWidget* cell = form_.List1[index];
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
