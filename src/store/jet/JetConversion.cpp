#include "store/jet/JetConversion.h"

#include "store/jet/ConversionLeftovers.h"
#include "store/jet/JetHeader.h"
#include "store/jet/SqliteTableWriter.h"
#include "store/jet/TableCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <cstring>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace wk::store::jet {

namespace {

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

void syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        throw StoreError(QStringLiteral("The new file %1 cannot be written to disk: %2")
                             .arg(nativePath(path), QString::fromLocal8Bit(std::strerror(error))));
    }
    ::close(fd);
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

void syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename itself has already happened
        ::close(fd);
    }
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

// --- the copy runs in a child process ---------------------------------------------------------
// libmdb trusts the file: a truncated or scrambled file can make it loop or claim memory without
// end. The child carries a memory and processor-time limit; the parent only reads its reports
// through a pipe, so a damaged file ends as a clear error and the program keeps running.

enum : qint32 { kProgress = 1, kFailed = 2, kTable = 3, kDone = 4 };

void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype off = 0;
    while (off < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + off, size_t(bytes.size() - off));
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            ::_exit(3);
        }
        off += n;
    }
}

QByteArray record(qint32 type, qint64 a, qint64 b, const QString& text = {})
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    auto put = [&](const void* p, int n) { out.append(static_cast<const char*>(p), n); };
    const qint32 length = qint32(utf8.size());
    put(&type, 4);
    put(&a, 8);
    put(&b, 8);
    put(&length, 4);
    out.append(utf8);
    return out;
}

[[noreturn]] void runChild(int fd, const QString& mdbPath, const QString& tempPath,
                           const ConversionStepHook& stepHook)
{
    // Far more than any file needs (libmdb holds a page or two and one row at a time).
    const qint64 fileSize = QFileInfo(mdbPath).size();
    const rlim_t memory = rlim_t(std::min<qint64>(qint64(2048) << 20, (qint64(256) << 20) + 32 * fileSize));
    const rlimit memoryLimit{memory, memory};
#if !defined(__SANITIZE_ADDRESS__)
    // The address sanitizer maps terabytes of shadow memory, which any data limit forbids, so
    // sanitizer builds convert without one (the CPU limit still holds).
    ::setrlimit(RLIMIT_DATA, &memoryLimit);
#else
    (void)memoryLimit;
#endif
    const rlimit cpuLimit{600, 600};
    ::setrlimit(RLIMIT_CPU, &cpuLimit);
    try {
        CopyReports reports;
        reports.progress = [&](qint64 done, qint64 total) { writeAll(fd, record(kProgress, done, total)); };
        reports.tableCopied = [&](const QString&, qint64) {
            if (stepHook)
                stepHook(ConversionStep::TableCopied);
        };
        const CopyOutcome outcome = copyScrapbookTables(mdbPath, tempPath, reports);
        for (const auto& [table, rows] : outcome.tables)
            writeAll(fd, record(kTable, rows, 0, table));
        writeAll(fd, record(kDone, outcome.entryCount, outcome.rowCount));
        ::_exit(0);
    } catch (const std::exception& e) {
        writeAll(fd, record(kFailed, 0, 0, QString::fromUtf8(e.what())));
    } catch (...) {
        writeAll(fd, record(kFailed, 0, 0, QStringLiteral("The conversion failed.")));
    }
    ::_exit(1);
}

CopyOutcome copyInChildProcess(const QString& mdbPath, const QString& tempPath,
                               const ConversionProgress& progress, const ConversionStepHook& stepHook)
{
    int fds[2];
    if (::pipe(fds) != 0)
        throw StoreError(QStringLiteral("The conversion cannot start: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw StoreError(QStringLiteral("The conversion cannot start: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (child == 0) {
        ::close(fds[0]);
        runChild(fds[1], mdbPath, tempPath, stepHook);
    }
    ::close(fds[1]);

    QByteArray buffer;
    CopyOutcome outcome;
    bool done = false;
    QString failure;
    bool cancelled = false;
    int shownDone = 0;
    int shownTotal = 0;
    for (;;) {
        pollfd pfd{fds[0], POLLIN, 0};
        const int ready = ::poll(&pfd, 1, 100);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0) {
            char chunk[4096];
            const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break; // the child has ended
            buffer.append(chunk, int(n));
        }
        // Whole records only.
        while (buffer.size() >= 24) {
            qint32 type = 0;
            qint64 a = 0;
            qint64 b = 0;
            qint32 length = 0;
            std::memcpy(&type, buffer.constData(), 4);
            std::memcpy(&a, buffer.constData() + 4, 8);
            std::memcpy(&b, buffer.constData() + 12, 8);
            std::memcpy(&length, buffer.constData() + 20, 4);
            if (buffer.size() < 24 + length)
                break;
            const QString text = QString::fromUtf8(buffer.constData() + 24, length);
            buffer.remove(0, 24 + length);
            if (type == kProgress) {
                shownTotal = int(std::min<qint64>(b, std::numeric_limits<int>::max()));
                shownDone = int(std::min<qint64>(a, shownTotal));
            } else if (type == kTable) {
                outcome.tables.emplace_back(text, a);
            } else if (type == kDone) {
                outcome.entryCount = a;
                outcome.rowCount = b;
                done = true;
            } else if (type == kFailed) {
                failure = text;
            }
        }
        // Called on every report and every tenth of a second, so a window stays responsive.
        if (progress && !cancelled && !progress(shownDone, shownTotal)) {
            cancelled = true;
            ::kill(child, SIGKILL);
        }
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (cancelled)
        throw ConversionCancelled();
    if (!failure.isEmpty())
        throw StoreError(failure);
    if (!done || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw StoreError(
            QStringLiteral("%1 is damaged: reading it failed part way. The file was not changed.")
                .arg(nativePath(mdbPath)));
    return outcome;
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

        const CopyOutcome copied = copyInChildProcess(mdbPath, tempPath, progress, stepHook);
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
