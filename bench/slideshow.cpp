// The slideshow stepping on its own through 12-megapixel camera JPEGs on a 1920x1080 screen: how
// late each slide is on the screen after its due time (the show's own lastLatencyUs()) over
// automatic steps, median and maximum beside their targets (20 ms and 50 ms) and beside the raw
// cost the decode ahead hides, measured in the same run: decoding one such picture for the slide's
// box with decodeForControl(), as the decode ahead does. The interval between slides is twice that
// decode and a margin, so the decode ahead fits in it on this machine; it is printed. The lateness
// a listener sees (the gap between two slideShown signals less the interval) is printed as a cross
// check, and the resident memory the show gains from its tenth step to its last beside the size of
// one decoded slide (it holds two at a time, so a growth means slides are kept).
// Usage: bench_slideshow [steps]   (default 50; a 1920x1080 offscreen screen unless
//        QT_QPA_PLATFORM is set)
#include "BenchSupport.h"
#include "LargeScrapbook.h"
#include "SampleArtwork.h"

#include "controls/ImageControl.h"
#include "controls/LineList.h"
#include "controls/PictureButton.h"
#include "shell/MainWindow.h"
#include "slideshow/SlideshowWindow.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

using wk::slideshow::SlideshowWindow;

const QSize kCameraSize(4000, 3000);
constexpr int kScenes = 6;     // drawn pictures; every file is one of them with a comment of its own
constexpr int kRawDecodes = 7; // files decoded for the raw figure, the median taken
constexpr int kMarginMs = 100; // added to twice the raw decode for the interval
constexpr int kLeastIntervalMs = 400;
constexpr int kSettlingSteps = 10; // memory is compared from here on: the show holds two slides by then
constexpr double kMedianTargetMs = 20;
constexpr double kMaxTargetMs = 50;

// Writes `count` distinct camera-like JPEGs of 4000 x 3000 over the files the large scrapbook's
// entries point at: scenes under sensor grain, so each is a few megabytes as a camera's is.
QStringList writeCameraPictures(const QString& dir, int count)
{
    QList<QByteArray> scenes;
    for (int n = 0; n < kScenes; ++n) {
        QImage image = wk::sample::drawScene(wk::sample::Scene(n % wk::sample::kSceneCount), kCameraSize,
                                             QStringLiteral("Slide %1").arg(n + 1), n);
        wk::sample::addNoise(image, 18, quint32(n + 1));
        scenes << wk::sample::encodeJpeg(image, 92);
    }
    QStringList files;
    for (int i = 0; i < count; ++i) {
        files << QDir(dir).filePath(
            QStringLiteral("pictures/large%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0')));
        wk::sample::writeBytes(files.last(), wk::sample::jpegVariant(scenes[i % kScenes], i));
    }
    return files;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double maximum(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Median time of decoding one of `files` for a picture control whose decodeBox() is `box`.
double rawDecodeMs(const QStringList& files, QSize box, qreal devicePixelRatio)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (const QString& file : files.mid(0, kRawDecodes)) {
        timer.start();
        const wk::controls::Picture picture = wk::controls::decodeForControl(file, box, devicePixelRatio);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (picture.isNull())
            std::fprintf(stderr, "cannot decode %s\n", qPrintable(file));
    }
    return median(times);
}

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() < 2 ? 0 : fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

SlideshowWindow* runningShow()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* show = qobject_cast<SlideshowWindow*>(window))
            return show;
    return nullptr;
}

// Runs the event loop for at most `ms` until `done` holds, looked at after each of `show`'s slides
// once the step that showed it has returned; whether `done` holds.
bool waitForSlides(SlideshowWindow* show, int ms, const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(
        show, &SlideshowWindow::slideShown, &loop,
        [&] {
            if (done())
                loop.quit();
        },
        Qt::QueuedConnection);
    timeout.start(ms);
    if (!done())
        loop.exec();
    return done();
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir scratch;
    // A 1920x1080 screen for the offscreen platform, and a thumbnail cache of the run's own.
    if (!wk::bench::useFullHdScreen(scratch))
        return 1;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("cache"))));
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    const int steps = std::max(1, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50);
    const int entries = steps + 10; // no slide is shown twice

    const QString book = scratch.filePath(QStringLiteral("book"));
    wk::sample::writeLargeScrapbook(book, entries, entries, {64, 48});
    const QStringList files = writeCameraPictures(book, entries);
    std::printf("%d entries, each its own JPEG of %d x %d (%d scenes), quality 92, %.1f MB each\n", entries,
                kCameraSize.width(), kCameraSize.height(), kScenes, QFileInfo(files[0]).size() / 1048576.0);

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    std::unique_ptr<wk::shell::MainWindow> form = wk::bench::startProgram({prompts, book, clock});
    QThreadPool::globalInstance()->waitForDone(); // the start's own thumbnail writes are not timed
    if (form->widgets().entryList->count() < steps + 1) {
        std::fprintf(stderr, "the entry list shows %d lines, fewer than %d\n",
                     form->widgets().entryList->count(), steps + 1);
        return 1;
    }
    form->widgets().entryList->setCurrentRow(0);

    // The raw decode at the full screen's box picks the interval; the show's own box is checked
    // against it once the show is on the screen.
    QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen->devicePixelRatio();
    const QSize screenBox = (QSizeF(screen->size()) * ratio).toSize();
    const double decodeMs = rawDecodeMs(files, screenBox, ratio);
    const int intervalMs =
        std::max(kLeastIntervalMs, (int(2 * decodeMs) + kMarginMs + 49) / 50 * 50); // on 50 ms steps

    form->widgets().slideshowButton->click();
    SlideshowWindow* show = runningShow();
    if (!show) {
        std::fprintf(stderr, "the Slideshow button started no show\n");
        return 1;
    }
    show->setIntervalMs(3600 * 1000); // still until the first slide is on the screen
    std::vector<double> latencies;    // lastLatencyUs() as each automatic step's slide shows
    std::vector<qint64> shownAtNs;    // when a listener heard of each slide
    QElapsedTimer sinceStart;
    sinceStart.start();
    QObject::connect(show, &SlideshowWindow::slideShown, show,
                     [&](int) { shownAtNs.push_back(sinceStart.nsecsElapsed()); });
    if (!waitForSlides(show, 30000, [&] { return !shownAtNs.empty(); })) {
        std::fprintf(stderr, "the show put no slide on the screen\n");
        return 1;
    }
    const QSize box = show->picture()->decodeBox();
    if (box != screenBox)
        std::printf("the slide's box is %d x %d, not the screen's %d x %d\n", box.width(), box.height(),
                    screenBox.width(), screenBox.height());
    waitForSlides(show, intervalMs, [] { return false; }); // the first decode ahead ends before stepping

    double residentEarly = 0; // after the first kSettlingSteps steps
    QObject::connect(show, &SlideshowWindow::slideShown, show, [&](int) {
        latencies.push_back(double(show->lastLatencyUs()) / 1000.0);
        if (int(latencies.size()) == std::min(kSettlingSteps, steps))
            residentEarly = residentMiB();
    });
    shownAtNs.clear();
    show->setIntervalMs(intervalMs);
    const qint64 stepsStartNs = sinceStart.nsecsElapsed();
    const bool finished = waitForSlides(show, (steps + 10) * intervalMs + 30000,
                                        [&] { return int(latencies.size()) >= steps; });
    const double residentAfter = residentMiB();
    const double decodeAfterMs = rawDecodeMs(files.mid(kRawDecodes), box, ratio);
    show->close();
    QApplication::processEvents();
    if (!finished)
        std::printf("only %d of %d steps came in time\n", int(latencies.size()), steps);

    std::vector<double> gaps; // a listener's view: the time between two slides less the interval
    qint64 previous = stepsStartNs;
    for (qint64 at : shownAtNs) {
        gaps.push_back(double(at - previous) / 1e6 - intervalMs);
        previous = at;
    }
    const double medianMs = median(latencies);
    const double maxMs = maximum(latencies);
    const int maxStep = int(std::max_element(latencies.begin(), latencies.end()) - latencies.begin()) + 1;
    std::printf("slide box %d x %d; raw decode of one picture for it (decodeForControl): %.1f ms "
                "(again after the show: %.1f ms)\n",
                box.width(), box.height(), decodeMs, decodeAfterMs);
    std::printf("interval between slides: %d ms (twice the raw decode and %d ms, at least %d ms)\n",
                intervalMs, kMarginMs, kLeastIntervalMs);
    const QByteArray heading =
        "lateness over " + QByteArray::number(int(latencies.size())) + " automatic steps";
    std::printf("\n%-38s %9s %9s %9s %15s\n", heading.constData(), "ms", "target", "raw ms", "ratio to raw");
    std::printf("%-38s %9.2f %9.0f %9.1f %15.3f %s\n", "median (lastLatencyUs)", medianMs, kMedianTargetMs,
                decodeMs, medianMs / decodeMs, verdict(medianMs <= kMedianTargetMs));
    std::printf("%-38s %9.2f %9.0f %9.1f %15.3f %s (step %d)\n", "maximum (lastLatencyUs)", maxMs,
                kMaxTargetMs, decodeMs, maxMs / decodeMs, verdict(maxMs <= kMaxTargetMs),
                latencies.empty() ? 0 : maxStep);
    std::printf(
        "seen by a listener (gap between two slides less the interval): median %.2f ms, maximum %.2f ms\n",
        median(gaps), maximum(gaps));
    const QSize slide = kCameraSize.scaled(box, Qt::KeepAspectRatio);
    const double slideMiB = slide.width() * slide.height() * 4 / 1048576.0;
    const double growth = residentAfter - residentEarly;
    std::printf("\nresident memory %.1f MiB after %d steps, %.1f MiB after %d: %+.1f MiB = %.2f decoded "
                "%d x %d slides of %.1f MiB (target at most 1) %s\n",
                residentEarly, std::min(kSettlingSteps, steps), residentAfter, int(latencies.size()), growth,
                growth / slideMiB, slide.width(), slide.height(), slideMiB, verdict(growth <= slideMiB));
    return finished ? 0 : 1;
}
