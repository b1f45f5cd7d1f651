#include "calendar/EntryDateIndex.h"

#include "store/DataSource.h"
#include "store/Entry.h"

#include <QDateTime>
#include <algorithm>

namespace wk::calendar {

EntryDateIndex::EntryDateIndex(store::DataSource& source) : source_(source)
{
    connect(&source_, &store::DataSource::changed, this, [this] { dirty_ = true; });
}

void EntryDateIndex::rebuild()
{
    byDay_.clear();
    dirty_ = false;
    const int rows = source_.recordCount();
    if (rows == 0 || !source_.isOpen())
        return;
    byDay_.reserve(size_t(rows));
    source_.forEachValue(store::kDateField, [this](int row, const QVariant& value) {
        if (value.typeId() == QMetaType::QDate) {
            byDay_.emplace_back(value.toDate().toJulianDay(), row);
        } else if (value.typeId() == QMetaType::QDateTime) {
            const QDateTime at = value.toDateTime();
            if (at.time() == QTime(0, 0))
                byDay_.emplace_back(at.date().toJulianDay(), row);
        }
    });
    if (!std::is_sorted(byDay_.begin(), byDay_.end())) // a set read in date order already is
        std::sort(byDay_.begin(), byDay_.end());       // (day, row): within a day, set order
}

std::vector<std::pair<QDate, int>> EntryDateIndex::rowsBetween(const QDate& first, const QDate& last)
{
    if (dirty_)
        rebuild();
    std::vector<std::pair<QDate, int>> found;
    const qint64 from = first.toJulianDay();
    const qint64 to = last.toJulianDay();
    auto it = std::lower_bound(byDay_.begin(), byDay_.end(), std::make_pair(from, -1));
    for (; it != byDay_.end() && it->first <= to; ++it)
        found.emplace_back(QDate::fromJulianDay(it->first), it->second);
    return found;
}

} // namespace wk::calendar
