#pragma once
// Converting a scrapbook kept in an Access (Jet 3 or Jet 4) file into the program's own format.
//
// Front door of the wk_jet library. convertJetScrapbook() has the helper program copy every user
// table into a new SQLite file beside the original (see ConversionHelper.h and TableCopy.h),
// checks that every table holds as many rows as its source, keeps the original under a free
// backup name and only then puts the new file in the original's place (one rename). Until that
// rename the original is never touched; after a failure at any step, the helper's included, the
// original is where it was and no partial file remains. What a conversion killed half-way leaves
// is cleared away when the next one starts (see ConversionLeftovers.h). The new file takes the
// original's group and permission bits.
#include "store/StoreError.h"

#include <QString>
#include <functional>

namespace wk::store::jet {

struct JetConversion {
    QString backupPath;  // where the original file now is
    int entryCount = 0;  // rows of the entries table
    int tableCount = 0;  // tables copied from the source
    qint64 rowCount = 0; // rows copied over all tables
};

// Called with the rows copied so far and the rows to copy in all; returning false cancels.
using ConversionProgress = std::function<bool(int done, int total)>;

// Points where a test may make the conversion fail (by throwing from the hook).
enum class ConversionStep {
    TableCopied, // the helper has written a table to the temporary file (it is stopped on a throw)
    Verified,    // the temporary file is complete and its row counts checked
    BackedUp     // the backup name has been made; the swap comes next
};
using ConversionStepHook = std::function<void(ConversionStep)>;

// Thrown when the progress callback asked to stop; nothing was changed.
class ConversionCancelled : public StoreError {
public:
    ConversionCancelled() : StoreError(QStringLiteral("The conversion was cancelled; nothing was changed."))
    {
    }
};

// Converts `mdbPath` in place (see above); the helper is looked for beside the running
// executable, so the application object must exist. Throws StoreError with a message for a
// person when the file is not an Access file, is password-protected or damaged, or the new file
// cannot be written; the original is then left as it was.
JetConversion convertJetScrapbook(const QString& mdbPath, const ConversionProgress& progress = {},
                                  const ConversionStepHook& stepHook = {});

// The first of "Velmora (Access original).mdb", "Velmora (Access original 2).mdb", ... beside
// `mdbPath` that does not exist yet.
QString freeBackupName(const QString& mdbPath);

} // namespace wk::store::jet
