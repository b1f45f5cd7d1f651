#include "shell/TerminalCopy.h"

#include "store/ScrapbookCopy.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace wk::shell {

int runTerminalCopy(const TerminalCopy& request)
{
    const store::ScrapbookLocation source(request.source);
    const store::ScrapbookLocation target(request.target); // only asked whether it is a server
    if (!source.onServer() && !QFileInfo::exists(request.source))
        return cannotInTerminal(QStringLiteral("there is no scrapbook folder or file %1")
                                    .arg(QDir::toNativeSeparators(request.source)));
    // A target named by the user as a new folder is made; a name ending in .mdb is a file.
    const QString& named = request.target;
    if (!target.onServer() && !QFileInfo::exists(named) &&
        !named.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) && !QDir().mkpath(named))
        return cannotInTerminal(
            QStringLiteral("the folder %1 could not be made").arg(QDir::toNativeSeparators(named)));
    store::CopyCounts counts;
    try {
        counts = store::copyScrapbook(source, named, request.replace, [](qint64 done, qint64 total) {
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
