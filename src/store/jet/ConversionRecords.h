#pragma once
// What the conversion helper tells the program, one record after another on its standard output:
// how far the copy is, each table written, the end, or why it failed. Both programs are built
// from the same source, so a record is simply its fields in the machine's own byte order.
#include <QByteArray>
#include <QString>
#include <optional>

namespace wk::store::jet {

struct ConversionRecord {
    enum Type : qint32 {
        Progress = 1, // a: rows copied so far, b: rows in all
        Failed = 2,   // text: the message for a person
        Table = 3,    // a: rows written, text: the table's name
        Done = 4      // a: rows of the entries table, b: rows over all tables
    };
    Type type = Failed;
    qint64 a = 0;
    qint64 b = 0;
    QString text;
};

QByteArray encodeRecord(const ConversionRecord& record);

// Collects the helper's output as it comes and hands out the whole records in it.
class ConversionRecordReader {
public:
    void append(const QByteArray& bytes) { buffer_.append(bytes); }
    // The next whole record, or nothing until more has come. Throws StoreError on bytes that
    // cannot be a record.
    std::optional<ConversionRecord> next();

private:
    QByteArray buffer_;
};

} // namespace wk::store::jet
