#include "store/Backups.h"

#include "store/Connection.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>
#include <algorithm>

namespace wk::store {

namespace {

QDir backupFolder(const QString& scrapbookPath)
{
    return QDir(QFileInfo(scrapbookPath).absolutePath() + QStringLiteral("/backups"));
}

// A copy's name: the scrapbook's base name, the moment, and a count when two copies are made in
// the same second ("Velmora-20261207-143015-2.mdb").
QRegularExpression copyName(const QString& baseName)
{
    return QRegularExpression(
        QStringLiteral("^%1-(\\d{8}-\\d{6})(?:-(\\d+))?\\.mdb$").arg(QRegularExpression::escape(baseName)),
        QRegularExpression::CaseInsensitiveOption);
}

struct Copy {
    QString name;
    QString moment;
    int count;
};

void copyDatabase(sqlite3* from, const QString& to)
{
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(to).constData(), &target,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString failure;
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", from, "main");
        if (!backup) {
            failure = QString::fromUtf8(sqlite3_errmsg(target));
        } else {
            rc = sqlite3_backup_step(backup, -1);
            if (rc != SQLITE_DONE)
                failure = QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_backup_finish(backup);
        }
    } else {
        failure = target ? QString::fromUtf8(sqlite3_errmsg(target)) : QStringLiteral("out of memory");
    }
    if (sqlite3_close(target) != SQLITE_OK && failure.isEmpty())
        failure = QStringLiteral("the copy could not be closed");
    if (!failure.isEmpty()) {
        QFile::remove(to);
        throw StoreError(QStringLiteral("The backup %1 could not be written: %2")
                             .arg(QDir::toNativeSeparators(to), failure));
    }
}

} // namespace

QStringList scrapbookBackups(const QString& scrapbookPath)
{
    const QDir folder = backupFolder(scrapbookPath);
    const QRegularExpression pattern = copyName(QFileInfo(scrapbookPath).completeBaseName());
    std::vector<Copy> copies;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (match.hasMatch())
            copies.push_back({name, match.captured(1), match.captured(2).toInt()});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return std::tie(a.moment, a.count) < std::tie(b.moment, b.count);
    });
    QStringList paths;
    for (const Copy& copy : copies)
        paths << folder.filePath(copy.name);
    return paths;
}

QString backUpScrapbook(Connection& connection, const QDateTime& at)
{
    const QString scrapbook = connection.path();
    QDir folder = backupFolder(scrapbook);
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        throw StoreError(QStringLiteral("The backup folder %1 could not be made.")
                             .arg(QDir::toNativeSeparators(folder.path())));
    const QString stem = QFileInfo(scrapbook).completeBaseName() + QLatin1Char('-') +
                         at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copy = folder.filePath(stem + QStringLiteral(".mdb"));
    for (int count = 2; QFileInfo::exists(copy); ++count)
        copy = folder.filePath(QStringLiteral("%1-%2.mdb").arg(stem).arg(count));
    copyDatabase(connection.handle(), copy);

    QStringList kept = scrapbookBackups(scrapbook);
    while (kept.size() > kBackupsKept)
        QFile::remove(kept.takeFirst());
    return copy;
}

} // namespace wk::store
