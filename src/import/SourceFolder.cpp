#include "import/SourceFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace wk::importing {

namespace {

namespace fs = std::filesystem;

void walk(const fs::path& folder, std::set<fs::path>& seen, std::vector<SourceFile>& files)
{
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || !seen.insert(canonical).second)
        return; // unreadable, or reached again through a link
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    for (const fs::directory_entry& entry : entries) {
        const std::string raw = entry.path().filename().native();
        if (raw.empty() || raw.front() == '.')
            continue;
        if (entry.is_directory(error)) {
            walk(entry.path(), seen, files);
        } else if (entry.is_regular_file(error)) {
            const QString path = QFile::decodeName(QByteArray::fromStdString(entry.path().native()));
            files.push_back({path, QFile::encodeName(path).toStdString() != entry.path().native()});
        }
    }
}

} // namespace

std::vector<SourceFile> filesIn(const QString& folder)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (!info.exists())
        throw SourceError(QStringLiteral("The folder %1 does not exist.").arg(shown));
    if (!info.isDir())
        throw SourceError(QStringLiteral("%1 is not a folder.").arg(shown));
    if (!info.isReadable() || !QDir(folder).isReadable())
        throw SourceError(QStringLiteral("The folder %1 cannot be read.").arg(shown));
    std::vector<SourceFile> files;
    std::set<fs::path> seen;
    walk(fs::path(QFile::encodeName(info.absoluteFilePath()).toStdString()), seen, files);
    return files;
}

} // namespace wk::importing
