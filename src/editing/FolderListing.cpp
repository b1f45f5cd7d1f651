#include "editing/FolderListing.h"

#include <QDir>

namespace wk::editing {

QStringList listFolder(const QString& folder, const QString& patterns)
{
    if (folder.isEmpty())
        return {};
    QStringList filters;
    for (const QString& part : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        // The classic "*.*" also matches names without an extension.
        filters << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    QDir dir(folder);
    if (!dir.exists())
        return {};
    dir.setNameFilters(filters);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

QString folderOfFile(const QString& fileName)
{
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char('/'))
            return fileName.left(i + 1);
    }
    return {};
}

QString joinFolder(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace wk::editing
