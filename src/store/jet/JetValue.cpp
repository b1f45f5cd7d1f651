#include "store/jet/JetValue.h"

#include <QDate>
#include <cmath>
#include <cstdio>

namespace wk::store::jet {

QByteArray jetDateToStorage(double jetDate)
{
    if (!std::isfinite(jetDate) || std::fabs(jetDate) > 3.0e6)
        return {};
    const double whole = std::trunc(jetDate);
    qint64 seconds = std::llround(std::fabs(jetDate - whole) * 86400.0);
    qint64 days = static_cast<qint64>(whole);
    if (seconds >= 86400) { // rounding reached the next midnight
        seconds -= 86400;
        days += 1;
    }
    const QDate day = QDate(1899, 12, 30).addDays(days);
    if (!day.isValid() || day.year() < 100 || day.year() > 9999)
        return {};
    char text[32];
    if (seconds == 0)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year(), day.month(), day.day());
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", day.year(), day.month(), day.day(),
                      int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60));
    return QByteArray(text);
}

} // namespace wk::store::jet
