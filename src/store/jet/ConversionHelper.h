#pragma once
// Running the table copy of a conversion in the helper program wanderkeep-convert, which is
// installed beside the program (tests and benchmarks find it beside their own executables too).
//
// libmdb trusts the file it reads: a truncated or scrambled file can make it loop or claim memory
// without end. The helper carries a memory and processor-time limit, and the program only reads
// its reports, so a damaged file ends as a clear error and the program keeps running.
#include "store/jet/JetConversion.h"
#include "store/jet/TableCopy.h"

#include <QString>
#include <functional>

namespace wk::store::jet {

// The helper's file name; it lives in the folder of the running executable.
inline constexpr const char* kConversionHelperName = "wanderkeep-convert";

// Has the helper copy `mdbPath` into the new file `tempPath` (see copyScrapbookTables) and
// returns what it copied. `progress` is called on every report and at least every tenth of a
// second, so a window stays responsive; returning false stops the helper and throws
// ConversionCancelled. `tableCopied` is called as each table has been written. When either
// throws, the helper is stopped and the exception passes on. A helper that fails, crashes or is
// killed is a StoreError. In every case the helper has ended when this returns.
CopyOutcome copyInHelper(const QString& mdbPath, const QString& tempPath, const ConversionProgress& progress,
                         const std::function<void()>& tableCopied);

} // namespace wk::store::jet
