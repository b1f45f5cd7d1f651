#include "controls/ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QList>
#include <QTemporaryFile>
#include <QThreadPool>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

namespace wk::controls {

namespace {

constexpr const char* kUriKey = "Thumb::URI";
constexpr const char* kMTimeKey = "Thumb::MTime";
constexpr const char* kSizeKey = "Thumb::Size";
constexpr const char* kWidthKey = "Thumb::Image::Width";
constexpr const char* kHeightKey = "Thumb::Image::Height";

QString cacheHome()
{
    const QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    return base.trimmed().isEmpty() ? QDir::homePath() + QStringLiteral("/.cache") : base;
}

QString cacheRoot() { return cacheHome() + QStringLiteral("/thumbnails"); }

QString sizeFolder(int side)
{
    switch (side) {
    case 128:
        return QStringLiteral("normal");
    case 256:
        return QStringLiteral("large");
    case 512:
        return QStringLiteral("x-large");
    default:
        return QStringLiteral("xx-large");
    }
}

QString hashedName(const QString& uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri.toUtf8(), QCryptographicHash::Md5).toHex()) +
           QStringLiteral(".png");
}

// The facts of the file a thumbnail stands for, read once per lookup.
struct Original {
    QString uri;
    QString mtime; // whole seconds, as the key holds them
    qint64 bytes = 0;
};

// Unreadable files are neither looked up nor recorded; nor are the cache's own files.
std::optional<Original> originalOf(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return std::nullopt;
    const QString path = info.absoluteFilePath();
    if (path.startsWith(cacheRoot() + QLatin1Char('/')))
        return std::nullopt;
    return Original{thumbnailUri(path), QString::number(info.lastModified().toSecsSinceEpoch()), info.size()};
}

// Some writers store the modification time with a fraction; only the whole seconds count.
bool sameMTime(const QString& key, const QString& mtime)
{
    bool ok = false;
    const double seconds = key.toDouble(&ok);
    return ok && QString::number(qint64(seconds)) == mtime;
}

struct Thumbnail {
    QImage image;
    QSize natural; // empty when the thumbnail does not say
};

// The thumbnail at `path` when its keys say it was made from the file as it is now. The keys are
// read from the decoded image: QImageReader::text() splits keys at their first colon.
std::optional<Thumbnail> readThumbnail(const QString& path, const Original& original)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&f, "png");
    Thumbnail thumbnail;
    thumbnail.image = reader.read();
    const QImage& image = thumbnail.image;
    if (image.isNull() || image.text(QLatin1String(kUriKey)) != original.uri ||
        !sameMTime(image.text(QLatin1String(kMTimeKey)), original.mtime))
        return std::nullopt;
    // The time has whole seconds only: a file rewritten within the same second still differs in
    // size more often than not.
    const QString bytes = image.text(QLatin1String(kSizeKey));
    if (!bytes.isEmpty() && bytes != QString::number(original.bytes))
        return std::nullopt;
    bool wide = false;
    bool high = false;
    const QSize natural(image.text(QLatin1String(kWidthKey)).toInt(&wide),
                        image.text(QLatin1String(kHeightKey)).toInt(&high));
    if (wide && high && !natural.isEmpty())
        thumbnail.natural = natural;
    return thumbnail;
}

// Creates the missing folders of `path` with owner-only permissions, the cache home at most: a
// cache home whose parent is gone (a session's temporary one, removed) is not brought back.
bool ensureFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists() || !path.startsWith(cacheHome()) || !ensureFolder(info.path()))
        return false;
    return QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
           QFileInfo(path).isDir();
}

using Keys = QList<std::pair<QString, QString>>;

// Qt's PNG writer maps quality 0..100 to zlib's levels 9..0.
constexpr int kPngQuality = 80;

// Writes `image` and its keys whole under a temporary name beside `path` and renames it into
// place, so a reader (this program or a file manager) never sees half a thumbnail. The temporary
// file is created owner-only and keeps that through the rename.
void writeAtomically(const QString& path, QImage image, const Keys& keys)
{
    const QString folder = QFileInfo(path).path();
    if (!ensureFolder(folder))
        return;
    QTemporaryFile part(folder + QStringLiteral("/.wanderkeep-XXXXXX.part"));
    if (!part.open())
        return;
    // Set on the image: QImageWriter::setText() would split the keys at their first colon.
    for (const auto& [key, value] : keys)
        image.setText(key, value);
    // A light deflate: a thumbnail is written once per picture and read often, and the default level
    // spends several times the decode's time for a file a fifth smaller.
    if (!image.save(&part, "PNG", kPngQuality) || !part.flush())
        return;
    part.close();
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(part.fileName()).toStdString(),
                            QFile::encodeName(path).toStdString(), error);
    if (!error)
        part.setAutoRemove(false);
}

Keys keysOf(const Original& original, QSize natural)
{
    Keys keys{{QLatin1String(kUriKey), original.uri},
              {QLatin1String(kMTimeKey), original.mtime},
              {QLatin1String(kSizeKey), QString::number(original.bytes)},
              {QStringLiteral("Software"), QStringLiteral("Wanderkeep " WK_VERSION)}};
    if (!natural.isEmpty()) {
        keys.append({QLatin1String(kWidthKey), QString::number(natural.width())});
        keys.append({QLatin1String(kHeightKey), QString::number(natural.height())});
    }
    return keys;
}

void queueWrite(const QString& path, const QImage& image, const Original& original, QSize natural)
{
    // Below the decodes' priority: a strip waiting for its pictures goes first.
    QThreadPool::globalInstance()->start(
        [path, image, keys = keysOf(original, natural)] { writeAtomically(path, image, keys); }, -1);
}

// The smallest shared side that covers `box`, 0 when none does.
int coveringSide(const QSize& box)
{
    const int needed = std::max(box.width(), box.height());
    for (int side : kThumbnailSides)
        if (side >= needed)
            return side;
    return 0;
}

QImage fittedImage(const QImage& image, const QSize& box)
{
    if (box.width() >= image.width() && box.height() >= image.height())
        return image;
    const QSize shown = image.size().scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A picture not much larger than its thumbnail would be decodes about as fast as the thumbnail
// reads: no thumbnail is kept for it.
bool tooSmallForThumbnail(const QSize& natural, int side)
{
    return qint64(natural.width()) * natural.height() < 4LL * side * side;
}

} // namespace

QString thumbnailUri(const QString& file)
{
    // RFC 2396's unreserved marks and the path's own separators stay as they are.
    static const QByteArray kept = QByteArrayLiteral("/!*'():@&=+$,");
    const QString path = QFileInfo(file).absoluteFilePath();
    return QStringLiteral("file://") + QString::fromLatin1(path.toUtf8().toPercentEncoding(kept));
}

QString thumbnailPath(const QString& file, int side)
{
    return cacheRoot() + QLatin1Char('/') + sizeFolder(side) + QLatin1Char('/') +
           hashedName(thumbnailUri(file));
}

QString failedThumbnailPath(const QString& file)
{
    return cacheRoot() + QStringLiteral("/fail/wanderkeep-" WK_VERSION "/") + hashedName(thumbnailUri(file));
}

Picture loadThroughThumbnails(const QString& file, const QSize& box)
{
    const int side = box.isEmpty() ? 0 : coveringSide(box);
    const std::optional<Original> original = side == 0 ? std::nullopt : originalOf(file);
    if (!original)
        return loadPicture(file, box);

    for (int larger : kThumbnailSides) {
        if (larger < side)
            continue;
        if (std::optional<Thumbnail> thumbnail = readThumbnail(thumbnailPath(file, larger), *original)) {
            Picture picture;
            picture.file = file;
            picture.naturalSize = thumbnail->natural.isEmpty() ? pictureSize(file) : thumbnail->natural;
            picture.image = fittedImage(thumbnail->image, box);
            return picture;
        }
    }
    if (readThumbnail(failedThumbnailPath(file), *original))
        throw PictureError(QStringLiteral("%1: could not be decoded before and has not changed since")
                               .arg(QDir::toNativeSeparators(file)));

    // A picture too small for a thumbnail is decoded for the box itself. A video's poster is always
    // kept, however small: making it again means decoding the video, and its size is only known
    // from the opened container, which the poster's decode opens anyway.
    QSize natural;
    try {
        if (!isVideoFile(file))
            natural = pictureSize(file);
    } catch (const PictureError&) {
        // decoded below, which records the failure
    }
    if (!natural.isEmpty() && tooSmallForThumbnail(natural, side))
        return loadPicture(file, box);

    Picture picture;
    try {
        picture = loadPicture(file, QSize(side, side));
    } catch (const PictureError&) {
        QImage empty(1, 1, QImage::Format_ARGB32);
        empty.fill(Qt::transparent);
        queueWrite(failedThumbnailPath(file), empty, *original, {});
        throw;
    }
    queueWrite(thumbnailPath(file, side), picture.image, *original, picture.naturalSize);
    picture.image = fittedImage(picture.image, box);
    return picture;
}

void keepThumbnail(const QString& file, const Picture& picture)
{
    const std::optional<Original> original = originalOf(file);
    const QSize shown = picture.image.size();
    int side = 0; // the largest shared size the picture covers
    for (int s : kThumbnailSides)
        if (std::max(shown.width(), shown.height()) >= s)
            side = s;
    if (!original || side == 0 || tooSmallForThumbnail(picture.naturalSize, side))
        return;
    writeAtomically(thumbnailPath(file, side), fittedImage(picture.image, QSize(side, side)),
                    keysOf(*original, picture.naturalSize));
}

} // namespace wk::controls
