#pragma once
// The pictures a scrapbook already has, by their bytes, so an import adds none twice whatever
// its name. A scrapbook picture is hashed only when an imported file has its byte size, and a
// hash kept from an earlier import is used while the file's size and time still match. Safe to
// use from several import workers at once.
#include "store/ImportedEntries.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <mutex>
#include <optional>
#include <vector>

namespace wk::importing {

struct FileHash {
    QByteArray sha256; // of the whole contents
    qint64 bytes = 0;  // how many were hashed
};

// The SHA-256 of the file's contents, read a piece at a time (a phone's video may be larger than
// memory); none when it cannot be read to its end.
std::optional<FileHash> hashFile(const QString& path);
// The same of contents already read.
FileHash hashContents(const QByteArray& contents);

// The key a hash of `path`, named `name` in an entry, is kept under; none when the file is gone.
std::optional<store::PictureKey> pictureKey(const QString& name, const QString& path);

class KnownPictures {
public:
    // `pictureNames` as the entries hold them (resolved against `programDirectory`), `kept` the
    // hashes kept by earlier imports.
    KnownPictures(const QStringList& pictureNames, const std::vector<store::PictureHash>& kept,
                  const QString& programDirectory);

    // Claims the bytes hashing to `sha256` (a file of `bytes` bytes) for the caller: false when
    // the scrapbook has them already or another file of this import claimed them first.
    bool claim(qint64 bytes, const QByteArray& sha256);

    // Hashes worked out on the way that are worth keeping; each is handed out once.
    std::vector<store::PictureHash> takeNewHashes();

private:
    struct Candidate {
        store::PictureKey key;
        QString path;
    };
    void hashCandidates(qint64 bytes);

    std::mutex mutex_;
    QHash<qint64, std::vector<Candidate>> unhashedBySize_;
    QSet<QByteArray> known_;
    QHash<QString, QByteArray> kept_; // by "name|bytes|mtime"
    std::vector<store::PictureHash> fresh_;
};

} // namespace wk::importing
