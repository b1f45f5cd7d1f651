// Start-up to the first picture and one entry-list fill on large scrapbooks, with peak memory.
// Usage: startup [entries...]   (default 10000 100000)
//        startup --in DIR       (time an existing scrapbook folder)
#include "browse/EntryList.h"
#include "controls/Prompts.h"
#include "controls/LineList.h"
#include "shell/MainWindow.h"
#include "LargeScrapbook.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    QList<int> sizes;
    QString existing;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--in") && i + 1 < argc)
            existing = QDir(QString::fromLocal8Bit(argv[++i])).absolutePath();
        else
            sizes << arg.toInt();
    }
    if (!existing.isEmpty())
        sizes = {0};
    if (sizes.isEmpty())
        sizes = {10000, 100000};

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    for (int entries : sizes) {
        QTemporaryDir dir;
        if (existing.isEmpty())
            wk::sample::writeLargeScrapbook(dir.path(), entries, 20, QSize(4000, 3000));
        const QString programDirectory = existing.isEmpty() ? dir.path() : existing;

        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<wk::shell::MainWindow> form =
            wk::bench::startProgram({prompts, programDirectory, clock});
        const double startup = timer.nsecsElapsed() / 1e6;

        timer.restart();
        form->entryLines().fill(form->entries());
        const double fill = timer.nsecsElapsed() / 1e6;

        timer.restart();
        form->entries().refresh();
        const double refresh = timer.nsecsElapsed() / 1e6;

        std::printf("%7d entries: start-up to first picture %8.1f ms, list fill %7.1f ms "
                    "(%d lines), entry set refresh %7.1f ms, peak memory %ld MiB\n",
                    form->widgets().entryList->count(), startup, fill, form->widgets().entryList->count(),
                    refresh, peakMemoryMiB());
        std::fflush(stdout);
        form.reset();
        QApplication::processEvents();
    }
    return 0;
}
