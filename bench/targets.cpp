// The everyday steps on a large scrapbook, each printed next to its raw limit measured in the same
// run: reading every entry row in date order with SQLite (every column's text, nothing kept),
// plus, for the first picture, one 1/8-scale decode of that picture, libjpeg's cheapest way to a
// small picture. Pictures are 12-megapixel camera-like JPEGs.
//   - first picture seen on a second start (the first start filled the thumbnail cache);
//   - List by Date and the Main Screen, each just after an edit;
//   - a category button; the calendar switch just after an edit;
//   - peak memory, and memory per entry above the program started on an empty scrapbook.
// Usage: bench_targets [entries...]   (default 100000; each size runs in a process of its own so
// that its peak memory is its own)
#include "BenchSupport.h"
#include "LargeScrapbook.h"

#include "controls/PictureButton.h"
#include "shell/MainWindow.h"
#include "store/ScrapbookFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThreadPool>
#include <cstdio>
#include <malloc.h>
#include <sqlite3.h>

namespace {

double residentNow()
{
    malloc_trim(0);
    return wk::bench::processMemory("VmRSS");
}

double readEveryRowMs(const QString& database)
{
    return wk::bench::medianMs(5, [&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM MYLIFE ORDER BY DATE", -1, &stmt, nullptr);
        qint64 bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                sqlite3_column_text(stmt, c);
                bytes += sqlite3_column_bytes(stmt, c);
            }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        if (bytes == 0)
            std::fprintf(stderr, "no rows read from %s\n", qPrintable(database));
    });
}

double eighthDecodeMs(const QString& file)
{
    return wk::bench::medianMs(5, [&] {
        QImageReader reader(file);
        reader.setScaledSize(reader.size() / 8);
        if (reader.read().isNull())
            std::fprintf(stderr, "cannot decode %s\n", qPrintable(file));
    });
}

void editAnEntry(wk::shell::MainWindow& form, int run)
{
    form.entries().moveFirst();
    form.entries().edit();
    form.entries().setField("LOG", QStringLiteral("edited %1").arg(run));
    form.entries().update();
}

template <class Before, class Timed>
double medianAfter(int runs, Before&& before, Timed&& timed)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        before(r);
        times.push_back(wk::bench::medianMs(1, timed));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void printRatio(const char* what, double ms, double limitMs, const char* limitName, double target)
{
    std::printf("  %-40s %8.1f ms = %5.2fx %s (target at most %.1fx)\n", what, ms, ms / limitMs, limitName,
                target);
}

int measure(int entries, const QString& self)
{
    QTemporaryDir dir;
    QTemporaryDir emptyDir;
    QTemporaryDir caches;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(caches.path()));
    // Written by a child process, so that writing costs this process no memory.
    if (QProcess::execute(self, {QStringLiteral("--write"), dir.path(), QString::number(entries)}) != 0 ||
        QProcess::execute(self, {QStringLiteral("--write"), emptyDir.path(), QStringLiteral("0")}) != 0) {
        std::fprintf(stderr, "cannot write the scrapbooks\n");
        return 1;
    }
    const QString database = QDir(dir.path()).filePath(QLatin1String(wk::store::kScrapbookFileName));

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    double emptyProgram = 0;
    {
        auto form = wk::bench::startProgram({prompts, emptyDir.path(), clock});
        QApplication::processEvents();
        emptyProgram = residentNow();
    }
    // The first start fills the thumbnail cache; the second is timed.
    wk::bench::startProgram({prompts, dir.path(), clock}).reset();
    QThreadPool::globalInstance()->waitForDone();
    std::unique_ptr<wk::shell::MainWindow> form;
    QElapsedTimer timer;
    timer.start();
    form = wk::bench::startProgram({prompts, dir.path(), clock});
    const double firstPicture = timer.nsecsElapsed() / 1e6;
    QApplication::processEvents();
    const double started = residentNow();

    const auto edit = [&](int run) { editAnEntry(*form, run); };
    const double listByDate = medianAfter(
        5,
        [&](int run) {
            form->widgets().mainScreenButton->click();
            edit(run);
        },
        [&] { form->widgets().listByDateButton->click(); });
    const double mainScreen = medianAfter(
        5,
        [&](int run) {
            form->widgets().listByDateButton->click();
            edit(run);
        },
        [&] { form->widgets().mainScreenButton->click(); });
    form->widgets().mainScreenButton->click();
    const double category = wk::bench::medianMs(5, [&] { form->widgets().categoryButtons[1]->click(); });
    const double calendar = medianAfter(
        5,
        [&](int run) {
            if (form->widgets().calendarButton->isChecked())
                form->widgets().calendarButton->click();
            edit(run);
        },
        [&] { form->widgets().calendarButton->click(); });
    const double peak = wk::bench::processMemory("VmHWM");
    form.reset();

    const double rows = readEveryRowMs(database);
    const QString firstFile = QDir(dir.path()).filePath(QStringLiteral("pictures/large0001.jpg"));
    const double decode = eighthDecodeMs(firstFile);

    std::printf("%d entries: reading every entry row in date order %.1f ms; one 1/8 decode %.1f ms\n",
                entries, rows, decode);
    printRatio("first picture on a second start", firstPicture, rows + decode, "rows + decode", 0.6);
    printRatio("List by Date after an edit", listByDate, rows, "rows", 0.5);
    printRatio("Main Screen after an edit", mainScreen, rows, "rows", 0.5);
    printRatio("category button", category, rows, "rows", 0.3);
    printRatio("calendar switch after an edit", calendar, rows, "rows", 0.3);
    std::printf("  peak memory %.1f MB; %.0f bytes per entry above the program on an empty scrapbook "
                "(%.1f MB)\n",
                peak / 1e6, (started - emptyProgram) / std::max(1, entries), emptyProgram / 1e6);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (wk::bench::wroteScrapbookAsAsked(argc, argv, QSize(4000, 3000)))
        return 0;
    if (argc == 3 && QByteArray(argv[1]) == "--one") {
        wk::bench::prepareBenchmarkProcess();
        QApplication app(argc, argv);
        return measure(std::atoi(argv[2]), QCoreApplication::applicationFilePath());
    }
    QCoreApplication app(argc, argv);
    const QList<int> sizes = wk::bench::sizesFromArgs(argc, argv, {100000});
    int failures = 0;
    for (int entries : sizes)
        failures += QProcess::execute(QCoreApplication::applicationFilePath(),
                                      {QStringLiteral("--one"), QString::number(entries)}) != 0;
    return failures;
}
