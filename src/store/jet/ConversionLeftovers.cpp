#include "store/jet/ConversionLeftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace wk::store::jet {

namespace {

const QLatin1String kMarker(".converting-");
constexpr int kUniqueLength = 6; // the XXXXXX of the template

bool isUniquePart(QStringView text)
{
    const auto asciiLetterOrDigit = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
    };
    return text.size() == kUniqueLength && std::all_of(text.begin(), text.end(), asciiLetterOrDigit);
}

} // namespace

QString conversionFileTemplate(const QString& mdbPath)
{
    return QFileInfo(mdbPath).absoluteFilePath() + kMarker + QString(kUniqueLength, QLatin1Char('X'));
}

void removeConversionLeftovers(const QString& mdbPath)
{
    const QFileInfo original(mdbPath);
    const QString prefix = original.fileName() + kMarker;
    const QDir folder = original.absoluteDir();
    // Regular files only: the temporary file never is a link, and a link's target is not ours.
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        if (name.startsWith(prefix) && isUniquePart(QStringView(name).mid(prefix.size())))
            QFile::remove(folder.filePath(name));
}

} // namespace wk::store::jet
