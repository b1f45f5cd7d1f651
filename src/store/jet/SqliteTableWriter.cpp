#include "store/jet/SqliteTableWriter.h"

#include "store/Engine.h"
#include "store/QueryDialect.h"
#include "store/StoreError.h"
#include "store/sqlite/SqliteEngine.h"

#include <QStringList>

namespace wk::store::jet {

SqliteTableWriter::SqliteTableWriter(const QString& path)
    : path_(path), engine_(sqlite::openScratchFile(path))
{
    engine_->beginWrite(failed("starting the new file"));
}

SqliteTableWriter::~SqliteTableWriter() = default; // closing without the commit writes nothing

QString SqliteTableWriter::failed(const char* what) const
{
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(what), path_);
}

void SqliteTableWriter::beginTable(const QString& name, const std::vector<TargetColumn>& columns,
                                   const std::vector<int>& valueColumns)
{
    insert_.reset();
    QStringList defs;
    for (const TargetColumn& c : columns)
        defs << quoteIdentifier(c.name) + QLatin1Char(' ') + c.declaredType;
    engine_->exec(
        QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(name), defs.join(QLatin1String(", "))),
        failed("creating a table"));

    QStringList names;
    QStringList marks;
    for (int index : valueColumns) {
        names << quoteIdentifier(columns.at(index).name);
        marks << QStringLiteral("?");
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(name))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoteIdentifier(name), names.join(QLatin1String(", ")),
                                       marks.join(QLatin1String(", ")));
    insert_ = engine_->prepare(sql, failed("preparing an insert"));
    valueCount_ = static_cast<int>(valueColumns.size());
}

void SqliteTableWriter::insert(const std::vector<JetValue>& values)
{
    for (int i = 0; i < valueCount_; ++i) {
        const JetValue& v = values.at(size_t(i));
        switch (v.type) {
        case JetValue::Type::Null:
            insert_->bind(i + 1, QVariant());
            break;
        case JetValue::Type::Text:
            insert_->bind(i + 1, QString::fromUtf8(v.bytes));
            break;
        case JetValue::Type::Integer:
            insert_->bind(i + 1, qlonglong(v.integer));
            break;
        case JetValue::Type::Real:
            insert_->bind(i + 1, v.real);
            break;
        case JetValue::Type::Blob:
            insert_->bind(i + 1, v.bytes);
            break;
        }
    }
    insert_->step(failed("storing a row"));
    insert_->reset();
}

void SqliteTableWriter::insertTexts(const QStringList& texts)
{
    std::vector<JetValue> values;
    for (const QString& t : texts)
        values.push_back(JetValue::text(t.toUtf8()));
    insert(values);
}

void SqliteTableWriter::commit()
{
    insert_.reset();
    engine_->commitWrite(failed("writing the new file"));
    engine_.reset();
}

qint64 SqliteTableWriter::countRows(const QString& path, const QString& table)
{
    try {
        const auto engine = sqlite::openScrapbookFile(path);
        const QString what = QStringLiteral("The new file %1 cannot be checked").arg(path);
        const auto count =
            engine->prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(table)), what);
        if (!count->step(what))
            throw StoreError(QStringLiteral("%1: no count").arg(what));
        return count->integer(0);
    } catch (const StoreError& error) {
        const QString message = error.message();
        const QString what = QStringLiteral("The new file %1 cannot be checked").arg(path);
        throw StoreError(message.startsWith(what) ? message : QStringLiteral("%1: %2").arg(what, message));
    }
}

} // namespace wk::store::jet
