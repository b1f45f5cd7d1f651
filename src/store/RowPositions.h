#pragma once
// Where each row identity stands in a result set, for bookmarks and finds. MYLIFE's row ids are
// dense (1 to about the row count), so the positions are an array indexed by row id: built in one
// pass over a million rows in a few milliseconds, where a hash takes ten times as long. Ids far
// apart (a set of a few rows of a large table, say) go into a hash instead.
#include <QHash>
#include <QtGlobal>
#include <algorithm>
#include <vector>

namespace wk::store {

class RowPositions {
public:
    // `idAt(i)` is the row identity at position i, for i in [0, count).
    template <typename IdAt>
    void rebuild(int count, IdAt idAt)
    {
        dense_.clear();
        sparse_.clear();
        count_ = count;
        qint64 largest = -1;
        bool negative = false;
        for (int i = 0; i < count; ++i) {
            largest = std::max(largest, idAt(i));
            negative = negative || idAt(i) < 0;
        }
        isDense_ = !negative && fitsDense(largest);
        if (isDense_) {
            dense_.assign(size_t(largest + 1), -1);
            for (int i = 0; i < count; ++i)
                dense_[size_t(idAt(i))] = i;
        } else {
            sparse_.reserve(count);
            for (int i = 0; i < count; ++i)
                sparse_.insert(idAt(i), i);
        }
    }

    // A row added at `position`; false when the positions must be rebuilt instead.
    bool add(qint64 id, int position)
    {
        ++count_;
        if (!isDense_) {
            sparse_.insert(id, position);
            return true;
        }
        if (id < 0 || !fitsDense(std::max<qint64>(id, qint64(dense_.size()) - 1)))
            return false;
        if (id >= qint64(dense_.size()))
            dense_.resize(size_t(id + 1), -1);
        dense_[size_t(id)] = position;
        return true;
    }

    // The position of `id`, -1 when the set does not hold it.
    int find(qint64 id) const
    {
        if (isDense_)
            return id >= 0 && id < qint64(dense_.size()) ? dense_[size_t(id)] : -1;
        return sparse_.value(id, -1);
    }

private:
    bool fitsDense(qint64 largest) const { return largest <= 4 * qint64(count_) + 1024; }

    std::vector<int> dense_;
    QHash<qint64, int> sparse_;
    bool isDense_ = false;
    int count_ = 0;
};

} // namespace wk::store
