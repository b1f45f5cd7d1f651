#include "store/jet/TableCopy.h"

#include "store/StoreError.h"
#include "store/jet/JetReader.h"
#include "store/jet/SqliteTableWriter.h"

#include <QDir>

namespace wk::store::jet {

namespace {

constexpr const char* kText = "TEXT COLLATE NOCASE";
constexpr const char* kDate = "DATE";

struct ScrapbookField {
    const char* name;
    const char* type; // nullptr: keep the type the source gives it
};
struct ScrapbookTable {
    const char* name;
    std::vector<ScrapbookField> fields;
};

const std::vector<ScrapbookTable>& scrapbookTables()
{
    static const std::vector<ScrapbookTable> tables = {
        {"MYLIFE",
         {{"DATE", kDate},
          {"MYEVENT", kText},
          {"WHAT", kText},
          {"WHERE", kText},
          {"PICTURE", kText},
          {"LOG", kText}}},
        {"Catagory", {{"catagory", kText}}},
        {"WHERE", {{"where", kText}, {"sort", nullptr}}},
        {"cddrive", {{"cd", kText}, {"new", kText}}},
    };
    return tables;
}

QString declaredType(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Text:
        return QString::fromLatin1(kText);
    case ColumnKind::Date:
        return QString::fromLatin1(kDate);
    case ColumnKind::Boolean:
        return QStringLiteral("BOOLEAN");
    case ColumnKind::Integer:
        return QStringLiteral("INTEGER");
    case ColumnKind::Real:
        return QStringLiteral("REAL");
    case ColumnKind::Money:
        return QStringLiteral("CURRENCY");
    case ColumnKind::Decimal:
        return QStringLiteral("NUMERIC");
    case ColumnKind::Blob:
        break;
    }
    return QStringLiteral("BLOB");
}

bool sameName(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

const ScrapbookTable* scrapbookTableFor(const QString& name)
{
    for (const ScrapbookTable& t : scrapbookTables())
        if (sameName(name, t.name))
            return &t;
    return nullptr;
}

// The target columns of a source table: its own columns, the scrapbook fields typed by the
// scrapbook's rules, and any scrapbook field the source lacks added at the end.
std::vector<TargetColumn> targetColumns(const JetTableInfo& table, const ScrapbookTable* scrapbook)
{
    std::vector<TargetColumn> columns;
    for (const JetColumn& c : table.columns) {
        QString type = declaredType(c.kind);
        if (scrapbook)
            for (const ScrapbookField& f : scrapbook->fields)
                if (sameName(c.name, f.name) && f.type)
                    type = QString::fromLatin1(f.type);
        columns.push_back({c.name, type});
    }
    if (scrapbook)
        for (const ScrapbookField& f : scrapbook->fields) {
            bool present = false;
            for (const JetColumn& c : table.columns)
                present = present || sameName(c.name, f.name);
            if (!present)
                columns.push_back(
                    {QString::fromLatin1(f.name), QString::fromLatin1(f.type ? f.type : "INTEGER")});
        }
    return columns;
}

} // namespace

CopyOutcome copyScrapbookTables(const QString& mdbPath, const QString& tempPath, const CopyReports& reports)
{
    const QString shown = QDir::toNativeSeparators(mdbPath);
    JetReader reader(mdbPath);
    if (reader.tables().empty())
        throw StoreError(
            QStringLiteral("%1 holds no tables: it is damaged or empty. The file was not changed.")
                .arg(shown));
    qint64 total = 0;
    for (const JetTableInfo& t : reader.tables())
        total += t.declaredRows;
    qint64 done = 0;
    reports.progress(done, total);

    CopyOutcome outcome;
    SqliteTableWriter writer(tempPath);
    for (const JetTableInfo& table : reader.tables()) {
        const ScrapbookTable* scrapbook = scrapbookTableFor(table.name);
        std::vector<int> valueColumns;
        for (int i = 0; i < int(table.columns.size()); ++i)
            valueColumns.push_back(i);
        writer.beginTable(table.name, targetColumns(table, scrapbook), valueColumns);
        const qint64 rows = reader.readRows(
            table,
            [&](const std::vector<JetValue>& values) {
                if (++done % 500 == 0)
                    reports.progress(done, total);
                writer.insert(values);
            },
            table.declaredRows);
        if (rows != table.declaredRows)
            throw StoreError(QStringLiteral("%1 is damaged: %3 of the %4 rows of table %2 could be read.")
                                 .arg(shown, table.name)
                                 .arg(rows)
                                 .arg(table.declaredRows));
        outcome.tables.emplace_back(table.name, rows);
        if (scrapbook && sameName(table.name, "MYLIFE"))
            outcome.entryCount = rows;
        outcome.rowCount += rows;
        reports.progress(done, total);
        reports.tableCopied(table.name, rows);
    }
    // The scrapbook tables the source lacks.
    for (const ScrapbookTable& t : scrapbookTables()) {
        bool present = false;
        for (const JetTableInfo& table : reader.tables())
            present = present || sameName(table.name, t.name);
        if (present)
            continue;
        const bool cdTable = sameName(QString::fromLatin1(t.name), "cddrive");
        writer.beginTable(QString::fromLatin1(t.name), targetColumns(JetTableInfo{}, &t),
                          cdTable ? std::vector<int>{0, 1} : std::vector<int>{});
        if (cdTable) // the one disc setting row, not yet confirmed
            writer.insertTexts({QString(), QStringLiteral("Y")});
    }
    writer.commit();
    return outcome;
}

} // namespace wk::store::jet
