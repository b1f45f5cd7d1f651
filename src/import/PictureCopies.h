#pragma once
// Copies of imported pictures in the scrapbook's own folder, "pictures/YYYY/MM/<file name>", so
// they stay when the card or phone goes away. A copy is written under a hidden temporary name,
// synced to the disk and only then renamed: no final name ever stands on a half-copied file, and
// the renames are synced before the entries naming the copies are written. A
// name already taken gets " (2)", " (3)", ... before its extension, unless the file under it has
// the same bytes: that copy (left by an import that was stopped before its entries were written)
// is used again. Safe to use from several import workers at once.
#include "import/KnownPictures.h"

#include <QDate>
#include <QDateTime>
#include <QIODevice>
#include <QSet>
#include <QString>
#include <mutex>
#include <optional>
#include <stdexcept>

namespace wk::importing {

// A copy that could not be written (a full disk, a folder that cannot be written): the import
// stops there.
class CopyError : public std::runtime_error {
public:
    explicit CopyError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class PictureCopies {
public:
    explicit PictureCopies(QString scrapbookFolder);

    // Copies `source` (a file, or a picture already read into memory; `hash` its contents when it
    // was hashed) a piece at a time, as the picture or video named `fileName`, taken on `date`,
    // keeping its modification time `modified`; returns the copy's name relative to the scrapbook folder, or
    // none when the source could not be read whole or no longer holds as many bytes (then nothing of it is
    // left). Throws CopyError when the copy cannot be written.
    std::optional<QString> place(const QString& fileName, const QDate& date, const QDateTime& modified,
                                 QIODevice& source, const FileHash& hash);

    // Makes the renames of the copies written since the last call last on the disk (one sync of
    // each folder they went to): called before their entries are written.
    void makeRenamesLast();

    // Removes the temporary files a killed import left in the scrapbook's pictures folder.
    static void removeUnfinished(const QString& scrapbookFolder);

private:
    QString folder_;
    std::mutex mutex_;
    QSet<QString> reserved_;  // names this import is writing or has written
    QSet<QString> renamedIn_; // folders whose renames are not yet synced
};

} // namespace wk::importing
