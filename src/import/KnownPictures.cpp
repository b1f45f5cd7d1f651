#include "import/KnownPictures.h"

#include "store/FilePaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QDateTime>

namespace wk::importing {

namespace {

QString keyText(const store::PictureKey& key)
{
    return QStringLiteral("%1|%2|%3").arg(key.name).arg(key.bytes).arg(key.mtime);
}

} // namespace

std::optional<FileHash> hashFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return FileHash{hash.result(), file.pos()};
}

FileHash hashContents(const QByteArray& contents)
{
    return {QCryptographicHash::hash(contents, QCryptographicHash::Sha256), contents.size()};
}

std::optional<store::PictureKey> pictureKey(const QString& name, const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return store::PictureKey{name, info.size(), info.lastModified().toSecsSinceEpoch()};
}

KnownPictures::KnownPictures(const QStringList& pictureNames, const std::vector<store::PictureHash>& kept,
                             const QString& programDirectory)
{
    for (const store::PictureHash& hash : kept)
        kept_.insert(keyText(hash.key), hash.sha256);
    for (const QString& name : pictureNames) {
        const QString path = store::resolvePath(programDirectory, name);
        const std::optional<store::PictureKey> key = pictureKey(name, path);
        if (!key)
            continue; // a picture that is gone cannot be imported again either
        if (const auto found = kept_.constFind(keyText(*key)); found != kept_.cend())
            known_.insert(*found);
        else
            unhashedBySize_[key->bytes].push_back({*key, path});
    }
}

void KnownPictures::hashCandidates(qint64 bytes)
{
    const auto found = unhashedBySize_.find(bytes);
    if (found == unhashedBySize_.end())
        return;
    for (const Candidate& candidate : *found) {
        if (const std::optional<FileHash> hash = hashFile(candidate.path)) {
            known_.insert(hash->sha256);
            fresh_.push_back({candidate.key, hash->sha256});
        }
    }
    unhashedBySize_.erase(found);
}

bool KnownPictures::claim(qint64 bytes, const QByteArray& sha256)
{
    const std::lock_guard lock(mutex_);
    hashCandidates(bytes);
    if (known_.contains(sha256))
        return false;
    known_.insert(sha256);
    return true;
}

std::vector<store::PictureHash> KnownPictures::takeNewHashes()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(fresh_, {});
}

} // namespace wk::importing
