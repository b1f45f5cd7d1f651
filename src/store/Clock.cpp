#include "store/Clock.h"

namespace wk::store {

QDate SystemClock::today() const { return QDate::currentDate(); }

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

} // namespace wk::store
