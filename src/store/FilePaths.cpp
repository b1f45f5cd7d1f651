#include "store/FilePaths.h"

#include <QDir>
#include <QFileInfo>

namespace wk::store {

QString findFileIgnoringCase(const QString& directory, const QString& fileName)
{
    const QDir dir(directory);
    if (dir.exists(fileName) && QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(fileName);
}

QString resolvePath(const QString& programDirectory, const QString& name)
{
    if (name.isEmpty() || !QDir::isRelativePath(name))
        return name;
    return QDir(programDirectory).filePath(name);
}

bool picturePresent(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && !info.isHidden();
}

} // namespace wk::store
