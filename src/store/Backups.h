#pragma once
// Copies of a scrapbook kept before the program changes it. Each copy is the engine's consistent
// snapshot (a whole copy even while the scrapbook is open), written into the location's backup
// folder (for a file, "backups" beside it), named after it and the moment: Velmora-20261207-143015.mdb. A
// copy is written under a hidden temporary name (".Velmora-20261207-143015.mdb.part"), synced to the disk and
// only then renamed, so a copy under a final name is always whole: a program killed mid-copy leaves at most a
// temporary file, which the next copy (or the next start) removes with its journal. Only the newest ten
// copies of that name are kept; no other file in the folder is ever touched. Going back means replacing the
// scrapbook with a copy while the program is closed.
#include "store/ScrapbookLocation.h"

#include <QDateTime>
#include <QString>

namespace wk::store {

class Connection;

inline constexpr int kBackupsKept = 10;

// Writes a copy of the database `connection` has open and removes the oldest copies beyond the
// newest ten. Returns the copy's path. Throws StoreError when the folder cannot be made or the
// copy cannot be written (a partial copy is removed).
QString backUpScrapbook(Connection& connection, const QDateTime& at);

// The copies of the scrapbook at `scrapbook` that backUpScrapbook keeps, oldest first.
QStringList scrapbookBackups(const ScrapbookLocation& scrapbook);

// Removes what an interrupted copy of that scrapbook left in its backup folder: temporary copies
// and their journals, and the journal of any copy (a copy whose write an older version left
// unfinished is removed with it: it cannot be opened on its own).
void removeUnfinishedBackups(const ScrapbookLocation& scrapbook);

} // namespace wk::store
