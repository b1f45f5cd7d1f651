#include "editing/FolderListing.h"

namespace wk::editing {

QString folderOfFile(const QString& fileName)
{
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char('/'))
            return fileName.left(i + 1);
    }
    return {};
}

} // namespace wk::editing
