#pragma once
// The user interface's logging category, "wanderkeep.ui". Every failure a handler swallows (the
// steps skipStep skips, ...) is logged here at debug level, so a user's "nothing happened" can be
// traced with QT_LOGGING_RULES="wanderkeep.*=true"; by default the category says nothing.
#include <QLoggingCategory>

namespace wk::controls {

Q_DECLARE_LOGGING_CATEGORY(uiLog)

} // namespace wk::controls
