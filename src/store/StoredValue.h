#pragma once
// A program value in the form every engine stores it: null, an integer, a real, bytes, or UTF-8
// text (a QDate or QDateTime as its storage text, anything else as its text). The engines bind
// these and result sets keep them, so a value is classified in one place.
#include <QByteArray>
#include <QVariant>

namespace wk::store {

struct StoredValue {
    enum Kind { Null, Integer, Real, Blob, Text } kind = Null;
    qint64 integer = 0;
    double real = 0;
    QByteArray bytes; // Blob: the bytes; Text: UTF-8

    static StoredValue of(const QVariant& value);
};

} // namespace wk::store
