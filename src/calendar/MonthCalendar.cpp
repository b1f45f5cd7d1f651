#include "calendar/MonthCalendar.h"

#include "calendar/CalendarCells.h"
#include "calendar/DayCells.h"
#include "calendar/DayDrop.h"
#include "calendar/DayList.h"
#include "calendar/EntryDateIndex.h"
#include "calendar/GreyCells.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "contracts/MainScreen.h"
#include "store/DateRules.h"
#include "store/Clock.h"
#include "store/DataSource.h"
#include "store/Entry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include "controls/LineList.h"
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <optional>

namespace wk::calendar {

using controls::skipStep;

namespace {
constexpr int kPortraitImageWidth = 2400;
const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The shown year when it is the number of a year.
std::optional<int> validYear(std::optional<int> year)
{
    if (!year || *year < 1)
        return std::nullopt;
    return year;
}
} // namespace

MonthCalendar::MonthCalendar(const CalendarParts& parts)
    : parts_(parts), index_(std::make_unique<EntryDateIndex>(parts.entries))
{
    setUpDayCells(parts_.dayCells, this);
    dayList_ = std::make_unique<DayList>(parts_, *this);
    dayDrop_ = std::make_unique<DayDrop>(parts_, *this);

    connect(parts_.calendarButton, &QAbstractButton::toggled, this, &MonthCalendar::toggleCalendar);
    connect(parts_.monthScroller, &QScrollBar::valueChanged, this, &MonthCalendar::showScrolledMonth);
    connect(parts_.monthScroller, &QScrollBar::sliderMoved, this, &MonthCalendar::followMonthDrag);
}

MonthCalendar::~MonthCalendar() = default;

void MonthCalendar::clearCells()
{
    for (int i = 1; i <= 42; ++i) {
        if (parts_.dayCells[i]->count() > 0)
            parts_.dayCells[i]->clear();
    }
}

void MonthCalendar::setWeekdayHeadings()
{
    for (int k = 1; k <= 7; ++k)
        parts_.weekdayLabels[k]->setText(QString::fromLatin1(kWeekdays[k - 1]));
}

void MonthCalendar::showMonth(int month)
{
    month_ = month >= 1 && month <= 12 ? month : 0;
    parts_.monthLabel->setText(dates::monthName(month));
}

void MonthCalendar::showYear(int year)
{
    year_ = year;
    parts_.yearLabel->setText(QString::number(year));
}

void MonthCalendar::toggleCalendar()
{
    const QDate today = parts_.clock.today();
    skipStep([&] {
        parts_.yearScroller->show();
        parts_.yearScroller->setValue(today.year()); // its change handler shows the year in yearLabel
    });
    skipStep([&] {
        parts_.monthScroller->show();
        parts_.monthScroller->setValue(today.month());
    });
    if (parts_.calendarButton->isChecked()) {
        skipStep([&] {
            parts_.bigPictureFrame->hide();
            parts_.calendarFrame->show();
            parts_.logEdit->hide();
        });
        skipStep([&] {
            for (int i = 1; i <= 42; ++i)
                parts_.dayCells[i]->show();
            for (int k = 1; k <= 7; ++k)
                parts_.weekdayLabels[k]->show();
            parts_.monthLabel->show();
            parts_.yearLabel->show();
        });
        fillMonth(today.month(), today.year(), {.requery = true});
        return;
    }
    skipStep([&] {
        parts_.bigPictureFrame->show();
        parts_.calendarFrame->hide();
        parts_.logEdit->show();
        parts_.calendarButton->show();
    });
    skipStep([&] { parts_.mainScreen.showMainScreen(); });
    skipStep([&] {
        const QSize shown = parts_.bigImage->picture().naturalSize;
        if (shown.height() > shown.width())
            controls::setTwipsWidth(parts_.bigImage, kPortraitImageWidth);
    });
    skipStep([&] {
        parts_.bigImage->update();
        parts_.entryList->show();
        parts_.dayGrid->hide();
        parts_.dayListBackButton->hide();
    });
}

void MonthCalendar::fillMonth(int month, int year, MonthFillOptions options)
{
    skipStep([&] { clearCells(); });
    skipStep([&] {
        showMonth(month);
        setWeekdayHeadings();
    });
    const QDate first = firstOfMonth(month, year, 0);
    if (!first.isValid())
        return;

    // Day numbers and dates of the six weeks from the Sunday on or before the 1st.
    const int firstWeekday = first.dayOfWeek() % 7 + 1; // Sunday 1 .. Saturday 7
    const QDate previous = first.addMonths(-1);
    const QDate next = first.addMonths(1);
    const int previousLength = previous.daysInMonth();
    const int length = first.daysInMonth();
    std::array<int, 43> day{};
    for (int i = 1; i <= 42; ++i) {
        int d = i - firstWeekday + 1;
        if (d < 1) {
            d = previousLength + i - firstWeekday + 1;
            cellDates_[size_t(i)] = QDate(previous.year(), previous.month(), d);
        } else if (d > length) {
            d -= length;
            cellDates_[size_t(i)] = QDate(next.year(), next.month(), d);
        } else {
            cellDates_[size_t(i)] = QDate(year, month, d);
        }
        day[size_t(i)] = d;
    }

    const QColor window = windowBackground();
    const QColor face = buttonFace();
    // Text colours too: a cell that was today's in an earlier fill would otherwise keep white
    // text on the window colour, and its day number would vanish.
    for (int i = 1; i <= 42; ++i) {
        setCellBackground(parts_.dayCells[i], window);
        setCellText(parts_.dayCells[i], black());
    }
    for (int i = 1; i <= 42; ++i) {
        if (monthOffsetOfCell(i, day[size_t(i)]) != 0)
            setCellBackground(parts_.dayCells[i], face);
    }
    const int todayNumber = parts_.clock.today().day();
    std::array<QStringList, 43> lines;
    for (int i = 1; i <= 42; ++i) {
        QListWidget* cell = parts_.dayCells[i];
        if (day[size_t(i)] == todayNumber && cellBackground(cell) != face) {
            setCellBackground(cell, darkBlue());
            setCellText(cell, white());
        }
        lines[size_t(i)] << QString::number(day[size_t(i)]);
    }

    // Entry pass: every entry of the set whose day is one of the 42, in set order.
    store::DataSource& entries = parts_.entries;
    // Re-querying a set that nothing was written to since its last run gives the same rows.
    if (options.requery)
        skipStep([&] { entries.refreshIfChanged(); });
    skipStep([&] {
        const qint64 firstDay = cellDates_[1].toJulianDay();
        for (const auto& [date, row] : index_->rowsBetween(cellDates_[1], cellDates_[42])) {
            const QVariant title = entries.fieldAt(row, store::kTitleField);
            if (title.isNull())
                continue; // a null title adds no line
            lines[size_t(date.toJulianDay() - firstDay + 1)] << title.toString();
        }
    });
    for (int i = 1; i <= 42; ++i)
        parts_.dayCells[i]->addItems(lines[size_t(i)]);
    // As after passing over every row: the entry set rests past its last row.
    skipStep([&] {
        if (entries.recordCount() > 0) {
            entries.moveLast();
            entries.moveNext();
        }
    });
}

void MonthCalendar::showScrolledMonth()
{
    clearCells();
    const int value = parts_.monthScroller->value();
    const std::optional<int> year = validYear(year_);
    if (value == 13 || value == 0) {
        // One step past December or before January: the neighbouring month's year, then the
        // scroller comes back to 1 or 12, which fills that month.
        const QDate shown = firstOfMonth(month_, year.value_or(0), 0);
        if (!shown.isValid())
            return;
        const QDate d = shown.addMonths(value == 13 ? 1 : -1);
        showMonth(d.month());
        showYear(d.year());
        parts_.monthScroller->setValue(value == 13 ? 1 : 12);
        return;
    }
    if (!year)
        return; // a year label that is no year: the grid stays empty
    const QDate d(*year, value, 1);
    showMonth(d.month());
    showYear(d.year());
    setWeekdayHeadings();
    fillMonth(d.month(), d.year(), {.requery = false});
}

void MonthCalendar::followMonthDrag(int value)
{
    if (value < 1 || value > 12 || !validYear(year_))
        return;
    showMonth(value);
}

} // namespace wk::calendar
