#include "store/jet/JetConversion.h"

#include "store/jet/JetHeader.h"
#include "store/jet/JetReader.h"
#include "store/jet/SqliteTableWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace wk::store::jet {

namespace {

constexpr const char* kText = "TEXT COLLATE NOCASE";
constexpr const char* kDate = "DATE";

struct ScrapbookField {
    const char* name;
    const char* type; // nullptr: keep the type the source gives it
};
struct ScrapbookTable {
    const char* name;
    std::vector<ScrapbookField> fields;
};

const std::vector<ScrapbookTable>& scrapbookTables()
{
    static const std::vector<ScrapbookTable> tables = {
        {"MYLIFE", {{"DATE", kDate}, {"MYEVENT", kText}, {"WHAT", kText}, {"WHERE", kText}, {"PICTURE", kText}, {"LOG", kText}}},
        {"Catagory", {{"catagory", kText}}},
        {"WHERE", {{"where", kText}, {"sort", nullptr}}},
        {"cddrive", {{"cd", kText}, {"new", kText}}},
    };
    return tables;
}

QString declaredType(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Text: return QString::fromLatin1(kText);
    case ColumnKind::Date: return QString::fromLatin1(kDate);
    case ColumnKind::Boolean: return QStringLiteral("BOOLEAN");
    case ColumnKind::Integer: return QStringLiteral("INTEGER");
    case ColumnKind::Real: return QStringLiteral("REAL");
    case ColumnKind::Money: return QStringLiteral("CURRENCY");
    case ColumnKind::Decimal: return QStringLiteral("NUMERIC");
    case ColumnKind::Blob: break;
    }
    return QStringLiteral("BLOB");
}

bool sameName(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

const ScrapbookTable* scrapbookTableFor(const QString& name)
{
    for (const ScrapbookTable& t : scrapbookTables())
        if (sameName(name, t.name))
            return &t;
    return nullptr;
}

// The target columns of a source table: its own columns, the scrapbook fields typed by the
// scrapbook's rules, and any scrapbook field the source lacks added at the end.
std::vector<TargetColumn> targetColumns(const JetTableInfo& table, const ScrapbookTable* scrapbook)
{
    std::vector<TargetColumn> columns;
    for (const JetColumn& c : table.columns) {
        QString type = declaredType(c.kind);
        if (scrapbook)
            for (const ScrapbookField& f : scrapbook->fields)
                if (sameName(c.name, f.name) && f.type)
                    type = QString::fromLatin1(f.type);
        columns.push_back({c.name, type});
    }
    if (scrapbook)
        for (const ScrapbookField& f : scrapbook->fields) {
            bool present = false;
            for (const JetColumn& c : table.columns)
                present = present || sameName(c.name, f.name);
            if (!present)
                columns.push_back({QString::fromLatin1(f.name), QString::fromLatin1(f.type ? f.type : "INTEGER")});
        }
    return columns;
}

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

} // namespace

QString freeBackupName(const QString& mdbPath)
{
    const QFileInfo info(mdbPath);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString label = n == 1 ? QStringLiteral(" (Access original)")
                                     : QStringLiteral(" (Access original %1)").arg(n);
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
                                        "The file was not changed.").arg(shown));

    JetConversion result;
    QString tempPath;
    QString backupPath;
    try {
        JetReader reader(mdbPath);

        // The temporary file lives in the same folder, so the final rename cannot cross disks.
        {
            QTemporaryFile temp(QFileInfo(mdbPath).absoluteFilePath() + QStringLiteral(".converting-XXXXXX"));
            temp.setAutoRemove(false);
            if (!temp.open())
                throw StoreError(QStringLiteral("No new file can be written beside %1: %2").arg(shown, temp.errorString()));
            tempPath = temp.fileName();
        }

        qint64 total = 0;
        for (const JetTableInfo& t : reader.tables())
            total += t.declaredRows;
        const int shownTotal = int(std::min<qint64>(total, std::numeric_limits<int>::max()));
        qint64 done = 0;
        auto report = [&] {
            if (progress && !progress(int(std::min<qint64>(done, shownTotal)), shownTotal))
                throw ConversionCancelled();
        };
        report();

        std::vector<std::pair<QString, qint64>> expected; // target table -> rows
        {
            SqliteTableWriter writer(tempPath);
            for (const JetTableInfo& table : reader.tables()) {
                const ScrapbookTable* scrapbook = scrapbookTableFor(table.name);
                const std::vector<TargetColumn> columns = targetColumns(table, scrapbook);
                std::vector<int> valueColumns;
                for (int i = 0; i < int(table.columns.size()); ++i)
                    valueColumns.push_back(i);
                writer.beginTable(table.name, columns, valueColumns);
                const qint64 rows = reader.readRows(table, [&](const std::vector<JetValue>& values) {
                    writer.insert(values);
                    if (++done % 500 == 0)
                        report();
                });
                if (rows != table.declaredRows)
                    throw StoreError(QStringLiteral("The table %1 of %2 is damaged: %3 of its %4 rows could be read.")
                                         .arg(table.name, shown).arg(rows).arg(table.declaredRows));
                expected.emplace_back(table.name, rows);
                if (scrapbook && sameName(table.name, "MYLIFE"))
                    result.entryCount = int(rows);
                result.rowCount += rows;
                report();
                if (stepHook)
                    stepHook(ConversionStep::TableCopied);
            }
            // The scrapbook tables the source lacks.
            for (const ScrapbookTable& t : scrapbookTables()) {
                bool present = false;
                for (const JetTableInfo& table : reader.tables())
                    present = present || sameName(table.name, t.name);
                if (present)
                    continue;
                const bool cdTable = sameName(QString::fromLatin1(t.name), "cddrive");
                writer.beginTable(QString::fromLatin1(t.name), targetColumns(JetTableInfo{}, &t),
                                  cdTable ? std::vector<int>{0, 1} : std::vector<int>{});
                if (cdTable) // the one disc setting row, not yet confirmed
                    writer.insertTexts({QString(), QStringLiteral("Y")});
            }
            writer.commit();
        }
        result.tableCount = int(expected.size());

        for (const auto& [table, rows] : expected) {
            const qint64 written = SqliteTableWriter::countRows(tempPath, table);
            if (written != rows)
                throw StoreError(QStringLiteral("The new file lost rows of table %1 (%2 of %3); %4 was not changed.")
                                     .arg(table).arg(written).arg(rows).arg(shown));
        }
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
