#include "store/FilePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

bool syncFileToDisk(const QString& path, QString* failure)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        if (failure)
            *failure = QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    ::close(fd);
    return true;
}

void syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace wk::store
