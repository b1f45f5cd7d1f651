#include "store/ScrapbookLocation.h"

#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/postgres/PostgresEngine.h"
#include "store/sqlite/SqliteEngine.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace wk::store {

namespace {

// The scrapbook file `text` (a folder when `isFolder`) names, canonical when it exists.
QString databaseFileOf(const QString& text, bool isFolder)
{
    if (isFolder)
        return QFileInfo(scrapbookFileIn(text)).absoluteFilePath();
    QString candidate = text;
    if (!QFileInfo(candidate).isFile()) {
        // Names written with a backslash before the file name, and in another letter case.
        candidate.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QFileInfo info(candidate);
        candidate = findFileIgnoringCase(info.path(), info.fileName());
    }
    const QString canonical = QFileInfo(candidate).canonicalFilePath();
    return canonical.isEmpty() ? candidate : canonical;
}

} // namespace

ScrapbookLocation::ScrapbookLocation(const QString& text) : text_(text)
{
    if (text.isEmpty())
        return;
    if (postgres::isServerAddress(text)) {
        database_ = text;
        return;
    }
    const bool isFolder = QFileInfo(text).isDir();
    database_ = databaseFileOf(text, isFolder);
    folder_ = isFolder ? text : QFileInfo(database_).path();
}

bool ScrapbookLocation::onServer() const { return postgres::isServerAddress(database_); }

QString ScrapbookLocation::displayName() const
{
    return onServer() ? postgres::databaseAtHost(database_) : QDir::toNativeSeparators(folder_);
}

QString ScrapbookLocation::textToRemember() const
{
    return onServer() ? postgres::withoutPassword(text_) : text_;
}

QString ScrapbookLocation::label() const
{
    return onServer() ? postgres::describeAddress(database_) : QFileInfo(database_).fileName();
}

QString ScrapbookLocation::backupFolder() const
{
    if (!onServer())
        return QFileInfo(database_).absolutePath() + QStringLiteral("/backups");
    // A server scrapbook's copies stay on this computer, one folder per server and database.
    QString name = postgres::describeAddress(database_);
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Wanderkeep/backups/") + name;
}

QString ScrapbookLocation::backupBaseName() const
{
    return onServer() ? QStringLiteral("Velmora") : QFileInfo(database_).completeBaseName();
}

std::unique_ptr<Engine> openEngine(const ScrapbookLocation& location)
{
    if (location.onServer())
        return postgres::connectToServer(location.database(), location.password());
    return sqlite::openScrapbookFile(location.database());
}

} // namespace wk::store
