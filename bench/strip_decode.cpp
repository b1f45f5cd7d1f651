// The TimeLine switch filling the strip with seven 12-megapixel camera-like JPEGs, (a) with an
// empty thumbnail cache and (b) on a second start, with the cache the first start left. Each is
// printed next to its raw limit, measured in the same run: decoding the same seven files one after
// the other at 1/8 scale, which libjpeg does while decoding (the cheapest way to a thumbnail).
// The same decodes spread over every core are printed too: on a machine whose cores are busy with
// other work, no parallel fill can beat that line.
// Usage: bench_strip_decode [runs]   (default 5; medians are printed)
#include "BenchSupport.h"
#include "LargeScrapbook.h"
#include "SampleArtwork.h"

#include "controls/PictureButton.h"
#include "controls/LineList.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QtConcurrent/QtConcurrentMap>
#include <QDir>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <cstdio>

namespace {

constexpr int kPictures = 7;
const QSize kCameraSize(4000, 3000);

// A camera-like picture: a diagonal gradient of its own colours under sensor grain.
QImage cameraPicture(int n)
{
    QImage image(kCameraSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, kCameraSize.width(), kCameraSize.height());
    gradient.setColorAt(0, QColor::fromHsv((n * 50) % 360, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv((n * 50 + 140) % 360, 200, 60));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    wk::sample::addNoise(image, 18, quint32(n + 1));
    return image;
}

QStringList writePictures(const QString& dir)
{
    QStringList files;
    for (int n = 0; n < kPictures; ++n) {
        // The names the scrapbook's entries already point at.
        files << QDir(dir).filePath(
            QStringLiteral("pictures/large%1.jpg").arg(n + 1, 4, 10, QLatin1Char('0')));
        wk::sample::writeBytes(files.last(), wk::sample::encodeJpeg(cameraPicture(n), 92));
    }
    return files;
}

double rawEighthDecodeMs(int runs, const QStringList& files)
{
    return wk::bench::medianMs(runs, [&] {
        for (const QString& file : files) {
            QImageReader reader(file);
            reader.setScaledSize(reader.size() / 8);
            if (reader.read().isNull())
                std::fprintf(stderr, "cannot decode %s\n", qPrintable(file));
        }
    });
}

// The same decodes spread over every core: how much of the machine's parallelism is free now.
double rawEighthDecodeParallelMs(int runs, const QStringList& files)
{
    return wk::bench::medianMs(runs, [&] {
        QtConcurrent::blockingMap(QStringList(files), [](const QString& file) {
            QImageReader reader(file);
            reader.setScaledSize(reader.size() / 8);
            reader.read();
        });
    });
}

void waitForCacheWrites() { QThreadPool::globalInstance()->waitForDone(); }

} // namespace

int main(int argc, char** argv)
{
    wk::bench::prepareBenchmarkProcess();
    QApplication app(argc, argv);
    const int runs = std::max(1, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5);

    QTemporaryDir dir;
    QTemporaryDir caches;
    wk::sample::writeLargeScrapbook(dir.path(), kPictures, kPictures, {64, 48});
    const QStringList files = writePictures(dir.path());
    std::printf("%d JPEGs of %d x %d, quality 92, %.1f MB each\n", kPictures, kCameraSize.width(),
                kCameraSize.height(), QFileInfo(files[0]).size() / 1048576.0);

    wk::bench::SilentPrompts prompts;
    const wk::store::SystemClock clock;
    const auto start = [&] {
        auto form = wk::bench::startProgram({prompts, dir.path(), clock});
        form->widgets().entryList->setCurrentRow(0); // the seven entries fill the seven slots
        waitForCacheWrites();                        // the big picture's own thumbnails are not timed
        return form;
    };
    const auto fillStrip = [](wk::shell::MainWindow& form) {
        form.widgets().timelineButton->setChecked(false);
        form.widgets().timelineButton->setChecked(true);
    };

    // (a) Every run starts on a cache folder of its own, so every fill decodes all seven files.
    int run = 0;
    std::unique_ptr<wk::shell::MainWindow> form = start();
    const auto useCache = [&](int n) {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(caches.filePath(QString::number(n))));
    };
    QElapsedTimer timer;
    std::vector<double> cold;
    for (run = 0; run < runs; ++run) {
        form->widgets().timelineButton->setChecked(false);
        useCache(run);
        timer.start();
        form->widgets().timelineButton->setChecked(true);
        cold.push_back(double(timer.nsecsElapsed()) / 1e6);
        waitForCacheWrites(); // outside the timing: the window is free while they run
    }
    std::sort(cold.begin(), cold.end());
    const double emptyCache = cold[cold.size() / 2];
    const double rawForCold = rawEighthDecodeMs(runs, files);
    const double rawOnEveryCore = rawEighthDecodeParallelMs(runs, files);

    // (b) A second start on the cache the last run filled.
    form.reset();
    form = start();
    const double filledCache = wk::bench::medianMs(runs, [&] { fillStrip(*form); });
    const double rawForWarm = rawEighthDecodeMs(runs, files);
    form.reset();

    std::printf("raw sequential 1/8-scale decode of the %d files: %7.1f ms (a), %7.1f ms (b)\n", kPictures,
                rawForCold, rawForWarm);
    std::printf("the same decodes on every core (%d threads): %7.1f ms = %.2fx the sequential ones\n",
                QThreadPool::globalInstance()->maxThreadCount(), rawOnEveryCore, rawOnEveryCore / rawForCold);
    std::printf("(a) TimeLine fill, empty cache:  %7.1f ms = %.2fx raw (target at most 0.70x)\n", emptyCache,
                emptyCache / rawForCold);
    std::printf("(b) TimeLine fill, second start: %7.1f ms = %.3fx raw (target at most 0.10x)\n", filledCache,
                filledCache / rawForWarm);
    return 0;
}
