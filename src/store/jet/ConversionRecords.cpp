#include "store/jet/ConversionRecords.h"

#include "store/StoreError.h"

#include <cstring>

namespace wk::store::jet {

namespace {
constexpr qsizetype kHeaderSize = 4 + 8 + 8 + 4; // type, a, b, length of the text
}

QByteArray encodeRecord(const ConversionRecord& record)
{
    const QByteArray utf8 = record.text.toUtf8();
    const qint32 type = record.type;
    const qint32 length = qint32(utf8.size());
    QByteArray out;
    out.reserve(kHeaderSize + utf8.size());
    out.append(reinterpret_cast<const char*>(&type), 4);
    out.append(reinterpret_cast<const char*>(&record.a), 8);
    out.append(reinterpret_cast<const char*>(&record.b), 8);
    out.append(reinterpret_cast<const char*>(&length), 4);
    out.append(utf8);
    return out;
}

std::optional<ConversionRecord> ConversionRecordReader::next()
{
    if (buffer_.size() < kHeaderSize)
        return std::nullopt;
    qint32 type = 0;
    qint32 length = 0;
    ConversionRecord record;
    std::memcpy(&type, buffer_.constData(), 4);
    std::memcpy(&record.a, buffer_.constData() + 4, 8);
    std::memcpy(&record.b, buffer_.constData() + 12, 8);
    std::memcpy(&length, buffer_.constData() + 20, 4);
    if (type < ConversionRecord::Progress || type > ConversionRecord::Done || length < 0)
        throw StoreError(QStringLiteral("The conversion helper sent a report that makes no sense."));
    if (buffer_.size() < kHeaderSize + length)
        return std::nullopt;
    record.type = ConversionRecord::Type(type);
    record.text = QString::fromUtf8(buffer_.constData() + kHeaderSize, length);
    buffer_.remove(0, kHeaderSize + length);
    return record;
}

} // namespace wk::store::jet
