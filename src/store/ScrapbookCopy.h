#pragma once
// Copies a whole scrapbook from one location to another (a folder and a server, either way): the
// entries, categories, names, the picture-disc row and the picture hashes, each row with its row
// identity, picture names as they are. The target's rows are written in one transaction, so a copy
// stopped half-way leaves the target as it was.
#include "store/ScrapbookLocation.h"

#include <QtGlobal>
#include <functional>

namespace wk::store {

class Engine;

struct CopyCounts {
    qint64 read = 0;    // rows read from the source, every table together
    qint64 written = 0; // rows written into the target
};

// Makes the target a scrapbook when it is none yet. A target that holds entries is refused unless
// `replace`, which replaces all it holds. `progress(done, total)` hears of the rows written.
// Throws StoreError, having written nothing, when either side cannot be read or written.
CopyCounts copyScrapbook(const ScrapbookLocation& source, const ScrapbookLocation& target, bool replace,
                         const std::function<void(qint64 done, qint64 total)>& progress = {});

// Writes what `from` holds, as it reads it now, into the new scrapbook file `file` (which must not
// exist): an engine's snapshot made by copying (a server scrapbook's backup). Throws StoreError.
void writeScrapbookFile(Engine& from, const QString& label, const QString& file);

} // namespace wk::store
