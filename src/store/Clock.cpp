#include "store/Clock.h"

namespace wk::store {

QDate SystemClock::today() const { return QDate::currentDate(); }

} // namespace wk::store
