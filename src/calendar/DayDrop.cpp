#include "calendar/DayDrop.h"

#include "contracts/EntryLines.h"
#include "calendar/CalendarCells.h"
#include "calendar/GreyCells.h"
#include "calendar/MonthCalendar.h"
#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/Entry.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include "controls/LineList.h"
#include <QListWidget>
#include <QMimeData>

namespace wk::calendar {

using controls::skipStep;

namespace {
const QString kProgramTitle = QStringLiteral("Wanderkeep");
const QString kEntryLineFormat = QStringLiteral("application/x-wanderkeep-entry-line");
} // namespace

DayDrop::DayDrop(const CalendarParts& parts, MonthCalendar& calendar) : parts_(parts), calendar_(calendar)
{
    for (int i = 1; i <= 42; ++i) {
        parts_.dayCells[i]->setAcceptDrops(true);
        parts_.dayCells[i]->viewport()->setAcceptDrops(true);
        parts_.dayCells[i]->viewport()->installEventFilter(this);
    }
}

int DayDrop::cellOfViewport(QObject* viewport) const
{
    for (int i = 1; i <= 42; ++i) {
        if (parts_.dayCells[i]->viewport() == viewport)
            return i;
    }
    return 0;
}

bool DayDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::DragLeave &&
        type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    const int index = cellOfViewport(watched);
    if (index == 0)
        return QObject::eventFilter(watched, event);
    switch (type) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!enter->mimeData()->hasFormat(kEntryLineFormat))
            return true; // not an entry: refused
        enter->acceptProposedAction();
        dragOverDay(index, Enter);
        return true;
    }
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        if (move->mimeData()->hasFormat(kEntryLineFormat)) {
            move->acceptProposedAction();
            dragOverDay(index, Over);
        }
        return true;
    }
    case QEvent::DragLeave:
        dragOverDay(index, Leave);
        return true;
    default: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasFormat(kEntryLineFormat))
            return true;
        drop->acceptProposedAction();
        dropOnDay(index);
        return true;
    }
    }
}

void DayDrop::dragOverDay(int index, DragState state)
{
    QListWidget* cell = parts_.dayCells[index];
    if (state == Enter) {
        setCellBackground(cell, darkBlue());
        setCellText(cell, white());
    } else if (state == Leave) {
        setCellBackground(cell, white());
        setCellText(cell, black());
        if (greyAfterDragLeaves(index, cellDayNumber(cell)))
            setCellBackground(cell, buttonFace());
    }
}

QDate DayDrop::dropDate(int index) const
{
    const int day = cellDayNumber(parts_.dayCells[index]);
    const QDate month = firstOfMonth(calendar_.shownMonth(), calendar_.shownYear().value_or(0),
                                     monthOffsetOfDropCell(index, day));
    return month.isValid() ? QDate(month.year(), month.month(), day) : QDate();
}

void DayDrop::dropOnDay(int index)
{
    QListWidget* cell = parts_.dayCells[index];
    setCellBackground(cell, white());
    setCellText(cell, black());
    if (monthOffsetOfDropCell(index, cellDayNumber(cell)) != 0)
        setCellBackground(cell, buttonFace());

    // The copy is made of the entry the selected line stands for; no line, no copy.
    const int line = parts_.entryList->currentRow();
    if (line < 0 || line >= parts_.entryList->count())
        return;
    const QString title = parts_.entryList->lineText(line);
    store::Entry copy;
    const bool found = skipStep([&] { copy = store::readEntry(parts_.entryLines.positionOnLine(line)); });
    if (!found)
        return;
    const QDate date = dropDate(index);
    if (!date.isValid())
        return;
    copy.date = date;
    copy.title = title;
    store::DataSource& entries = parts_.entries;
    const QString notMade =
        QStringLiteral("The copy of \"%1\" on %2 was not made.").arg(title, dates::formatLong(date));
    const bool stored = controls::tryWrite(parts_.prompts, kProgramTitle, notMade, [&] {
        try {
            entries.addNew();
            store::writeEntry(entries, copy);
            entries.update();
        } catch (...) {
            if (entries.editing())
                entries.cancelUpdate();
            throw;
        }
    });
    if (stored)
        cell->addItem(title);
}

} // namespace wk::calendar
