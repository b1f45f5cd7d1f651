#include "store/jet/JetReader.h"

#include "store/StoreError.h"
#include "store/jet/JetHeader.h"

#include <QFile>
#include <QFileInfo>
#include <mdbtools.h>

#include <algorithm>
#include <charconv>
#include <memory>

namespace wk::store::jet {

namespace {

constexpr int kRowOffsetMask = 0x1fff; // row start offsets carry flags in their top bits

ColumnKind kindOf(int jetType)
{
    switch (jetType) {
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
        return ColumnKind::Text;
    case MDB_DATETIME:
        return ColumnKind::Date;
    case MDB_BOOL:
        return ColumnKind::Boolean;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return ColumnKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return ColumnKind::Real;
    case MDB_MONEY:
        return ColumnKind::Money;
    case MDB_NUMERIC:
        return ColumnKind::Decimal;
    default:
        return ColumnKind::Blob;
    }
}

QByteArray takeText(char* text)
{
    QByteArray bytes(text ? text : "");
    g_free(text);
    return bytes;
}

struct TableDefDeleter {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableDefDeleter>;

} // namespace

// Closing the file frees its catalog, and with it every table name libmdb handed out: whatever
// a message needs is copied first, and the file closes when the handle goes (also when the
// constructor throws).
struct JetReader::Handle {
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
    MdbHandle* mdb = nullptr;
    std::vector<MdbCatalogEntry*> entries; // parallel to tables_
};

JetReader::JetReader(const QString& path) : handle_(std::make_unique<Handle>()), path_(path)
{
    // A file of whole pages that was cut short: libmdb would read past its end without limit.
    const qint64 pageSize = readJetHeader(path).version == JetVersion::Jet3 ? 2048 : 4096;
    if (QFileInfo(path).size() % pageSize != 0)
        throw StoreError(QStringLiteral("%1 is damaged: it ends in the middle of a page.").arg(path));
    handle_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle_->mdb)
        throw StoreError(QStringLiteral("%1 cannot be read as an Access database.").arg(path));
    if (!mdb_read_catalog(handle_->mdb, MDB_TABLE))
        throw StoreError(
            QStringLiteral("The table list of %1 cannot be read: the file is damaged.").arg(path));
    const qint64 pageCount = QFileInfo(path).size() / handle_->mdb->fmt->pg_size;
    for (unsigned int i = 0; i < handle_->mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(handle_->mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry))
            continue;
        JetTableInfo info;
        info.name = QString::fromUtf8(entry->object_name);
        if (qint64(entry->table_pg) >= pageCount) // the file was cut short
            throw StoreError(
                QStringLiteral("%1 is damaged: it ends before its table %2.").arg(path, info.name));
        TablePtr table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()))
            throw StoreError(QStringLiteral("The table %1 of %2 cannot be read: the file is damaged.")
                                 .arg(info.name, path));
        // Access never makes more columns than libmdb's row buffer holds; a count beyond it
        // is a damaged table definition, and cracking its rows would write past the buffer.
        if (table->num_cols > MDB_MAX_COLS)
            throw StoreError(QStringLiteral("The table %1 of %2 is damaged: it claims %3 columns.")
                                 .arg(info.name, path)
                                 .arg(table->num_cols));
        info.declaredRows = table->num_rows;
        for (unsigned int c = 0; c < table->num_cols; ++c) {
            auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            info.columns.push_back({QString::fromUtf8(col->name), kindOf(col->col_type)});
        }
        tables_.push_back(std::move(info));
        handle_->entries.push_back(entry);
    }
}

JetReader::~JetReader() = default;

qint64 JetReader::readRows(const JetTableInfo& info,
                           const std::function<void(const std::vector<JetValue>&)>& onRow, qint64 maxRows)
{
    MdbCatalogEntry* entry = nullptr;
    for (std::size_t i = 0; i < tables_.size(); ++i)
        if (&tables_[i] == &info)
            entry = handle_->entries[i];
    if (!entry)
        throw StoreError(QStringLiteral("Unknown table %1.").arg(info.name));

    MdbHandle* mdb = handle_->mdb;
    TablePtr table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()) || table->num_cols != info.columns.size())
        throw StoreError(
            QStringLiteral("The table %1 of %2 cannot be read: the file is damaged.").arg(info.name, path_));
    mdb_rewind_table(table.get());
    // libmdb reads OLE objects through a bound buffer of at least its chunk size.
    const size_t bindSize = std::max<size_t>(mdb->bind_size, MDB_BIND_SIZE);
    std::vector<std::vector<char>> oleBuffers;
    std::vector<int> oleLengths(table->num_cols);
    oleBuffers.reserve(table->num_cols);
    for (unsigned int c = 0; c < table->num_cols; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
        if (col->col_type != MDB_OLE)
            continue;
        oleBuffers.emplace_back(bindSize + 1, '\0');
        mdb_bind_column(table.get(), int(c) + 1, oleBuffers.back().data(), &oleLengths[c]);
    }

    std::vector<MdbField> fields(MDB_MAX_COLS);
    std::vector<JetValue> values(table->num_cols);
    qint64 count = 0;
    while (mdb_fetch_row(table.get())) {
        // The row just fetched is still on the current page; crack it again to learn which
        // fields are null (libmdb's bound values cannot tell null from the empty text).
        int start = 0;
        size_t length = 0;
        if (mdb_find_row(mdb, static_cast<int>(table->cur_row) - 1, &start, &length) != 0)
            throw StoreError(
                QStringLiteral("A row of table %1 cannot be read: the file is damaged.").arg(info.name));
        start &= kRowOffsetMask;
        // libmdb fills one field per column of the table but returns the count the row itself
        // claims: more than the table's columns is normal (columns deleted since the row was
        // written), more than any table can have is a damaged row.
        const int cracked = mdb_crack_row(table.get(), start, length, fields.data());
        if (cracked <= 0 || cracked > MDB_MAX_COLS)
            throw StoreError(
                QStringLiteral("A row of table %1 cannot be read: the file is damaged.").arg(info.name));

        for (auto& v : values)
            v = JetValue::null();
        for (unsigned int f = 0; f < table->num_cols; ++f) {
            const MdbField& field = fields[f];
            if (field.colnum < 0 || field.colnum >= static_cast<int>(table->num_cols))
                continue;
            auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, field.colnum));
            JetValue& value = values[field.colnum];
            if (col->col_type == MDB_BOOL) { // stored in the null mask: set means yes
                value = JetValue::fromInteger(field.is_null ? 0 : 1);
                continue;
            }
            if (field.is_null)
                continue;
            const int at = field.start;
            switch (col->col_type) {
            case MDB_TEXT:
            case MDB_MEMO:
                value = JetValue::text(field.siz > 0 ? takeText(mdb_col_to_string(mdb, mdb->pg_buf, at,
                                                                                  col->col_type, field.siz))
                                                     : QByteArray(""));
                break;
            case MDB_REPID:
                value = JetValue::text(takeText(mdb_uuid_to_string(mdb->pg_buf, at)));
                break;
            case MDB_DATETIME: {
                const double raw = mdb_get_double(mdb->pg_buf, at);
                const QByteArray text = jetDateToStorage(raw);
                value = text.isEmpty() ? JetValue::fromReal(raw) : JetValue::text(text);
                break;
            }
            case MDB_BYTE:
                value = JetValue::fromInteger(mdb_get_byte(mdb->pg_buf, at));
                break;
            case MDB_INT:
                value = JetValue::fromInteger(static_cast<qint16>(mdb_get_int16(mdb->pg_buf, at)));
                break;
            case MDB_LONGINT:
                value = JetValue::fromInteger(static_cast<qint32>(mdb_get_int32(mdb->pg_buf, at)));
                break;
            case MDB_FLOAT: {
                // The shortest decimal that reads back as the same single, so 0.1 stays 0.1.
                const float single = mdb_get_single(mdb->pg_buf, at);
                char text[32];
                const auto end = std::to_chars(text, text + sizeof text, single).ptr;
                value = JetValue::fromReal(QByteArray(text, int(end - text)).toDouble());
                break;
            }
            case MDB_DOUBLE:
                value = JetValue::fromReal(mdb_get_double(mdb->pg_buf, at));
                break;
            case MDB_MONEY: {
                const quint64 low = static_cast<quint32>(mdb_get_int32(mdb->pg_buf, at));
                const quint64 high = static_cast<quint32>(mdb_get_int32(mdb->pg_buf, at + 4));
                const auto units = static_cast<qint64>(low | (high << 32));
                if (units % 10000 == 0)
                    value = JetValue::fromInteger(units / 10000);
                else
                    value = JetValue::fromReal(static_cast<double>(units) / 10000.0);
                break;
            }
            case MDB_NUMERIC:
                value =
                    JetValue::text(takeText(mdb_numeric_to_string(mdb, at, col->col_scale, col->col_prec)));
                break;
            case MDB_OLE: {
                size_t size = 0;
                void* data = mdb_ole_read_full(mdb, col, &size);
                value =
                    JetValue::blob(QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(size)));
                g_free(data);
                break;
            }
            default:
                value =
                    JetValue::blob(QByteArray(reinterpret_cast<const char*>(mdb->pg_buf) + at, field.siz));
                break;
            }
        }
        if (++count > maxRows)
            throw StoreError(
                QStringLiteral("The table %1 of %2 is damaged: it holds more rows than it declares.")
                    .arg(info.name, path_));
        onRow(values);
    }
    return count;
}

} // namespace wk::store::jet
