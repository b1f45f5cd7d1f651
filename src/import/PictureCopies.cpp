#include "import/PictureCopies.h"

#include "import/KnownPictures.h"
#include "store/FilePaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace wk::importing {

namespace {

const QString kPicturesFolder = QStringLiteral("pictures");
const QString kUnfinishedSuffix = QStringLiteral(".wkpart");
// Copies are read and written this many bytes at a time.
constexpr qint64 kCopyPiece = qint64(1) << 20;

// "IMG.jpg", then "IMG (2).jpg", "IMG (3).jpg", ...
QString numberedName(const QString& fileName, int n)
{
    if (n == 1)
        return fileName;
    const QFileInfo info(fileName);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size() - 1);
    return suffix.isEmpty() ? QStringLiteral("%1 (%2)").arg(base).arg(n)
                            : QStringLiteral("%1 (%2).%3").arg(base).arg(n).arg(suffix);
}

// Copies `in` (opened here) to `path` under a temporary name a piece at a time, syncs it and renames it.
// False when the source cannot be read to its end or holds other than `bytes` bytes; throws
// CopyError when the copy cannot be written.
bool copyWhole(QIODevice& in, const QString& path, qint64 bytes, const QDateTime& modified)
{
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QFileInfo target(path);
    const QString part = target.path() + QStringLiteral("/.") + target.fileName() + kUnfinishedSuffix;
    QFile file(part);
    const auto fail = [&](const QString& why) {
        file.remove();
        return CopyError(QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), why));
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw fail(file.errorString());
    QByteArray piece(kCopyPiece, Qt::Uninitialized);
    qint64 copied = 0;
    for (qint64 got; (got = in.read(piece.data(), piece.size())) != 0; copied += got) {
        if (got < 0) {
            file.remove();
            return false; // a card pulled out, a bad sector
        }
        if (file.write(piece.constData(), got) != got)
            throw fail(file.errorString());
    }
    if (copied != bytes) {
        file.remove();
        return false; // changed since it was hashed: still being written
    }
    if (!file.flush())
        throw fail(file.errorString());
    file.setFileTime(modified, QFileDevice::FileModificationTime);
    file.close();
    QString why;
    if (!store::syncFileToDisk(part, &why))
        throw fail(why);
    if (!QFile::rename(part, path))
        throw fail(QStringLiteral("the finished copy cannot be renamed"));
    return true;
}

} // namespace

PictureCopies::PictureCopies(QString scrapbookFolder) : folder_(std::move(scrapbookFolder)) {}

std::optional<QString> PictureCopies::place(const QString& fileName, const QDate& date,
                                            const QDateTime& modified, QIODevice& source,
                                            const FileHash& hash)
{
    const QString relativeFolder = QStringLiteral("%1/%2/%3")
                                       .arg(kPicturesFolder)
                                       .arg(date.year(), 4, 10, QLatin1Char('0'))
                                       .arg(date.month(), 2, 10, QLatin1Char('0'));
    if (!QDir(folder_).mkpath(relativeFolder))
        throw CopyError(QStringLiteral("The folder %1 cannot be made.")
                            .arg(QDir::toNativeSeparators(folder_ + QLatin1Char('/') + relativeFolder)));
    QString relative;
    {
        const std::lock_guard lock(mutex_);
        for (int n = 1;; ++n) {
            relative = relativeFolder + QLatin1Char('/') + numberedName(fileName, n);
            if (reserved_.contains(relative))
                continue;
            const QFileInfo existing(folder_ + QLatin1Char('/') + relative);
            if (!existing.exists())
                break;
            if (existing.isFile() && existing.size() == hash.bytes) {
                const std::optional<FileHash> there = hashFile(existing.absoluteFilePath());
                if (there && there->sha256 == hash.sha256) {
                    reserved_.insert(relative);
                    return relative; // the same bytes, copied by an import that did not finish
                }
            }
        }
        reserved_.insert(relative);
    }
    const bool copied = copyWhole(source, folder_ + QLatin1Char('/') + relative, hash.bytes, modified);
    const std::lock_guard lock(mutex_);
    if (!copied) {
        reserved_.remove(relative);
        return std::nullopt;
    }
    renamedIn_.insert(folder_ + QLatin1Char('/') + relativeFolder);
    return relative;
}

void PictureCopies::makeRenamesLast()
{
    QSet<QString> folders;
    {
        const std::lock_guard lock(mutex_);
        folders.swap(renamedIn_);
    }
    for (const QString& folder : std::as_const(folders))
        store::syncDirectory(folder);
}

void PictureCopies::removeUnfinished(const QString& scrapbookFolder)
{
    QDirIterator it(scrapbookFolder + QLatin1Char('/') + kPicturesFolder,
                    {QStringLiteral(".*") + kUnfinishedSuffix}, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile::remove(it.next());
}

} // namespace wk::importing
