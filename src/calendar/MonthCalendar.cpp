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

// A year label as a year; nothing when it is not a number of a year.
std::optional<int> yearOf(const QString& label)
{
    bool ok = false;
    const int year = label.trimmed().toInt(&ok);
    if (!ok || year < 1)
        return std::nullopt;
    return year;
}
} // namespace

MonthCalendar::MonthCalendar(const CalendarParts& parts)
    : parts_(parts), index_(std::make_unique<EntryDateIndex>(parts.Data1))
{
    setUpDayCells(parts_.List1, this);
    dayList_ = std::make_unique<DayList>(parts_, *this);
    dayDrop_ = std::make_unique<DayDrop>(parts_, *this);

    connect(parts_.Calstart1, &QAbstractButton::toggled, this, &MonthCalendar::CALSTART1_Click);
    connect(parts_.ScrollMo, &QScrollBar::valueChanged, this, &MonthCalendar::ScrollMo_Change);
    connect(parts_.ScrollMo, &QScrollBar::sliderMoved, this, &MonthCalendar::ScrollMo_Scroll);
}

MonthCalendar::~MonthCalendar() = default;

void MonthCalendar::clearCells()
{
    for (int i = 1; i <= 42; ++i) {
        if (parts_.List1[i]->count() > 0)
            parts_.List1[i]->clear();
    }
}

void MonthCalendar::setWeekdayHeadings()
{
    for (int k = 1; k <= 7; ++k)
        parts_.WeekdayLabel[k]->setText(QString::fromLatin1(kWeekdays[k - 1]));
}

void MonthCalendar::CALSTART1_Click()
{
    const QDate today = parts_.clock.today();
    skipStep([&] {
        parts_.VScroll1->show();
        parts_.VScroll1->setValue(today.year()); // its change handler shows the year in Label8
    });
    skipStep([&] {
        parts_.ScrollMo->show();
        parts_.ScrollMo->setValue(today.month());
    });
    if (parts_.Calstart1->isChecked()) {
        skipStep([&] {
            parts_.Frame3->hide();
            parts_.Frame4->show();
            parts_.Text3->hide();
        });
        skipStep([&] {
            for (int i = 1; i <= 42; ++i)
                parts_.List1[i]->show();
            for (int k = 1; k <= 7; ++k)
                parts_.WeekdayLabel[k]->show();
            parts_.CALLABEL->show();
            parts_.Label8->show();
        });
        fillMonth(today.month(), today.year(), {.requery = true});
        return;
    }
    skipStep([&] {
        parts_.Frame3->show();
        parts_.Frame4->hide();
        parts_.Text3->show();
        parts_.Calstart1->show();
    });
    skipStep([&] { parts_.mainScreen.showMainScreen(); });
    skipStep([&] {
        const QSize shown = parts_.Image8->picture().naturalSize;
        if (shown.height() > shown.width())
            controls::setTwipsWidth(parts_.Image8, kPortraitImageWidth);
    });
    skipStep([&] {
        parts_.Image8->update();
        parts_.ListDB1->show();
        parts_.DBGrid1->hide();
        parts_.CmdDayList->hide();
    });
}

void MonthCalendar::fillMonth(int month, int year, MonthFillOptions options)
{
    skipStep([&] { clearCells(); });
    skipStep([&] {
        parts_.CALLABEL->setText(dates::monthName(month));
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
        setCellBackground(parts_.List1[i], window);
        setCellText(parts_.List1[i], black());
    }
    for (int i = 1; i <= 42; ++i) {
        if (monthOffsetOfCell(i, day[size_t(i)]) != 0)
            setCellBackground(parts_.List1[i], face);
    }
    const int todayNumber = parts_.clock.today().day();
    std::array<QStringList, 43> lines;
    for (int i = 1; i <= 42; ++i) {
        QListWidget* cell = parts_.List1[i];
        if (day[size_t(i)] == todayNumber && cellBackground(cell) != face) {
            setCellBackground(cell, darkBlue());
            setCellText(cell, white());
        }
        lines[size_t(i)] << QString::number(day[size_t(i)]);
    }

    // Entry pass: every entry of the set whose day is one of the 42, in set order.
    store::DataSource& entries = parts_.Data1;
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
        parts_.List1[i]->addItems(lines[size_t(i)]);
    // As after passing over every row: the entry set rests past its last row.
    skipStep([&] {
        if (entries.recordCount() > 0) {
            entries.moveLast();
            entries.moveNext();
        }
    });
}

void MonthCalendar::ScrollMo_Change()
{
    clearCells();
    const int value = parts_.ScrollMo->value();
    const std::optional<int> year = yearOf(parts_.Label8->text());
    if (value == 13 || value == 0) {
        // One step past December or before January: the neighbouring month's year, then the
        // scroller comes back to 1 or 12, which fills that month.
        const QDate shown = firstOfMonth(monthOfName(parts_.CALLABEL->text()), year.value_or(0), 0);
        if (!shown.isValid())
            return;
        const QDate d = shown.addMonths(value == 13 ? 1 : -1);
        parts_.CALLABEL->setText(dates::monthName(d.month()));
        parts_.Label8->setText(QString::number(d.year()));
        parts_.ScrollMo->setValue(value == 13 ? 1 : 12);
        return;
    }
    if (!year)
        return; // a year label that is no year: the grid stays empty
    const QDate d(*year, value, 1);
    parts_.CALLABEL->setText(dates::monthName(d.month()));
    parts_.Label8->setText(QString::number(d.year()));
    setWeekdayHeadings();
    fillMonth(d.month(), d.year(), {.requery = false});
}

void MonthCalendar::ScrollMo_Scroll(int value)
{
    if (value < 1 || value > 12 || !yearOf(parts_.Label8->text()))
        return;
    parts_.CALLABEL->setText(dates::monthName(value));
}

} // namespace wk::calendar
