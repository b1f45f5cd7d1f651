// The same everyday steps on a scrapbook file and on the same scrapbook on a local PostgreSQL
// server, in one run: the time on the server next to the time on the file, and the statements each
// step sent to the server (each one round trip: what a family on Wi-Fi feels, not the loopback).
//   - start to the first picture (a second start: the first filled the thumbnail cache);
//   - List by Date, the Main Screen and the calendar after an edit; a category button; a word
//     search; saving an edit;
//   - peak memory of the program on each;
//   - wanderkeep --copy both ways, next to psql's \copy of the same entry rows (and, into a file,
//     the sqlite3 tool's import of them).
// The server is made as the tests make theirs (tests/postgres/server.sh).
// Usage: bench_engines [entries]   (default 100000)
#include "BenchSupport.h"
#include "LargeScrapbook.h"
#include "OwnServer.h"

#include "controls/PictureButton.h"
#include "store/Engine.h"
#include "store/ScrapbookCopy.h"
#include "store/ScrapbookFile.h"
#include "store/postgres/PostgresEngine.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QThreadPool>
#include <cstdio>
#include <map>

namespace {

using wk::store::ScrapbookLocation;

const char* const kSteps[] = {"start to the first picture",
                              "List by Date after an edit",
                              "Main Screen after an edit",
                              "calendar after an edit",
                              "category button",
                              "word search \"grandma\"",
                              "saving an edit"};

struct Step {
    double ms = 0;
    qint64 trips = 0;
};

// Times `step` (the median of `runs`), each run after `before`; the round trips of the last run.
template <class Before, class Timed>
Step measureStep(int runs, Before&& before, Timed&& timed)
{
    std::vector<double> times;
    qint64 trips = 0;
    for (int r = 0; r < runs; ++r) {
        before(r);
        const qint64 sent = wk::store::postgres::roundTripsSoFar();
        times.push_back(wk::bench::medianMs(1, timed));
        trips = wk::store::postgres::roundTripsSoFar() - sent;
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], trips};
}

void editAnEntry(wk::shell::MainWindow& form, int run)
{
    form.entries().moveFirst();
    form.entries().edit();
    form.entries().setField("LOG", QStringLiteral("edited %1").arg(run));
    form.entries().update();
}

// One engine, in a process of its own so that its peak memory is its own. Prints "step ms trips"
// lines and "peak bytes".
int measure(const ScrapbookLocation& scrapbook)
{
    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    wk::bench::startProgram({prompts, scrapbook, clock}).reset();
    QThreadPool::globalInstance()->waitForDone();
    std::unique_ptr<wk::shell::MainWindow> form;
    std::vector<Step> steps;
    steps.push_back(measureStep(
        1, [](int) {},
        [&] {
            form = wk::bench::startProgram({prompts, scrapbook, clock});
        }));
    QApplication::processEvents();
    auto& widgets = form->widgets();
    steps.push_back(measureStep(
        5,
        [&](int run) {
            widgets.mainScreenButton->click();
            editAnEntry(*form, run);
        },
        [&] { widgets.listByDateButton->click(); }));
    steps.push_back(measureStep(
        5,
        [&](int run) {
            widgets.listByDateButton->click();
            editAnEntry(*form, run);
        },
        [&] { widgets.mainScreenButton->click(); }));
    steps.push_back(measureStep(
        5,
        [&](int run) {
            if (widgets.calendarButton->isChecked())
                widgets.calendarButton->click();
            editAnEntry(*form, run);
        },
        [&] { widgets.calendarButton->click(); }));
    if (widgets.calendarButton->isChecked())
        widgets.calendarButton->click();
    steps.push_back(measureStep(
        5, [&](int) { widgets.allPicturesButton->click(); }, [&] { widgets.categoryButtons[1]->click(); }));
    steps.push_back(measureStep(
        5, [&](int) { widgets.allPicturesButton->click(); },
        [&] {
            const int all = form->entries().recordCount();
            widgets.searchBox->setText(QStringLiteral("grandma"));
            Q_EMIT widgets.searchBox->returnPressed();
            QElapsedTimer waited;
            waited.start();
            while (form->entries().recordCount() == all && waited.elapsed() < 60000)
                QApplication::processEvents(QEventLoop::AllEvents, 1);
        }));
    steps.push_back(measureStep(
        5, [](int) {}, [&, run = 0]() mutable { editAnEntry(*form, 100 + run++); }));
    for (size_t k = 0; k < steps.size(); ++k)
        std::printf("%zu %.2f %lld\n", k, steps[k].ms, qlonglong(steps[k].trips));
    std::printf("peak %.0f\n", wk::bench::processMemory("VmHWM"));
    return 0;
}

struct Measured {
    std::vector<Step> steps;
    double peak = 0;
};

Measured runMeasure(const QString& self, const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, QStringList{QStringLiteral("--one")} + arguments);
    child.waitForFinished(-1);
    Measured measured;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2 && parts[0] == "peak")
            measured.peak = parts[1].toDouble();
        else if (parts.size() == 3)
            measured.steps.push_back({parts[1].toDouble(), parts[2].toLongLong()});
    }
    return measured;
}

// Runs a shell command line; its time in ms, or -1 when it failed.
double timedCommand(const QString& program, const QStringList& arguments)
{
    QElapsedTimer timer;
    timer.start();
    const int status = QProcess::execute(program, arguments);
    const double ms = timer.nsecsElapsed() / 1e6;
    return status == 0 ? ms : -1;
}

// Writes the entry rows of `file` as CSV, the way psql's \copy reads them (NULL unquoted empty).
void writeEntriesCsv(const QString& file, const QString& csv)
{
    const auto engine = wk::store::openEngine(ScrapbookLocation(file));
    const auto rows = engine->prepare(
        QStringLiteral("SELECT rowid, DATE, MYEVENT, WHAT, \"WHERE\", PICTURE, LOG FROM MYLIFE"), "csv");
    QFile out(csv);
    out.open(QIODevice::WriteOnly);
    QByteArray line;
    while (rows->step("csv")) {
        line.clear();
        for (int c = 0; c < rows->columnCount(); ++c) {
            if (c > 0)
                line += ',';
            const QVariant value = rows->value(c);
            if (!value.isNull())
                line += '"' + value.toString().toUtf8().replace('"', "\"\"") + '"';
        }
        out.write(line + '\n');
    }
}

// Loads the entry rows of `csv` into a new scrapbook file in `folder` with the sqlite3 tool, its
// quickest way: the rows into a table of their own, then into the entries by one statement (the
// words index's trigger then fills it once). Its time in ms, or -1 when it failed.
double loadCsvIntoFile(const QString& csv, const QString& folder)
{
    QDir().mkpath(folder);
    const ScrapbookLocation file(folder);
    wk::store::createScrapbook(file);
    QProcess sqlite;
    QElapsedTimer timer;
    timer.start();
    sqlite.start(QStringLiteral("sqlite3"), {file.database()});
    sqlite.write(QStringLiteral("CREATE TEMP TABLE rows (id, d, e, w, h, p, l);\n"
                                ".import --csv '%1' rows\n"
                                "INSERT INTO MYLIFE (rowid, DATE, MYEVENT, WHAT, \"WHERE\", PICTURE, LOG) "
                                "SELECT * FROM rows;\n")
                     .arg(csv)
                     .toUtf8());
    sqlite.closeWriteChannel();
    sqlite.waitForFinished(-1);
    const double ms = timer.nsecsElapsed() / 1e6;
    return sqlite.exitStatus() == QProcess::NormalExit && sqlite.exitCode() == 0 ? ms : -1;
}

int orchestrate(int entries, const QString& self)
{
    QTemporaryDir dir, back, work, caches;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(caches.path()));
    if (QProcess::execute(self, {QStringLiteral("--write"), dir.path(), QString::number(entries)}) != 0)
        return 1;
    int status = 0;
    try {
        wk::testing::OwnServer ownServer;
        const auto uri = [&](const QString& database) { return ownServer.uri(database); };
        const auto admin = wk::store::openEngine(ScrapbookLocation(uri(QStringLiteral("postgres"))));
        for (const char* database : {"bench_copy", "bench_raw"})
            admin->exec(QStringLiteral("CREATE DATABASE %1").arg(QLatin1String(database)), "bench");
        const ScrapbookLocation file(dir.path());
        const ScrapbookLocation server(uri(QStringLiteral("bench_copy")));

        QElapsedTimer timer;
        timer.start();
        const auto counts = wk::store::copyScrapbook(file, server, false);
        const double toServer = timer.nsecsElapsed() / 1e6;
        timer.start();
        wk::store::copyScrapbook(server, ScrapbookLocation(back.path()), false);
        const double toFile = timer.nsecsElapsed() / 1e6;

        const QString csv = work.filePath(QStringLiteral("entries.csv"));
        writeEntriesCsv(file.database(), csv);
        wk::store::createScrapbook(ScrapbookLocation(uri(QStringLiteral("bench_raw"))));
        const QString columns = QStringLiteral("(rowid, \"date\", myevent, what, \"where\", picture, log)");
        const double rawIn =
            timedCommand(QStringLiteral("psql"),
                         {uri(QStringLiteral("bench_raw")), QStringLiteral("-qc"),
                          QStringLiteral("\\copy mylife %1 FROM '%2' WITH (FORMAT csv)").arg(columns, csv)});
        const QString outCsv = work.filePath(QStringLiteral("out.csv"));
        const double rawOut = timedCommand(
            QStringLiteral("psql"),
            {uri(QStringLiteral("bench_raw")), QStringLiteral("-qc"),
             QStringLiteral(
                 "\\copy (SELECT rowid, \"date\", myevent, what, \"where\", picture, log FROM mylife) "
                 "TO '%1' WITH (FORMAT csv)")
                 .arg(outCsv)});
        const double rawLoad = loadCsvIntoFile(outCsv, work.filePath(QStringLiteral("raw")));

        const Measured onFile = runMeasure(self, {QStringLiteral("file"), dir.path()});
        const Measured onServer = runMeasure(self, {QStringLiteral("server"), server.text(), dir.path()});
        if (onFile.steps.size() != std::size(kSteps) || onServer.steps.size() != std::size(kSteps))
            throw std::runtime_error("a measuring run failed");

        std::printf("%d entries, the same steps on a file and on a local PostgreSQL server:\n", entries);
        std::printf("  %-32s %10s %10s %7s %8s %12s\n", "step", "file ms", "server ms", "ratio", "target",
                    "round trips");
        for (size_t k = 0; k < std::size(kSteps); ++k) {
            const double target = k == std::size(kSteps) - 1 ? 3.0 : 2.0;
            std::printf("  %-32s %10.1f %10.1f %6.2fx %7.1fx %12lld\n", kSteps[k], onFile.steps[k].ms,
                        onServer.steps[k].ms, onServer.steps[k].ms / onFile.steps[k].ms, target,
                        qlonglong(onServer.steps[k].trips));
        }
        std::printf("  peak memory: file %.1f MB, server %.1f MB, %+.1f MB (target at most +20 MB)\n",
                    onFile.peak / 1e6, onServer.peak / 1e6, (onServer.peak - onFile.peak) / 1e6);
        std::printf("  --copy file to server %.0f ms = %.2fx psql \\copy in %.0f ms (target at most 1.5x); "
                    "%lld rows read, %lld written\n",
                    toServer, toServer / rawIn, rawIn, qlonglong(counts.read), qlonglong(counts.written));
        // A file is written by SQLite, not by psql: the raw way there is psql's \\copy out, then the
        // sqlite3 tool's import of the same rows into the same schema.
        std::printf(
            "  --copy server to file %.0f ms = %.2fx psql \\copy out %.0f ms + sqlite3 .import %.0f ms "
            "(target at most 1.5x)\n",
            toFile, toFile / (rawOut + rawLoad), rawOut, rawLoad);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_engines: %s\n", failure.what());
        status = 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (wk::bench::wroteScrapbookAsAsked(argc, argv))
        return 0;
    if (argc >= 4 && QByteArray(argv[1]) == "--one") {
        wk::bench::prepareBenchmarkProcess();
        QApplication app(argc, argv);
        const QString location = QString::fromLocal8Bit(argv[3]);
        return measure(argc == 5 ? ScrapbookLocation(location).withFolder(QString::fromLocal8Bit(argv[4]))
                                 : ScrapbookLocation(location));
    }
    QCoreApplication app(argc, argv);
    const QList<int> sizes = wk::bench::sizesFromArgs(argc, argv, {100000});
    return orchestrate(sizes.first(), QCoreApplication::applicationFilePath());
}
