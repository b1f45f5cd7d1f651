#pragma once
// One field value read from an Access (Jet) table, in the form it is written to SQLite.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace wk::store::jet {

// What a Jet column becomes in the converted file.
enum class ColumnKind {
    Text,    // short and long texts, replication ids: TEXT COLLATE NOCASE
    Date,    // date/time: DATE holding "YYYY-MM-DD" (+ " HH:MM:SS" when there is a time)
    Boolean, // yes/no: 1 or 0
    Integer, // byte, integer, long integer
    Real,    // single, double
    Money,   // currency, four decimals
    Decimal, // decimal (numeric) with precision and scale
    Blob     // binary, OLE objects and anything else
};

struct JetColumn {
    QString name;
    ColumnKind kind = ColumnKind::Blob;
};

struct JetValue {
    enum class Type { Null, Text, Integer, Real, Blob };
    Type type = Type::Null;
    QByteArray bytes; // Text: UTF-8; Blob: raw bytes
    qint64 integer = 0;
    double real = 0;

    static JetValue null() { return {}; }
    static JetValue text(QByteArray utf8) { return {Type::Text, std::move(utf8), 0, 0}; }
    static JetValue fromInteger(qint64 v) { return {Type::Integer, {}, v, 0}; }
    static JetValue fromReal(double v) { return {Type::Real, {}, 0, v}; }
    static JetValue blob(QByteArray raw) { return {Type::Blob, std::move(raw), 0, 0}; }
};

// A Jet date/time (days since 1899-12-30; the fraction, taken without its sign, is the time of
// day) in storage form: "YYYY-MM-DD", plus " HH:MM:SS" only when the time is not midnight.
// Times are rounded to the second. Values outside the years 100..9999 give an empty text.
QByteArray jetDateToStorage(double jetDate);

} // namespace wk::store::jet
