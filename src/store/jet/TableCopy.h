#pragma once
// Copying every table of an Access file into a new SQLite file, the scrapbook tables typed by the
// scrapbook's rules. This is the part of a conversion that trusts libmdb with the file, so only
// the conversion helper program runs it (see ConversionHelper.h).
//
// The four scrapbook tables (found without regard to letter case) keep their names and fields;
// their text fields compare without regard to case and their date field is declared DATE.
// A scrapbook table or field missing from the source is added empty (cddrive with its one
// unconfirmed row). Every other table is copied as it is.
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace wk::store::jet {

// What the copy of the tables produced.
struct CopyOutcome {
    std::vector<std::pair<QString, qint64>> tables; // copied table -> rows
    qint64 entryCount = 0;                          // rows of the entries table
    qint64 rowCount = 0;                            // rows over all copied tables
};

struct CopyReports {
    std::function<void(qint64 done, qint64 total)> progress; // rows copied so far, rows in all
    std::function<void(const QString& table, qint64 rows)> tableCopied;
};

// Reads every table of `mdbPath` and writes the scrapbook into the new file `tempPath`, committed
// only at the end. Throws StoreError when the file is damaged or the new one cannot be written;
// either report may throw to stop.
CopyOutcome copyScrapbookTables(const QString& mdbPath, const QString& tempPath, const CopyReports& reports);

} // namespace wk::store::jet
