#include "shell/TerminalCopy.h"

#include "store/ScrapbookCopy.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace wk::shell {

int runTerminalCopy(const TerminalCopy& request)
{
    if (!request.source.contains(QLatin1String("://")) && !QFileInfo::exists(request.source))
        return cannotInTerminal(QStringLiteral("there is no scrapbook folder or file %1")
                                    .arg(QDir::toNativeSeparators(request.source)));
    // A target named by the user as a new folder is made; a name ending in .mdb is a file.
    const QString& target = request.target;
    if (!target.contains(QLatin1String("://")) && !QFileInfo::exists(target) &&
        !target.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) && !QDir().mkpath(target))
        return cannotInTerminal(
            QStringLiteral("the folder %1 could not be made").arg(QDir::toNativeSeparators(target)));
    store::CopyCounts counts;
    try {
        counts = store::copyScrapbook(request.source, target, request.replace, [](qint64 done, qint64 total) {
            std::printf("\rcopied %lld of %lld rows", qlonglong(done), qlonglong(total));
            std::fflush(stdout);
        });
    } catch (const store::StoreError& error) {
        std::printf("\n");
        return cannotInTerminal(error.message());
    }
    std::printf("\nread %lld rows, wrote %lld rows\n", qlonglong(counts.read), qlonglong(counts.written));
    return 0;
}

} // namespace wk::shell
