#include "calendar/CalendarCells.h"

#include "store/DateRules.h"

#include <QApplication>
#include <QListWidget>
#include <QPalette>

namespace wk::calendar {

QColor windowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }
QColor buttonFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }
QColor darkBlue() { return QColor(0, 0, 128); }
QColor white() { return QColor(255, 255, 255); }
QColor black() { return QColor(0, 0, 0); }

QColor cellBackground(const QListWidget* cell)
{
    return cell->palette().color(QPalette::Active, QPalette::Base);
}
QColor cellText(const QListWidget* cell) { return cell->palette().color(QPalette::Active, QPalette::Text); }

namespace {
void setRole(QListWidget* cell, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = cell->palette();
    if (palette.color(QPalette::Active, role) == colour && palette.color(QPalette::Inactive, role) == colour)
        return;
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    cell->setPalette(palette);
}
} // namespace

void setCellBackground(QListWidget* cell, const QColor& colour) { setRole(cell, QPalette::Base, colour); }
void setCellText(QListWidget* cell, const QColor& colour) { setRole(cell, QPalette::Text, colour); }

int cellDayNumber(const QListWidget* cell)
{
    if (cell->count() == 0)
        return 0;
    bool ok = false;
    const int day = cell->item(0)->text().trimmed().toInt(&ok);
    return ok ? day : 0;
}

int monthOfName(const QString& name) { return int(dates::monthNames().indexOf(name.trimmed())) + 1; }

QDate firstOfMonth(int month, int year, int offset)
{
    const QDate first(year, month, 1);
    return first.isValid() ? first.addMonths(offset) : QDate();
}

} // namespace wk::calendar
