#pragma once
// The program's error rule: most handlers skip a step that fails and go on with the next one.
// A handler is written as a sequence of skipStep(...) calls. Only the store's, the picture
// loader's and the standard library's exceptions are swallowed; nothing crosses a Qt signal.
// Skipping is only for harmless steps (drawing, refreshing a view); a write that fails is told
// through tryWrite. A skipped step still leaves a trace: its failure is logged at debug level to
// "wanderkeep.ui" with the caller's file and line (QT_LOGGING_RULES="wanderkeep.*=true" shows it).
#include <QString>
#include <exception>
#include <functional>
#include <source_location>

namespace wk::controls {

// Runs `step`; returns false (and swallows the failure after logging it) when it threw.
bool skipStep(const std::function<void()>& step,
              std::source_location caller = std::source_location::current());

class Prompts;

// A step that changes the scrapbook is never skipped silently. Runs `write`; when it throws,
// tells the user `whatDidNotHappen` (a sentence such as "The entry was not deleted.") with the
// reason, under the window title `title`, and returns false.
bool tryWrite(Prompts& prompts, const QString& title, const QString& whatDidNotHappen,
              const std::function<void()>& write);
// Tells the user that a write failed: what did not happen, then the reason.
void tellFailedWrite(Prompts& prompts, const QString& title, const QString& whatDidNotHappen,
                     const std::exception& failure);

// Logs a failure a handler swallows by hand (where it must undo something or return a value
// instead), the way skipStep logs its own.
void logSkipped(const std::exception& failure, std::source_location where = std::source_location::current());

} // namespace wk::controls
