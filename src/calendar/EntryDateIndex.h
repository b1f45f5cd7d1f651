#pragma once
// The rows of a result set ordered by their day, so that a month fill finds the entries of its
// 42 days without passing over the whole set. Rebuilt on first use after the set changed.
#include <QDate>
#include <QObject>
#include <utility>
#include <vector>

namespace wk::store {
class DataSource;
}

namespace wk::calendar {

class EntryDateIndex : public QObject {
    Q_OBJECT
public:
    explicit EntryDateIndex(store::DataSource& source);

    // (day, row) of every row whose DATE falls from `first` to `last`, by day and, within a day,
    // in set order. A DATE with a time of day other than midnight falls on no day.
    std::vector<std::pair<QDate, int>> rowsBetween(const QDate& first, const QDate& last);

    void invalidate() { dirty_ = true; }

private:
    void rebuild();

    store::DataSource& source_;
    std::vector<std::pair<qint64, int>> byDay_; // (Julian day, row index)
    bool dirty_ = true;
};

} // namespace wk::calendar
