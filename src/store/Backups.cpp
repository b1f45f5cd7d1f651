#include "store/Backups.h"

#include "store/Connection.h"
#include "store/Engine.h"
#include "store/FilePaths.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace wk::store {

namespace {

// A copy's name: the scrapbook's base name, the moment, and a count when two copies are made in
// the same second ("Velmora-20261207-143015-2.mdb").
QRegularExpression copyName(const QString& baseName)
{
    return QRegularExpression(
        QStringLiteral("^%1-(\\d{8}-\\d{6})(?:-(\\d+))?\\.mdb$").arg(QRegularExpression::escape(baseName)),
        QRegularExpression::CaseInsensitiveOption);
}

// What an interrupted copy leaves: its temporary file and journals beside it.
QRegularExpression leftoverName(const QString& baseName)
{
    const QString base = QRegularExpression::escape(baseName);
    return QRegularExpression(QStringLiteral("^(\\.%1-\\d{8}-\\d{6}(?:-\\d+)?\\.mdb\\.part(?:-journal)?|"
                                             "%1-\\d{8}-\\d{6}(?:-\\d+)?\\.mdb-journal)$")
                                  .arg(base),
                              QRegularExpression::CaseInsensitiveOption);
}

struct Copy {
    QString name;
    QString moment;
    int count;
};

void copyDatabase(Engine& from, const QString& to)
{
    QString failure;
    try {
        from.writeSnapshot(to);
    } catch (const StoreError& error) {
        failure = error.message();
    }
    if (failure.isEmpty())
        syncFileToDisk(to, &failure);
    if (!failure.isEmpty()) {
        QFile::remove(to);
        throw StoreError(QStringLiteral("The backup %1 could not be written: %2")
                             .arg(QDir::toNativeSeparators(to), failure));
    }
}

} // namespace

QStringList scrapbookBackups(const ScrapbookLocation& scrapbook)
{
    const QDir folder(scrapbook.backupFolder());
    const QRegularExpression pattern = copyName(scrapbook.backupBaseName());
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

void removeUnfinishedBackups(const ScrapbookLocation& scrapbook)
{
    const QDir folder(scrapbook.backupFolder());
    if (!folder.exists())
        return;
    const QRegularExpression leftover = leftoverName(scrapbook.backupBaseName());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (!leftover.match(name).hasMatch())
            continue;
        QFile::remove(folder.filePath(name));
        if (name.endsWith(QLatin1String(".mdb-journal"), Qt::CaseInsensitive))
            QFile::remove(folder.filePath(name.chopped(int(sizeof("-journal")) - 1)));
    }
}

QString backUpScrapbook(Connection& connection, const QDateTime& at)
{
    const ScrapbookLocation& scrapbook = connection.location();
    QDir folder(scrapbook.backupFolder());
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        throw StoreError(QStringLiteral("The backup folder %1 could not be made.")
                             .arg(QDir::toNativeSeparators(folder.path())));
    const QString stem =
        scrapbook.backupBaseName() + QLatin1Char('-') + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    removeUnfinishedBackups(scrapbook);
    QString name = stem + QStringLiteral(".mdb");
    for (int count = 2; QFileInfo::exists(folder.filePath(name)); ++count)
        name = QStringLiteral("%1-%2.mdb").arg(stem).arg(count);
    const QString copy = folder.filePath(name);
    const QString temporary = folder.filePath(QLatin1Char('.') + name + QStringLiteral(".part"));
    copyDatabase(connection.engine(), temporary);
    // Room is made before the new copy takes its name, so no moment holds more than ten copies.
    QStringList kept = scrapbookBackups(scrapbook);
    while (kept.size() > kBackupsKept - 1)
        QFile::remove(kept.takeFirst());
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(copy).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        throw StoreError(QStringLiteral("The backup %1 could not be written: %2")
                             .arg(QDir::toNativeSeparators(copy), reason));
    }
    syncDirectory(folder.path());
    return copy;
}

} // namespace wk::store
