#include "controls/FolderFiles.h"

#include <QDir>
#include <algorithm>

namespace wk::controls {

namespace {

// The patterns of a ";"-separated pattern text, blanks trimmed. A pattern ending in ".*" also
// matches names without an extension, as "*.*" does for every file.
QStringList nameFilters(const QString& pattern)
{
    QStringList filters;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (p.isEmpty())
            continue;
        filters << p;
        if (p.endsWith(QLatin1String(".*")) && p.size() > 2)
            filters << p.left(p.size() - 2);
    }
    if (filters.isEmpty())
        filters << QStringLiteral("*");
    return filters;
}

int compareDigitRuns(const QString& a, qsizetype& i, const QString& b, qsizetype& j)
{
    qsizetype ai = i, bj = j;
    while (ai < a.size() && a[ai].isDigit())
        ++ai;
    while (bj < b.size() && b[bj].isDigit())
        ++bj;
    // Compare by value: strip leading zeros, then longer run is bigger, then digit by digit.
    qsizetype as = i, bs = j;
    while (as < ai - 1 && a[as] == QLatin1Char('0'))
        ++as;
    while (bs < bj - 1 && b[bs] == QLatin1Char('0'))
        ++bs;
    int result = 0;
    if (ai - as != bj - bs)
        result = ai - as < bj - bs ? -1 : 1;
    else
        for (qsizetype k = 0; k < ai - as && result == 0; ++k)
            if (a[as + k] != b[bs + k])
                result = a[as + k] < b[bs + k] ? -1 : 1;
    i = ai;
    j = bj;
    return result;
}

} // namespace

void FolderFiles::setFolder(const QString& folder)
{
    folder_ = folder;
    reRead();
}

void FolderFiles::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    reRead();
}

QStringList FolderFiles::listNames(const QString& folder, const QString& pattern)
{
    QStringList names;
    if (!folder.isEmpty()) {
        QDir dir(folder);
        names = dir.entryList(nameFilters(pattern), QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    }
    std::sort(names.begin(), names.end(), &FolderFiles::naturalLess);
    return names;
}

void FolderFiles::reRead()
{
    names_ = listNames(folder_, pattern_);
    selected_ = -1;
}

QString FolderFiles::nameAt(int index) const
{
    if (index < 0 || index >= nameCount())
        return {};
    return names_.at(index);
}

void FolderFiles::setSelectedIndex(int index) { selected_ = index >= 0 && index < nameCount() ? index : -1; }

QString FolderFiles::fullPath(int index) const
{
    const QString name = nameAt(index);
    return name.isEmpty() ? QString() : joinPath(folder_, name);
}

QString FolderFiles::joinPath(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool FolderFiles::naturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const int c = compareDigitRuns(a, i, b, j);
            if (c != 0)
                return c < 0;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return j < b.size(); // the shorter name (a prefix of the other) first
    return a < b;            // same under the rule: a fixed order by the exact text
}

} // namespace wk::controls
