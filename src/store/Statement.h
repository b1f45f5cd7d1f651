#pragma once
// A prepared statement of a database engine (Engine.h), with bound parameters. Parameters are
// numbered from 1, columns from 0. Failures are thrown as StoreError("what: engine's words").
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <optional>

namespace wk::store {

class PackedRow;

class Statement {
public:
    virtual ~Statement() = default;

    // Binds the program's value: integers, reals, bytes, text; a QDate or QDateTime as its storage
    // text; an invalid or null QVariant as NULL.
    virtual void bind(int index, const QVariant& value) = 0;
    // Runs to the next row: true on a row, false when done.
    virtual bool step(const QString& what) = 0;
    // Ready to run again; the bound values stay until bound anew.
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // True for a column declared as a date or a time of day.
    virtual bool declaredAsDate(int column) const = 0;
    // The current row's value as stored: qlonglong, double, QString, QByteArray or null.
    virtual QVariant value(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    // The stored text's UTF-8 bytes, valid until the next step; none for a value that is not text.
    virtual std::optional<QByteArrayView> text(int column) const = 0;
    // Appends the current row's value to `row`, as value() would give it.
    virtual void appendTo(PackedRow& row, int column) const = 0;
};

} // namespace wk::store
