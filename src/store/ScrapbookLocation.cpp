#include "store/ScrapbookLocation.h"

#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/sqlite/SqliteEngine.h"

#include <QDir>
#include <QFileInfo>

namespace wk::store {

namespace {

// The scrapbook file `text` names, canonical when it exists.
QString databaseFileOf(const QString& text)
{
    if (QFileInfo(text).isDir())
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
    database_ = databaseFileOf(text);
    folder_ = QFileInfo(text).isDir() ? text : QFileInfo(database_).path();
}

QString ScrapbookLocation::label() const { return QFileInfo(database_).fileName(); }

QString ScrapbookLocation::backupFolder() const
{
    return QFileInfo(database_).absolutePath() + QStringLiteral("/backups");
}

QString ScrapbookLocation::backupBaseName() const { return QFileInfo(database_).completeBaseName(); }

std::unique_ptr<Engine> openEngine(const ScrapbookLocation& location)
{
    return sqlite::openScrapbookFile(location.database());
}

} // namespace wk::store
