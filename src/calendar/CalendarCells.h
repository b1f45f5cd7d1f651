#pragma once
// The 42 day cells of the month grid: their colours, their day numbers and the date a cell
// stands for. Shared by the month fill, the day grid and the drop on a day.
#include <QColor>
#include <QDate>
#include <QString>

class QListWidget;

namespace wk::calendar {

// Background of a cell of the shown month: the desktop palette's window background.
QColor windowBackground();
// Background of a grey cell (a day of the month before or after): the desktop button face.
QColor buttonFace();
QColor darkBlue(); // 0, 0, 128
QColor white();    // 255, 255, 255
QColor black();    // 0, 0, 0

QColor cellBackground(const QListWidget* cell);
QColor cellText(const QListWidget* cell);
// Each sets one colour role of the cell; nothing happens when it already has that colour.
void setCellBackground(QListWidget* cell, const QColor& colour);
void setCellText(QListWidget* cell, const QColor& colour);

// The number on the cell's first line; 0 when the cell is empty or the line is not a number.
int cellDayNumber(const QListWidget* cell);

// Month 1..12 of a month name ("June" -> 6); 0 when the text is not a month name.
int monthOfName(const QString& name);

// The first of the month `offset` months away from month/year (offset -1, 0 or 1), stepping
// the year across January and December. Invalid when month or year cannot form a date.
QDate firstOfMonth(int month, int year, int offset);

} // namespace wk::calendar
