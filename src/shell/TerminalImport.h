#pragma once
// The terminal form --import: importing a folder without a window.
#include "shell/TerminalRequest.h"

#include <QString>

namespace wk::shell {

// Runs the import, printing progress on one line of standard output and the summary at the end.
// Returns the exit status: 0 when every picture went in or was already there; 1 when some could
// not be read (the rest went in); 2 when nothing could be done, with the reason on standard error.
// Needs a QCoreApplication (for the picture format plugins).
int runTerminalImport(const TerminalImport& request, const QString& workingFolder);

} // namespace wk::shell
