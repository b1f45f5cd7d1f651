#pragma once
// One result row kept as a single byte string: a large set then costs one allocation per row,
// and a field is turned into a QVariant only when it is read.
#include <QByteArray>
#include <QVariant>
#include <vector>

struct sqlite3_stmt;

namespace wk::store {

class PackedRow {
public:
    // Appends one column: of a statement's current row, or a stored value (null, integer,
    // real, text, blob; dates as their storage text).
    void appendColumn(sqlite3_stmt* stmt, int column);
    void appendValue(const QVariant& stored);
    // Empties the row but keeps its room, for building many rows in one buffer.
    void clear() { bytes_.resize(0); }
    // A copy that holds exactly its bytes.
    PackedRow compacted() const;

    // The value of column `index` as the engine stored it: QString, qlonglong, double,
    // QByteArray or a null QVariant.
    QVariant at(int index) const;
    std::vector<QVariant> all() const;

private:
    QByteArray bytes_;
};

} // namespace wk::store
