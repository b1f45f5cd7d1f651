#include "store/jet/JetConversion.h"

#include "store/jet/ConversionHelper.h"
#include "store/jet/ConversionLeftovers.h"
#include "store/jet/JetHeader.h"
#include "store/jet/SqliteTableWriter.h"
#include "store/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wk::store::jet {

namespace {

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

void syncFile(const QString& path)
{
    QString failure;
    if (!syncFileToDisk(path, &failure))
        throw StoreError(
            QStringLiteral("The new file %1 cannot be written to disk: %2").arg(nativePath(path), failure));
}

// The new scrapbook is for the same people as the original: its group and permission bits, not
// the owner-only mode of a temporary file, and the owner can always write it (an original
// copied from a disc is often read-only). Best effort: the group can only be one the user
// belongs to, and folders without Unix permissions (a FAT stick) refuse both and decide by
// themselves who may read.
void takePermissionsOf(const QString& original, const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(original).constData(), &status) != 0)
        return;
    const QByteArray target = QFile::encodeName(path);
    if (::chown(target.constData(), uid_t(-1), status.st_gid) != 0) {
        // not one of the user's groups: the file keeps the user's own group
    }
    ::chmod(target.constData(), (status.st_mode & 0777) | S_IRUSR | S_IWUSR);
}

// Copies `from` to a file `to` that must not exist yet (never overwrites); true on success,
// false when `to` exists. Throws on any other failure.
bool copyExclusive(const QString& from, const QString& to)
{
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (out < 0) {
        if (errno == EEXIST)
            return false;
        throw StoreError(QStringLiteral("The backup %1 cannot be created: %2")
                             .arg(nativePath(to), QString::fromLocal8Bit(std::strerror(errno))));
    }
    QFile in(from);
    bool ok = in.open(QIODevice::ReadOnly);
    while (ok) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty())
            break;
        ok = ::write(out, chunk.constData(), size_t(chunk.size())) == chunk.size();
    }
    ok = ok && in.error() == QFileDevice::NoError && ::fsync(out) == 0;
    ::close(out);
    if (!ok) {
        ::unlink(QFile::encodeName(to).constData());
        throw StoreError(QStringLiteral("The backup %1 cannot be written.").arg(nativePath(to)));
    }
    return true;
}

// Gives the original a second name (a hard link, or a copy where links are not possible);
// the original itself stays untouched. Returns the backup path.
QString makeBackup(const QString& mdbPath)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString backup = freeBackupName(mdbPath);
        if (::link(QFile::encodeName(mdbPath).constData(), QFile::encodeName(backup).constData()) == 0)
            return backup;
        if (errno == EEXIST)
            continue; // taken meanwhile: look again
        if (copyExclusive(mdbPath, backup))
            return backup;
    }
    throw StoreError(QStringLiteral("No free backup name beside %1.").arg(nativePath(mdbPath)));
}

void removeFile(const QString& path)
{
    if (!path.isEmpty())
        QFile::remove(path);
}

} // namespace

QString freeBackupName(const QString& mdbPath)
{
    const QFileInfo info(mdbPath);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString label =
            n == 1 ? QStringLiteral(" (Access original)") : QStringLiteral(" (Access original %1)").arg(n);
        const QString candidate = info.dir().filePath(base + label + suffix);
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

JetConversion convertJetScrapbook(const QString& mdbPath, const ConversionProgress& progress,
                                  const ConversionStepHook& stepHook)
{
    const QString shown = nativePath(mdbPath);
    const JetHeader header = readJetHeader(mdbPath);
    if (header.version == JetVersion::NotJet)
        throw StoreError(QStringLiteral("%1 is not an Access database file.").arg(shown));
    if (header.hasPassword)
        throw StoreError(QStringLiteral("%1 is protected by a password and cannot be converted. "
                                        "Remove the password in Access, then start Wanderkeep again. "
                                        "The file was not changed.")
                             .arg(shown));

    removeConversionLeftovers(mdbPath);
    JetConversion result;
    QString tempPath;
    QString backupPath;
    try {
        // The temporary file lives in the same folder, so the final rename cannot cross disks.
        {
            QTemporaryFile temp(conversionFileTemplate(mdbPath));
            temp.setAutoRemove(false);
            if (!temp.open())
                throw StoreError(QStringLiteral("No new file can be written beside %1: %2")
                                     .arg(shown, temp.errorString()));
            tempPath = temp.fileName();
        }

        const CopyOutcome copied = copyInHelper(mdbPath, tempPath, progress, [&stepHook] {
            if (stepHook)
                stepHook(ConversionStep::TableCopied);
        });
        result.entryCount = int(copied.entryCount);
        result.rowCount = copied.rowCount;
        result.tableCount = int(copied.tables.size());

        for (const auto& [table, rows] : copied.tables) {
            const qint64 written = SqliteTableWriter::countRows(tempPath, table);
            if (written != rows)
                throw StoreError(
                    QStringLiteral("The new file lost rows of table %1 (%2 of %3); %4 was not changed.")
                        .arg(table)
                        .arg(written)
                        .arg(rows)
                        .arg(shown));
        }
        takePermissionsOf(mdbPath, tempPath);
        syncFile(tempPath);
        if (stepHook)
            stepHook(ConversionStep::Verified);

        backupPath = makeBackup(mdbPath);
        if (stepHook)
            stepHook(ConversionStep::BackedUp);
        if (::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(mdbPath).constData()) != 0)
            throw StoreError(QStringLiteral("The new scrapbook cannot take the place of %1: %2")
                                 .arg(shown, QString::fromLocal8Bit(std::strerror(errno))));
        syncDirectory(QFileInfo(mdbPath).absolutePath());
        result.backupPath = backupPath;
        return result;
    } catch (...) {
        removeFile(tempPath);
        removeFile(backupPath); // only a second name of the untouched original
        throw;
    }
}

} // namespace wk::store::jet
