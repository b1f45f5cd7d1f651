#include "store/ScrapbookCopy.h"

#include "store/Engine.h"
#include "store/ImportedEntries.h"
#include "store/QueryDialect.h"
#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QStringList>

namespace wk::store {

namespace {

struct Table {
    QString name;
    QStringList columns;
    bool rowIds; // copied with its row identities
};

const Table kTables[] = {
    {"MYLIFE", {"DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE", "LOG"}, true},
    {"Catagory", {"catagory"}, true},
    {"WHERE", {"where", "sort"}, true},
    {"cddrive", {"cd", "new"}, true},
    {kPictureHashTable, {"PICTURE", "BYTES", "MTIME", "SHA256"}, false},
};

QStringList columnsOf(const Table& table)
{
    QStringList names;
    if (table.rowIds)
        names << QStringLiteral("rowid");
    return names + table.columns;
}

qint64 rowsOf(Engine& engine, const QString& table, const QString& what)
{
    const auto count =
        engine.prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(table)), what);
    count->step(what);
    return count->integer(0);
}

// Replaces the rows of `to` with those of `from`, table by table, in one write of `to`.
CopyCounts copyRows(Engine& from, Engine& to, const QString& reading, const QString& writing,
                    const std::function<void(qint64, qint64)>& progress)
{
    std::vector<Table> tables;
    qint64 total = 0;
    for (const Table& table : kTables)
        if (table.name != kPictureHashTable || from.hasTable(table.name, reading)) {
            tables.push_back(table);
            total += rowsOf(from, table.name, reading);
        }
    CopyCounts counts;
    to.beginWrite(writing);
    try {
        to.ensurePictureHashTable(writing);
        for (const Table& table : tables) {
            to.exec(QStringLiteral("DELETE FROM %1").arg(quoteIdentifier(table.name)), writing);
            const QStringList columns = columnsOf(table);
            const auto read =
                from.prepare(QStringLiteral("SELECT %1 FROM %2%3")
                                 .arg(columnList(columns), quoteIdentifier(table.name),
                                      table.rowIds ? QStringLiteral(" ORDER BY rowid") : QString()),
                             reading);
            const auto write = to.appendRows(table.name, columns, writing);
            while (read->step(reading)) {
                ++counts.read;
                for (int c = 0; c < columns.size(); ++c)
                    write->add(read->value(c));
                write->endRow();
                if (progress && counts.read % 1000 == 0)
                    progress(counts.read, total);
            }
            counts.written += write->finish();
            if (table.rowIds)
                to.resumeRowIds(table.name, writing);
        }
        to.commitWrite(writing);
    } catch (...) {
        to.rollBackWrite(writing);
        throw;
    }
    if (progress)
        progress(counts.written, total);
    return counts;
}

} // namespace

CopyCounts copyScrapbook(const ScrapbookLocation& source, const ScrapbookLocation& target, bool replace,
                         const std::function<void(qint64, qint64)>& progress)
{
    const QString reading = QStringLiteral("Cannot read %1").arg(source.label());
    const QString writing = QStringLiteral("Cannot write %1").arg(target.label());
    if (source == target)
        throw StoreError(QStringLiteral("%1: it is the scrapbook being copied").arg(writing));
    const auto from = openEngine(source);
    std::unique_ptr<Engine> to;
    try {
        to = openEngine(target);
    } catch (const StoreError&) {
        createScrapbook(target); // none there yet; a target that cannot be made says why
        to = openEngine(target);
    }
    if (!to->hasTable(QStringLiteral("MYLIFE"), writing))
        createScrapbook(target);
    if (const qint64 entries = rowsOf(*to, QStringLiteral("MYLIFE"), writing); entries > 0 && !replace)
        throw StoreError(QStringLiteral("%1: it already holds %2 entries; --replace replaces them")
                             .arg(writing)
                             .arg(entries));
    return copyRows(*from, *to, reading, writing, progress);
}

void writeScrapbookFile(Engine& from, const QString& label, const QString& file)
{
    createScrapbook(file);
    const auto to = openEngine(file);
    copyRows(from, *to, QStringLiteral("Cannot read %1").arg(label),
             QStringLiteral("Cannot write %1").arg(file), {});
}

} // namespace wk::store
