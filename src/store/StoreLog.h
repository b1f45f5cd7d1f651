#pragma once
// The store's logging category, "wanderkeep.store". Failures the store gets past on its own (a
// rollback that did not run, ...) are logged here at debug level; the category says nothing
// unless the logging rules ask for it (QT_LOGGING_RULES="wanderkeep.*=true").
#include <QLoggingCategory>

namespace wk::store {

Q_DECLARE_LOGGING_CATEGORY(storeLog)

} // namespace wk::store
