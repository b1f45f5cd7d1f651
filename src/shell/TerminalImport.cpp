#include "shell/TerminalImport.h"

#include "controls/Prompts.h"
#include "import/ImportNaming.h"
#include "import/PictureImport.h"
#include "shell/ScrapbookBackups.h"
#include "store/Backups.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace wk::shell {

int runTerminalImport(const TerminalImport& request, const QString& workingFolder)
{
    if (!request.scrapbook.isEmpty() && !QFileInfo::exists(request.scrapbook) &&
        !store::ScrapbookLocation(request.scrapbook).onServer())
        return cannotInTerminal(QStringLiteral("there is no scrapbook folder or file %1")
                                    .arg(QDir::toNativeSeparators(request.scrapbook)));
    const std::optional<QString> folder = terminalScrapbookFolder(request.scrapbook, workingFolder);
    if (!folder)
        return cannotInTerminal(
            QStringLiteral("no scrapbook to import into; name its folder after the source"));
    QString why;
    const std::optional<store::ScrapbookLocation> found = terminalScrapbook(
        *folder,
        QStringLiteral("that can be imported into (an old Access scrapbook is converted by opening it in "
                       "Wanderkeep first)"),
        why);
    if (!found)
        return cannotInTerminal(why);
    const store::ScrapbookLocation& scrapbook = *found;
    if (scrapbook.folder().isEmpty())
        return cannotInTerminal(QStringLiteral("no folder on this computer is chosen for the pictures of %1; "
                                               "open it in Wanderkeep once to choose one")
                                    .arg(scrapbook.label()));

    importing::ImportOptions options;
    options.source = request.source;
    options.copy = request.copy.value_or(importing::looksRemovable(request.source));
    options.category = request.category;
    options.where = request.who;

    const store::SystemClock clock;
    TerminalPrompts prompts;
    ScrapbookBackups backups(prompts, clock);
    store::ConnectionPool pool;
    backups.guard(pool);
    importing::ImportSummary summary;
    try {
        store::removeUnfinishedBackups(scrapbook);
        const std::shared_ptr<store::Connection> connection = pool.open(scrapbook);
        QElapsedTimer sincePrinted;
        sincePrinted.start();
        summary = importing::importPictures(*connection, scrapbook.folder(), options,
                                            [&](const importing::ImportState& p) {
                                                if (sincePrinted.elapsed() >= 200 || p.done == p.total) {
                                                    std::printf("\r%d of %d pictures", p.done, p.total);
                                                    std::fflush(stdout);
                                                    sincePrinted.restart();
                                                }
                                                return true;
                                            });
    } catch (const importing::ImportError& error) {
        return cannotInTerminal(QString::fromStdString(error.what()));
    } catch (const store::StoreError& error) {
        return cannotInTerminal(error.message());
    }
    std::printf("\n%s\n", qPrintable(summary.text()));
    if (summary.imported == 0 && !summary.stoppedBecause.isEmpty())
        return cannotInTerminal(summary.stoppedBecause);
    return summary.exitStatus();
}

} // namespace wk::shell
