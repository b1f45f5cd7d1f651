#pragma once
// The program's error rule: most handlers skip a step that fails and go on with the next one.
// A handler is written as a sequence of skipStep(...) calls. Only the store's, the picture
// loader's and the standard library's exceptions are swallowed; nothing crosses a Qt signal.
// A skipped step still leaves a trace: its failure is logged at debug level to "wanderkeep.ui"
// with the caller's file and line (QT_LOGGING_RULES="wanderkeep.*=true" shows it).
#include <exception>
#include <functional>
#include <source_location>

namespace wk::controls {

// Runs `step`; returns false (and swallows the failure after logging it) when it threw.
bool skipStep(const std::function<void()>& step,
              std::source_location caller = std::source_location::current());

// Logs a failure a handler swallows by hand (where it must undo something or return a value
// instead), the way skipStep logs its own.
void logSkipped(const std::exception& failure, std::source_location where = std::source_location::current());

} // namespace wk::controls
