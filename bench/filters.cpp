// One category button and one name click on large scrapbooks.
// Usage: filters [entries...]   (default 100000)
#include "controls/Prompts.h"
#include "filters/EntryFilters.h"
#include "shell/MainWindow.h"
#include "LargeScrapbook.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

namespace {

template <class F>
double best(int runs, F&& f)
{
    double fastest = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        f();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    const QList<int> sizes = wk::bench::sizesFromArgs(argc, argv, {100000});

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    for (int entries : sizes) {
        QTemporaryDir dir;
        std::unique_ptr<wk::shell::MainWindow> form =
            wk::bench::startOnLargeScrapbook(dir, entries, 4, QSize(64, 48), prompts, clock);
        wk::filters::EntryFilters& filters = form->entryFilters();

        const double category = best(5, [&] { form->widgets().categoryButtons[1]->click(); });
        const int categoryLines = form->widgets().entryList->count();
        const double query = best(5, [&] { form->filteredEntries().refresh(); });
        std::printf("  (filter set re-query alone %.1f ms)\n", query);
        {
            const QSignalBlocker blocker(form->widgets().nameList);
            form->widgets().nameList->setCurrentRow(0); // "*All Pictures"
        }
        const double calendar = best(5, [&] { form->widgets().categoryButtons[5]->click(); });
        const int calendarLines = form->widgets().entryList->count();
        const QList<QListWidgetItem*> dad =
            form->widgets().nameList->findItems(QStringLiteral("Dad"), Qt::MatchExactly);
        double name = 0;
        if (!dad.isEmpty()) {
            form->widgets().nameList->setCurrentItem(dad.first());
            name = best(5, [&] { filters.filterByName(); });
        }
        const int nameLines = form->widgets().entryList->count();
        const double all = best(3, [&] { filters.showAllPictures(); });

        std::printf("%7d entries: category button %7.1f ms (%d lines), Calendar Items %7.1f ms "
                    "(%d lines), name click %7.1f ms (%d lines), All Pictures %7.1f ms\n",
                    entries, category, categoryLines, calendar, calendarLines, name, nameLines, all);
        std::fflush(stdout);
        form.reset();
        QApplication::processEvents();
    }
    return 0;
}
