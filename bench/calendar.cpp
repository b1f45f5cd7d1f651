// The calendar on large scrapbooks: the switch (with its re-query of the entry set), one step
// of the month scroller and a click on a day cell (the day query and the day grid).
// Usage: calendar [entries...]   (default 10000 100000)
#include "calendar/DayList.h"
#include "calendar/MonthCalendar.h"
#include "controls/PictureButton.h"
#include "controls/Prompts.h"
#include "shell/MainWindow.h"
#include "LargeScrapbook.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    const QList<int> sizes = wk::bench::sizesFromArgs(argc, argv, {10000, 100000});

    wk::bench::SilentPrompts prompts;
    wk::store::FixedClock clock(QDate::currentDate());
    for (int entries : sizes) {
        QTemporaryDir dir;
        std::unique_ptr<wk::shell::MainWindow> form =
            wk::bench::startOnLargeScrapbook(dir, entries, 20, QSize(640, 480), prompts, clock);

        // Today is pinned to a day whose month holds entries of the generated scrapbook.
        form->entries().moveFirst();
        const QDate day = form->entries().field("DATE").toDate();
        clock.setToday(QDate(day.year(), day.month(), 15));

        // The switch: on (with its re-query and the fill), measured; off again between runs.
        // "changed": an entry was written just before, so the entry set really runs again.
        auto switchOn = [&](bool writeFirst) {
            std::vector<double> times;
            QElapsedTimer timer;
            for (int r = 0; r < 5; ++r) {
                if (writeFirst) {
                    form->entries().moveFirst();
                    form->entries().edit();
                    form->entries().setField("LOG", QString::number(r));
                    form->entries().update();
                }
                timer.start();
                form->widgets().calendarButton->click();
                times.push_back(timer.nsecsElapsed() / 1e6);
                form->widgets().calendarButton->click();
            }
            std::sort(times.begin(), times.end());
            return times[times.size() / 2];
        };
        const double switchChanged = switchOn(true);
        const double switchUnchanged = switchOn(false);
        form->widgets().calendarButton->click();
        const double requery = wk::bench::medianMs(3, [&] { form->entries().refresh(); });

        // One month step forward and back, alternately (never across a year end).
        QScrollBar* months = form->widgets().monthScroller;
        months->setValue(6);
        int step = 0;
        const double monthStep = wk::bench::medianMs(21, [&] {
            months->triggerAction(step++ % 2 == 0 ? QAbstractSlider::SliderSingleStepAdd
                                                  : QAbstractSlider::SliderSingleStepSub);
        });
        int titles = 0;
        for (int i = 1; i <= 42; ++i)
            titles += form->widgets().dayCells[i]->count() - 1;

        // A click on a day cell of the shown month, then "Back".
        wk::calendar::DayList& days = form->calendar().dayList();
        const double dayClick = wk::bench::medianMs(11, [&] { days.openDayList(17); });
        const int dayRows = form->filteredEntries().recordCount();
        const double back = wk::bench::medianMs(11, [&] { days.closeDayList(); });

        std::printf("%7d entries: calendar switch %7.1f ms after a write (entry set re-query alone "
                    "%7.1f ms), %6.1f ms unchanged; month step %6.2f ms (%d titles shown); "
                    "day click %6.2f ms (%d rows); Back %6.2f ms\n",
                    entries, switchChanged, requery, switchUnchanged, monthStep, titles, dayClick, dayRows,
                    back);
        std::fflush(stdout);
        form.reset();
        QApplication::processEvents();
    }
    return 0;
}
