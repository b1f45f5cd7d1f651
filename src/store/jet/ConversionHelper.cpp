#include "store/jet/ConversionHelper.h"

#include "store/jet/ConversionRecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <limits>
#include <sys/resource.h>

namespace wk::store::jet {

namespace {

// Only the one beside the running executable, never one a search of PATH would find.
QString helperProgram()
{
    if (!QCoreApplication::instance())
        throw StoreError(QStringLiteral("The conversion cannot start before the application object exists."));
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kConversionHelperName));
}

// Far more than any file needs (libmdb holds a page or two and one row at a time).
rlim_t memoryLimitFor(const QString& mdbPath)
{
    const qint64 fileSize = QFileInfo(mdbPath).size();
    return rlim_t(std::min<qint64>(qint64(2048) << 20, (qint64(256) << 20) + 32 * fileSize));
}

// Runs in the new process before the helper starts, so only calls that are safe there.
void limitHelper(rlim_t memory)
{
#if !defined(__SANITIZE_ADDRESS__)
    const rlimit memoryLimit{memory, memory};
    ::setrlimit(RLIMIT_DATA, &memoryLimit);
#else
    // The address sanitizer maps terabytes of shadow memory, which any data limit forbids, so
    // sanitizer builds convert without one (the processor-time limit still holds).
    (void)memory;
#endif
    const rlimit cpuLimit{600, 600};
    ::setrlimit(RLIMIT_CPU, &cpuLimit);
}

// Whatever way the copy ends, the helper is not left running (nor writing the file).
class HelperStopper {
public:
    explicit HelperStopper(QProcess& helper) : helper_(helper) {}
    ~HelperStopper() { stop(); }
    HelperStopper(const HelperStopper&) = delete;
    HelperStopper& operator=(const HelperStopper&) = delete;
    void stop()
    {
        if (helper_.state() != QProcess::NotRunning) {
            helper_.kill();
            helper_.waitForFinished(-1);
        }
    }

private:
    QProcess& helper_;
};

} // namespace

CopyOutcome copyInHelper(const QString& mdbPath, const QString& tempPath, const ConversionProgress& progress,
                         const std::function<void()>& tableCopied)
{
    QProcess helper;
    helper.setProgram(helperProgram());
    helper.setArguments({mdbPath, tempPath});
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel); // libmdb's warnings, as before
    const rlim_t memory = memoryLimitFor(mdbPath);
    helper.setChildProcessModifier([memory] { limitHelper(memory); });
    HelperStopper stopper(helper);
    helper.start(QIODevice::ReadOnly);
    if (!helper.waitForStarted(-1))
        throw StoreError(
            QStringLiteral("The conversion cannot start: its helper program %1 cannot be run (%2).")
                .arg(QDir::toNativeSeparators(helper.program()), helper.errorString()));

    ConversionRecordReader reader;
    CopyOutcome outcome;
    bool done = false;
    QString failure;
    int shownDone = 0;
    int shownTotal = 0;
    for (;;) {
        const bool running = helper.state() != QProcess::NotRunning;
        if (running)
            helper.waitForReadyRead(100);
        reader.append(helper.readAllStandardOutput());
        while (const std::optional<ConversionRecord> record = reader.next()) {
            switch (record->type) {
            case ConversionRecord::Progress:
                shownTotal = int(std::min<qint64>(record->b, std::numeric_limits<int>::max()));
                shownDone = int(std::min<qint64>(record->a, shownTotal));
                break;
            case ConversionRecord::Table:
                outcome.tables.emplace_back(record->text, record->a);
                if (tableCopied)
                    tableCopied();
                break;
            case ConversionRecord::Done:
                outcome.entryCount = record->a;
                outcome.rowCount = record->b;
                done = true;
                break;
            case ConversionRecord::Failed:
                failure = record->text;
                break;
            }
        }
        if (progress && !progress(shownDone, shownTotal)) {
            stopper.stop();
            throw ConversionCancelled();
        }
        if (!running)
            break;
    }
    if (!failure.isEmpty())
        throw StoreError(failure);
    if (!done || helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0)
        throw StoreError(
            QStringLiteral("%1 is damaged: reading it failed part way. The file was not changed.")
                .arg(QDir::toNativeSeparators(mdbPath)));
    return outcome;
}

} // namespace wk::store::jet
