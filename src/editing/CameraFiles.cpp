#include "editing/CameraFiles.h"

#include "controls/FolderFiles.h"

#include "editing/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace wk::editing {

int pbNumber(const QString& name)
{
    int number = 0;
    const QString digits = name.mid(2, 5);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        number = number * 10 + (c.unicode() - '0');
    }
    return number;
}

int highestPbNumber(const QStringList& pbNames)
{
    int highest = 0;
    for (const QString& name : pbNames)
        highest = std::max(highest, pbNumber(name));
    return highest;
}

QString pbName(int number, const QString& oldName)
{
    const QString digits = (QStringLiteral("000000") + QString::number(number)).right(5);
    const QString extension = QFileInfo(oldName).suffix().toLower();
    const bool jpeg =
        extension.isEmpty() || extension == QLatin1String("jpg") || extension == QLatin1String("jpeg");
    return QStringLiteral("PB") + digits + QLatin1Char('.') + (jpeg ? QStringLiteral("jpg") : extension);
}

bool isCameraFile(const QString& name) { return name.startsWith(QLatin1String("PIC"), Qt::CaseSensitive); }

int countCameraFiles(const QStringList& names)
{
    int n = 0;
    for (const QString& name : names)
        n += isCameraFile(name) ? 1 : 0;
    return n;
}

RenameOutcome renameCameraFiles(const QString& folder, const QStringList& names, int highest)
{
    RenameOutcome outcome;
    int number = highest;
    for (const QString& name : names) {
        if (!isCameraFile(name))
            continue;
        ++number;
        const QString newName = pbName(number, name);
        const QString oldPath = controls::FolderFiles::joinPath(folder, name);
        const QString newPath = controls::FolderFiles::joinPath(folder, newName);
        if (QFileInfo::exists(newPath)) {
            outcome.skipped << QStringLiteral("%1 (%2 already exists)").arg(name, newName);
            continue;
        }
        QFile file(oldPath);
        // QFile::rename never replaces an existing file.
        if (!file.rename(newPath)) {
            outcome.skipped << QStringLiteral("%1 (%2)").arg(name, file.errorString());
            continue;
        }
        outcome.newNames.insert(name, newName);
    }
    outcome.lastNumber = number;
    return outcome;
}

QString pathAfterRenames(const QString& path, const QString& folder, const RenameOutcome& outcome)
{
    if (path.isEmpty())
        return path;
    const QString cleaned = QDir::cleanPath(path);
    for (auto it = outcome.newNames.cbegin(); it != outcome.newNames.cend(); ++it)
        if (cleaned == QDir::cleanPath(controls::FolderFiles::joinPath(folder, it.key())))
            return controls::FolderFiles::joinPath(folder, it.value());
    return path;
}

} // namespace wk::editing
