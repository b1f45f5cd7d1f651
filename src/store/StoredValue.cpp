#include "store/StoredValue.h"

#include "store/DateRules.h"

namespace wk::store {

StoredValue StoredValue::of(const QVariant& value)
{
    StoredValue stored;
    if (!value.isValid() || value.isNull())
        return stored;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        stored.kind = Integer;
        stored.integer = value.toLongLong();
        return stored;
    case QMetaType::Double:
    case QMetaType::Float:
        stored.kind = Real;
        stored.real = value.toDouble();
        return stored;
    case QMetaType::QByteArray:
        stored.kind = Blob;
        stored.bytes = value.toByteArray();
        return stored;
    case QMetaType::QDate:
        stored.kind = Text;
        stored.bytes = dates::toStorage(value.toDate()).toUtf8();
        return stored;
    case QMetaType::QDateTime:
        stored.kind = Text;
        stored.bytes = dates::toStorage(value.toDateTime()).toUtf8();
        return stored;
    default:
        stored.kind = Text;
        stored.bytes = value.toString().toUtf8();
        return stored;
    }
}

} // namespace wk::store
