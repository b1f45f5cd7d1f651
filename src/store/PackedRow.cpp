#include "store/PackedRow.h"

#include "store/StoredValue.h"

#include <cstring>

namespace wk::store {

namespace {

enum Tag : char { Null = 0, Integer = 1, Real = 2, Text = 3, Blob = 4 };

void appendBytes(QByteArray& out, Tag tag, const char* data, qint32 size)
{
    out.append(char(tag));
    out.append(reinterpret_cast<const char*>(&size), sizeof size);
    out.append(data, size);
}

template <class T>
void appendNumber(QByteArray& out, Tag tag, T value)
{
    out.append(char(tag));
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
T readNumber(const char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Length of the column starting at `at`, tag included.
qsizetype columnLength(const char* at)
{
    switch (Tag(*at)) {
    case Null:
        return 1;
    case Integer:
    case Real:
        return 1 + 8;
    default:
        return 1 + 4 + readNumber<qint32>(at + 1);
    }
}

QVariant decode(const char* at)
{
    switch (Tag(*at)) {
    case Null:
        return QVariant();
    case Integer:
        return QVariant(qlonglong(readNumber<qint64>(at + 1)));
    case Real:
        return QVariant(readNumber<double>(at + 1));
    case Text:
        return QVariant(QString::fromUtf8(at + 5, readNumber<qint32>(at + 1)));
    case Blob:
        return QVariant(QByteArray(at + 5, readNumber<qint32>(at + 1)));
    }
    return QVariant();
}

} // namespace

void PackedRow::appendInteger(qint64 value) { appendNumber(bytes_, Integer, value); }

void PackedRow::appendReal(double value) { appendNumber(bytes_, Real, value); }

void PackedRow::appendText(const char* utf8, qsizetype size)
{
    appendBytes(bytes_, Text, utf8, qint32(size));
}

void PackedRow::appendBlob(const char* data, qsizetype size)
{
    appendBytes(bytes_, Blob, data, qint32(size));
}

void PackedRow::appendValue(const QVariant& value)
{
    const StoredValue stored = StoredValue::of(value);
    switch (stored.kind) {
    case StoredValue::Null:
        appendNull();
        return;
    case StoredValue::Integer:
        appendInteger(stored.integer);
        return;
    case StoredValue::Real:
        appendReal(stored.real);
        return;
    case StoredValue::Blob:
        appendBlob(stored.bytes.constData(), stored.bytes.size());
        return;
    case StoredValue::Text:
        appendText(stored.bytes.constData(), stored.bytes.size());
        return;
    }
}

PackedRow PackedRow::compacted() const
{
    PackedRow copy;
    copy.bytes_ = QByteArray(bytes_.constData(), bytes_.size());
    return copy;
}

QVariant PackedRow::at(int index) const
{
    const char* p = bytes_.constData();
    const char* end = p + bytes_.size();
    for (int c = 0; c < index && p < end; ++c)
        p += columnLength(p);
    return p < end ? decode(p) : QVariant();
}

std::vector<QVariant> PackedRow::all() const
{
    std::vector<QVariant> values;
    const char* p = bytes_.constData();
    const char* end = p + bytes_.size();
    while (p < end) {
        values.push_back(decode(p));
        p += columnLength(p);
    }
    return values;
}

} // namespace wk::store
