#include "shell/ScrapbookBackups.h"

#include "controls/Prompts.h"
#include "store/Backups.h"
#include "store/Clock.h"
#include "store/Connection.h"
#include "store/StoreError.h"

namespace wk::shell {

ScrapbookBackups::ScrapbookBackups(controls::Prompts& prompts, const store::Clock& clock)
    : prompts_(prompts), clock_(clock)
{
}

void ScrapbookBackups::guard(store::ConnectionPool& pool)
{
    pool.setBeforeFirstWrite([this](store::Connection& connection) { backUp(connection); });
}

void ScrapbookBackups::backUp(store::Connection& connection)
{
    if (withoutBackups_)
        return;
    try {
        store::backUpScrapbook(connection, clock_.now());
    } catch (const store::StoreError& failure) {
        if (!asked_) {
            asked_ = true;
            withoutBackups_ = prompts_.askYesNo(
                QStringLiteral("Wanderkeep"),
                QStringLiteral("Wanderkeep keeps a copy of your scrapbook before changing it, but no copy "
                               "could be kept now:\n%1\n\nGo on without copies until Wanderkeep is closed?")
                    .arg(failure.message()));
        }
        if (!withoutBackups_)
            throw store::StoreError(QStringLiteral("The change was not made: no backup copy of the scrapbook "
                                                   "could be kept (%1).")
                                        .arg(failure.message()));
    }
}

} // namespace wk::shell
