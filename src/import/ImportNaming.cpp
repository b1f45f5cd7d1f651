#include "import/ImportNaming.h"

#include "store/DateRules.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace wk::importing {

namespace {

QDate realDay(const QString& year, const QString& month, const QString& day)
{
    const QDate date(year.toInt(), month.toInt(), day.toInt());
    return date.isValid() && date.year() >= 1900 && date.year() <= 2100 ? date : QDate();
}

// Folder names that cameras, phones and apps make, never a person.
bool isDeviceFolder(const QString& name)
{
    static const QRegularExpression device(
        QStringLiteral(
            "^(dcim|camera|camera roll|screenshots?|pictures|images|photos|download|downloads|sent|"
            "private|whatsapp( images| video| animated gifs)?|telegram( images)?|signal|"
            "messenger|instagram|snapchat|bluetooth|\\d{3}[a-z0-9_]{5}|\\d{3}_\\d{4})$"),
        QRegularExpression::CaseInsensitiveOption);
    // A date alone: digits and separators only ("2023", "2023-07-15", "20230715").
    static const QRegularExpression dateAlone(QStringLiteral("^[\\d\\s._-]+$"));
    return device.match(name).hasMatch() || dateAlone.match(name).hasMatch();
}

} // namespace

QDate dateInFileName(const QString& fileName)
{
    // Eight digits standing alone: IMG-20230715-WA0001, IMG_20230715_123456, PXL_20230715_...
    static const QRegularExpression compact(
        QStringLiteral("(?<!\\d)((?:19|20)\\d\\d)(\\d\\d)(\\d\\d)(?!\\d)"));
    // Separated: Screenshot_2023-07-15-..., 2023-07-15 12.34.56
    static const QRegularExpression separated(
        QStringLiteral("(?<!\\d)((?:19|20)\\d\\d)[-_.](\\d\\d)[-_.](\\d\\d)(?!\\d)"));
    for (const QRegularExpression* pattern : {&compact, &separated}) {
        auto matches = pattern->globalMatch(fileName);
        while (matches.hasNext()) {
            const QRegularExpressionMatch m = matches.next();
            const QDate date = realDay(m.captured(1), m.captured(2), m.captured(3));
            if (date.isValid())
                return date;
        }
    }
    return {};
}

QString titleFor(const QString& folderName, const QDate& date)
{
    const QString name = folderName.trimmed();
    if (name.isEmpty() || isDeviceFolder(name))
        return dates::formatLong(date);
    return name;
}

bool looksRemovable(const QString& folder)
{
    const QString path = QFileInfo(folder).absoluteFilePath();
    static const QRegularExpression mounted(
        QStringLiteral("^(/media/|/run/media/|/run/user/\\d+/gvfs/|/run/user/\\d+/kio-fuse)"));
    if (mounted.match(path + QLatin1Char('/')).hasMatch())
        return true;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.contains(QStringLiteral("DCIM"), Qt::CaseInsensitive);
}

} // namespace wk::importing
