#pragma once
// The terminal form --search: the entries holding some words, printed without a window.
#include "shell/TerminalRequest.h"

#include <QString>

namespace wk::shell {

// Prints the entries found, one line each: date (YYYY-MM-DD), title and picture, separated by
// tabs, in date order. Returns the exit status: 0 when some were found, 1 when none, 2 when the
// search could not be made (the reason on standard error). Never writes the scrapbook: without a
// current words index the entries are scanned.
int runTerminalSearch(const TerminalSearch& request, const QString& workingFolder);

} // namespace wk::shell
