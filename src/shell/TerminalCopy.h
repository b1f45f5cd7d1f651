#pragma once
// The terminal form --copy: a whole scrapbook copied to another place without a window.
#include "shell/TerminalRequest.h"

namespace wk::shell {

// Copies, printing its progress and at the end the rows read and written. Returns the exit status:
// 0 when copied, 2 when nothing was (the reason on standard error).
int runTerminalCopy(const TerminalCopy& request);

} // namespace wk::shell
