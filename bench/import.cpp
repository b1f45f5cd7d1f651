// Importing a card: 200 camera-like 12-megapixel JPEGs with EXIF dates into an empty scrapbook,
// copying them, with an empty thumbnail cache. Each figure is printed beside its raw limit,
// measured in the same run:
//   - the raw limit: the same files each read whole, hashed with SHA-256 and decoded once at 1/8
//     scale, spread over every core (target: import <= 1.3 x);
//   - vipsthumbnail making 256-pixel thumbnails of the same files in one process (target: import
//     <= 0.7 x);
//   - importing the same 200 again, all duplicates, beside reading and hashing them on every core
//     (target: <= 1.2 x);
//   - peak memory of the import process: below 250 MB, and no higher for 2,000 one-megapixel files
//     than for the 200.
// Then 20 phone HEIC files with embedded thumbnails (written by heif-enc -t) beside a full decode
// of the same files. Each import runs in a child process of its own (this program, with --child),
// so its peak memory is its own.
// Usage: bench_import
#include "BenchSupport.h"
#include "SampleArtwork.h"

#include "controls/Picture.h"
#include "import/PictureImport.h"
#include "store/Connection.h"
#include "store/ScrapbookFile.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentMap>
#include <cstdio>

namespace {

// A camera-like picture: a gradient of its own colours under sensor grain.
QImage cameraPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor::fromHsv(30, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv(200, 200, 60));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    wk::sample::addNoise(image, 18, 1);
    return image;
}

// A HEIF file with other bytes: a "free" box holding `n` at its end.
QByteArray heifVariant(const QByteArray& heif, int n)
{
    QByteArray box(4, '\0');
    const QByteArray text = QByteArray::number(n).rightJustified(8, '0');
    const int size = 8 + int(text.size());
    box[3] = char(size);
    return heif + box + "free" + text;
}

QStringList writeVariants(const QString& folder, const QString& pattern, const QByteArray& base, int count,
                          bool heif)
{
    QStringList files;
    for (int n = 0; n < count; ++n) {
        files << QDir(folder).filePath(pattern.arg(n, 4, 10, QLatin1Char('0')));
        wk::sample::writeBytes(files.last(), heif ? heifVariant(base, n) : wk::sample::jpegVariant(base, n));
    }
    return files;
}

QByteArray cameraJpeg(const QString& scratch, QSize size)
{
    const QString path = QDir(scratch).filePath(QStringLiteral("base.jpg"));
    wk::sample::writeBytes(path, wk::sample::encodeJpeg(cameraPicture(size), 92));
    QProcess::execute(QStringLiteral("exiftool"),
                      {QStringLiteral("-q"), QStringLiteral("-overwrite_original"),
                       QStringLiteral("-DateTimeOriginal=2023:07:15 10:00:00"), path});
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

double msOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void readAndHash(const QStringList& files, bool decodeEighth)
{
    QtConcurrent::blockingMap(QStringList(files), [decodeEighth](const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
        if (decodeEighth) {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer);
            reader.setScaledSize(reader.size() / 8);
            reader.read();
        }
    });
}

struct ChildRun {
    double ms = 0;
    double peakMb = 0;
    int imported = 0;
};

// Imports `source` into a new scrapbook in `book` in a child process with an empty cache.
ChildRun importInChild(const QString& source, const QString& book, const QString& cache)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), source, book});
    child.waitForFinished(-1);
    const QStringList figures = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (figures.size() < 3) {
        std::fprintf(stderr, "the import child failed: %s\n", child.readAllStandardError().constData());
        return {};
    }
    return {figures[0].toDouble(), figures[1].toDouble(), figures[2].toInt()};
}

// The child: one import, then its time, its peak resident memory (VmHWM) and its count.
int runChild(const QString& source, const QString& book)
{
    wk::controls::limitPictureMemory();
    const QString database = QDir(book).filePath(QString::fromLatin1(wk::store::kScrapbookFileName));
    if (!QFile::exists(database))
        wk::store::createScrapbook(database);
    wk::store::ConnectionPool pool;
    const std::shared_ptr<wk::store::Connection> connection = pool.open(database);
    wk::importing::ImportSummary summary;
    const double ms = msOf([&] {
        summary = wk::importing::importPictures(*connection, book, {source, true, {}, {}}, {});
    });
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    double peakMb = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            peakMb = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    std::printf("%.1f %.1f %d", ms, peakMb, summary.imported);
    return 0;
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    wk::controls::limitPictureMemory();
    QTemporaryDir scratch;
    const QString root = scratch.path();
    const auto folder = [&](const QString& name) {
        QDir().mkpath(root + QLatin1Char('/') + name);
        return root + QLatin1Char('/') + name;
    };

    std::printf("Writing 200 camera-like 12-megapixel JPEGs...\n");
    const QByteArray camera = cameraJpeg(root, QSize(4000, 3000));
    const QStringList cards =
        writeVariants(folder("card/DCIM/100CANON"), QStringLiteral("IMG_%1.JPG"), camera, 200, false);

    const double raw = msOf([&] { readAndHash(cards, true); });
    const double hashing = msOf([&] { readAndHash(cards, false); });
    QStringList vipsArguments{QStringLiteral("-s"), QStringLiteral("256"), QStringLiteral("-o"),
                              folder("vips") + QStringLiteral("/%s.png")};
    const bool haveVips = !QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail")).isEmpty();
    const double vips =
        haveVips ? msOf([&] { QProcess::execute(QStringLiteral("vipsthumbnail"), vipsArguments + cards); })
                 : 0;

    const ChildRun first = importInChild(folder("card"), folder("book"), folder("cache1"));
    const ChildRun again = importInChild(folder("card"), folder("book"), folder("cache1"));
    std::printf("\n%-44s %9s %9s %7s %7s\n", "200 x 12 MP JPEG", "ms", "peer ms", "ratio", "target");
    std::printf("%-44s %9.0f %9.0f %7.2f %7s %s\n", "import (copy) vs read+hash+1/8 decode, all cores",
                first.ms, raw, first.ms / raw, "<=1.30", verdict(first.ms <= 1.3 * raw));
    if (haveVips)
        std::printf("%-44s %9.0f %9.0f %7.2f %7s %s\n", "import (copy) vs vipsthumbnail -s 256", first.ms,
                    vips, first.ms / vips, "<=0.70", verdict(first.ms <= 0.7 * vips));
    else
        std::printf("vipsthumbnail is missing (Debian package libvips-tools): no figure\n");
    std::printf("%-44s %9.0f %9.0f %7.2f %7s %s\n", "again, all duplicates, vs read+hash", again.ms, hashing,
                again.ms / hashing, "<=1.20", verdict(again.ms <= 1.2 * hashing));
    std::printf("imported %d, then %d\n", first.imported, again.imported);

    std::printf("\nWriting 2,000 one-megapixel JPEGs...\n");
    const QByteArray small = cameraJpeg(folder("small-base"), QSize(1155, 866));
    writeVariants(folder("phone/DCIM/Camera"), QStringLiteral("IMG_%1.jpg"), small, 2000, false);
    const ChildRun many = importInChild(folder("phone"), folder("book2"), folder("cache2"));
    std::printf("%-44s %9.1f MB (limit 250 MB) %s\n", "peak memory, 200 x 12 MP", first.peakMb,
                verdict(first.peakMb < 250));
    std::printf("%-44s %9.1f MB (200 x 12 MP: %.1f MB) %s\n", "peak memory, 2,000 x 1 MP", many.peakMb,
                first.peakMb, verdict(many.peakMb <= first.peakMb * 1.05));
    std::printf("%-44s %9.0f ms for %d pictures\n", "import (copy), 2,000 x 1 MP", many.ms, many.imported);

    if (QStandardPaths::findExecutable(QStringLiteral("heif-enc")).isEmpty()) {
        std::printf("\nheif-enc is missing (Debian package libheif-examples): no HEIC figures\n");
        return 0;
    }
    std::printf("\nWriting 20 phone HEIC files (4032 x 3024) with embedded thumbnails...\n");
    const QString png = QDir(folder("heic-base")).filePath(QStringLiteral("base.png"));
    cameraPicture(QSize(4032, 3024)).save(png);
    const QString heicBase = QDir(folder("heic-base")).filePath(QStringLiteral("base.heic"));
    QProcess::execute(QStringLiteral("heif-enc"),
                      {QStringLiteral("-q"), QStringLiteral("80"), QStringLiteral("-t"),
                       QStringLiteral("320"), QStringLiteral("-o"), heicBase, png});
    QFile heicFile(heicBase);
    heicFile.open(QIODevice::ReadOnly);
    const QStringList heics = writeVariants(folder("iphone/DCIM/100APPLE"), QStringLiteral("IMG_%1.HEIC"),
                                            heicFile.readAll(), 20, true);
    const double fullDecode = msOf([&] {
        QtConcurrent::blockingMap(QStringList(heics),
                                  [](const QString& file) { wk::controls::loadPicture(file); });
    });
    const ChildRun phone = importInChild(folder("iphone"), folder("book3"), folder("cache3"));
    std::printf("%-44s %9.0f %9.0f %7.2f   (%d imported)\n", "20 HEIC: import vs full decode, all cores",
                phone.ms, fullDecode, phone.ms / fullDecode, phone.imported);
    return 0;
}
