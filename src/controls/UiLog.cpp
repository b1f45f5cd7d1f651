#include "controls/UiLog.h"

namespace wk::controls {

// Debug messages are off until the rules enable them; warnings and worse always show.
Q_LOGGING_CATEGORY(uiLog, "wanderkeep.ui", QtInfoMsg)

} // namespace wk::controls
