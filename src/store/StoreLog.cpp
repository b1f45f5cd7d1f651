#include "store/StoreLog.h"

namespace wk::store {

// Debug messages are off until the rules enable them; warnings and worse always show.
Q_LOGGING_CATEGORY(storeLog, "wanderkeep.store", QtInfoMsg)

} // namespace wk::store
