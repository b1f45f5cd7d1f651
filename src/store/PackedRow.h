#pragma once
// One result row kept as a single byte string: a large set then costs one allocation per row,
// and a field is turned into a QVariant only when it is read.
#include <QByteArray>
#include <QVariant>
#include <vector>

namespace wk::store {

class PackedRow {
public:
    // Appends one column: a stored value (null, integer, real, text, blob; dates as their
    // storage text), or one of each kind as an engine reads it (text as UTF-8).
    void appendValue(const QVariant& stored);
    void appendNull() { bytes_.append(char(0)); }
    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendText(const char* utf8, qsizetype size);
    void appendBlob(const char* data, qsizetype size);
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
