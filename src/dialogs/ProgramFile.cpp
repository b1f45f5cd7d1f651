#include "dialogs/ProgramFile.h"

#include <QDir>
#include <QFileInfo>

namespace wk::dialogs {

QString programFile(const QString& directory, const QString& name)
{
    const QDir dir(directory.isEmpty() ? QStringLiteral(".") : directory);
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

} // namespace wk::dialogs
