#include "store/DataSource.h"

#include "store/QueryDialect.h"
#include "store/DateRules.h"
#include "store/Savepoint.h"

#include <QSet>

#include <QRegularExpression>

namespace wk::store {

namespace {

bool isDateColumn(const Statement& statement, int column, const QString& name)
{
    return statement.declaredAsDate(column) || name.compare(QLatin1String("date"), Qt::CaseInsensitive) == 0;
}

} // namespace

DataSource::DataSource(ConnectionPool& pool, const QString& name, QObject* parent)
    : QObject(parent), pool_(pool), name_(name)
{
    setObjectName(name);
}

DataSource::~DataSource() = default;

void DataSource::setDatabaseName(const QString& path) { databaseName_ = path; }

void DataSource::setRecordSource(const Query& recordSource) { recordSource_ = recordSource; }

std::unique_ptr<Statement> DataSource::prepareBound(const QString& sql, const QVariantList& values,
                                                    const QString& what) const
{
    auto statement = requireConnection()->prepare(sql, what);
    for (qsizetype i = 0; i < values.size(); ++i)
        statement->bind(int(i) + 1, values.at(i));
    return statement;
}

QString DataSource::fileLabel() const
{
    if (connection_)
        return connection_->label();
    const qsizetype cut =
        std::max(databaseName_.lastIndexOf(QLatin1Char('/')), databaseName_.lastIndexOf(QLatin1Char('\\')));
    const QString file = databaseName_.mid(cut + 1);
    return file.isEmpty() ? name_ : file;
}

void DataSource::refresh() { refreshFrom(nullptr); }

void DataSource::refreshWithRows(const std::vector<qint64>& rows) { refreshFrom(&rows); }

TranslatedQuery DataSource::openAndTranslate()
{
    if (databaseName_.isEmpty())
        throw StoreError(QStringLiteral("%1: no database file is set").arg(name_));
    if (recordSource_.text.trimmed().isEmpty())
        throw StoreError(QStringLiteral("%1: no record source is set").arg(name_));
    if (!connection_ || !(connection_->location() == ScrapbookLocation(databaseName_)))
        connection_ = pool_.open(databaseName_);
    return connection_->translate(recordSource_.text);
}

std::vector<qint64> DataSource::queryRowIds()
{
    const TranslatedQuery query = openAndTranslate();
    if (query.baseTable.isEmpty() || query.idsSql.isEmpty())
        throw StoreError(
            QStringLiteral("%1: only a record source over one table gives row identities").arg(name_));
    const QString label = fileLabel();
    const auto ids = prepareBound(query.idsSql, boundValues(recordSource_.values, query.idsForms), label);
    std::vector<qint64> rows;
    while (ids->step(label))
        rows.push_back(ids->integer(0));
    return rows;
}

void DataSource::refreshFrom(const std::vector<qint64>* knownRows)
{
    endEditing();
    const TranslatedQuery query = openAndTranslate();
    const auto statement =
        prepareBound(query.sql, boundValues(recordSource_.values, query.forms), fileLabel());
    const int columnCount = statement->columnCount();
    const bool hasId = !query.baseTable.isEmpty() && columnCount > 0 &&
                       statement->columnName(0) == QLatin1String(kRowIdColumn);
    const int first = hasId ? 1 : 0;

    QStringList columns;
    std::vector<bool> dateColumn;
    for (int c = first; c < columnCount; ++c) {
        const QString name = statement->columnName(c);
        columns << name;
        dateColumn.push_back(isDateColumn(*statement, c, name));
    }

    std::vector<Row> rows;
    std::swap(columns_, columns);
    std::swap(dateColumn_, dateColumn);
    QString pagedSql;
    try {
        const QString label = fileLabel();
        std::unique_ptr<Statement> ids;
        const bool paged = hasId && !query.idsSql.isEmpty() && sameColumnsAsTable(query.baseTable);
        if (knownRows && !paged)
            throw StoreError(
                QStringLiteral("%1: rows found elsewhere need a set of one table's columns").arg(name_));
        if (paged && !knownRows) {
            try {
                ids = prepareBound(query.idsSql, boundValues(recordSource_.values, query.idsForms), label);
            } catch (const StoreError&) {
                ids.reset(); // a select list the order refers to: read every row now
            }
        }
        if (knownRows) {
            pagedSql = query.idsSql;
            rows.reserve(knownRows->size());
            for (const qint64 id : *knownRows)
                rows.push_back(Row{id, PackedRow(), false});
        } else if (ids) {
            // Only the row identities now; the values a page at a time when they are read.
            pagedSql = query.idsSql;
            while (ids->step(label))
                rows.push_back(Row{ids->integer(0), PackedRow(), false});
        } else {
            qint64 serial = 0;
            PackedRow scratch; // grows once; each row then takes exactly its own size
            while (statement->step(label)) {
                Row row;
                row.id = hasId ? statement->integer(0) : ++serial;
                scratch.clear();
                for (int c = first; c < columnCount; ++c)
                    statement->appendTo(scratch, c);
                row.values = scratch.compacted();
                rows.push_back(std::move(row));
            }
        }
    } catch (...) {
        std::swap(columns_, columns);
        std::swap(dateColumn_, dateColumn);
        throw;
    }

    baseTable_ = hasId ? query.baseTable : QString();
    pagedSql_ = pagedSql;
    pagedValues_ = boundValues(recordSource_.values, query.idsForms);
    passed_ = {};
    rows_ = std::move(rows);
    indexDirty_ = true;
    position_ = 0; // the first row, or past the end of an empty set
    onDeleted_ = false;
    noMatch_ = false;
    refreshedSource_ = recordSource_;
    seenWrites_ = connection_->writeSerial();
    seenDataVersion_ = connection_->dataVersion();
    Q_EMIT changed();
}

void DataSource::keepInStep(bool wasInStep, OwnWrite write, const QStringList& changedColumns)
{
    if (!wasInStep || !connection_)
        return;
    static const QRegularExpression whereClause(QStringLiteral("\\bwhere\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression orderClause(QStringLiteral("\\border\\s+by\\s+([^;]*)"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QString source = recordSource_.text;
    const QRegularExpressionMatch order = orderClause.match(source);
    bool inStep = true;
    if (write == OwnWrite::Add)
        inStep = !order.hasMatch() && !whereClause.match(source).hasMatch(); // appended in row order
    else if (write == OwnWrite::Change) {
        inStep = !whereClause.match(source).hasMatch();
        // A changed sort column would move the row: only other columns keep the order.
        const QString orderText = order.captured(1).toLower();
        for (QString column : changedColumns) {
            column.remove(QLatin1Char('"'));
            if (orderText.contains(column.toLower()))
                inStep = false;
        }
    }
    if (inStep)
        seenWrites_ = connection_->writeSerial();
}

void DataSource::refreshIfChanged()
{
    const bool same = connection_ && !editing() && refreshedSource_ == recordSource_ &&
                      connection_->location() == ScrapbookLocation(databaseName_) &&
                      seenWrites_ == connection_->writeSerial() &&
                      seenDataVersion_ == connection_->dataVersion();
    if (!same) {
        refresh();
        return;
    }
    // Nothing was written since the last run: the set is what running it again would give.
    position_ = 0;
    onDeleted_ = false;
    noMatch_ = false;
}

bool DataSource::sameColumnsAsTable(const QString& table) const
{
    const auto statement = connection_->prepare(
        QStringLiteral("SELECT %1 FROM %2").arg(connection_->allColumns(table), quoteIdentifier(table)),
        fileLabel());
    if (statement->columnCount() != int(columns_.size()))
        return false;
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_.at(c).compare(statement->columnName(c), Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

const PackedRow& DataSource::valuesOf(int index) const
{
    if (!rows_[size_t(index)].loaded)
        loadPage(index);
    return rows_[size_t(index)].values;
}

void DataSource::loadPage(int index) const
{
    constexpr int kPageRows = 256;
    const int begin = index - index % kPageRows;
    const int end = std::min(begin + kPageRows, int(rows_.size()));
    QHash<qint64, int> wanted;
    QVariantList ids;
    for (int i = begin; i < end; ++i)
        if (!rows_[size_t(i)].loaded) {
            wanted.insert(rows_[size_t(i)].id, i);
            ids << rows_[size_t(i)].id;
        }
    const QString label = fileLabel();
    const QStringList marks(ids.size(), QStringLiteral("?"));
    const auto statement = prepareBound(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                                            .arg(connection_->allColumns(baseTable_),
                                                 quoteIdentifier(baseTable_), marks.join(QLatin1Char(','))),
                                        ids, label);
    PackedRow scratch;
    int columnCount = -1; // asked once the rows are read: a server then needs no question of its own
    while (statement->step(label)) {
        if (columnCount < 0)
            columnCount = statement->columnCount();
        const int i = wanted.value(statement->integer(0), -1);
        if (i < 0)
            continue;
        scratch.clear();
        for (int c = 1; c < columnCount; ++c)
            statement->appendTo(scratch, c);
        rows_[size_t(i)].values = scratch.compacted();
        rows_[size_t(i)].loaded = true;
    }
    // A row deleted since the set was read keeps its place, with no values.
    for (int i = begin; i < end; ++i)
        if (!rows_[size_t(i)].loaded) {
            scratch.clear();
            for (int c = 0; c < columns_.size(); ++c)
                scratch.appendValue(QVariant());
            rows_[size_t(i)].values = scratch.compacted();
            rows_[size_t(i)].loaded = true;
        }
}

void DataSource::forEachValue(const QString& name,
                              const std::function<void(int, const QVariant&)>& visit) const
{
    const int c = requireColumn(name);
    const int count = int(rows_.size());
    if (pagedSql_.isEmpty()) {
        for (int row = 0; row < count; ++row)
            visit(row, readValue(c, rows_[size_t(row)].values.at(c)));
        return;
    }
    if (passed_.column != c) {
        passed_.values = readColumn(c);
        passed_.column = c;
    }
    for (int row = 0; row < count; ++row)
        visit(row, passed_.values[size_t(row)]);
}

std::vector<QVariant> DataSource::readColumn(int c) const
{
    // One pass over the column in set order; rows the set has moved, added or changed since
    // come from the set itself.
    const int count = int(rows_.size());
    std::vector<QVariant> values;
    values.reserve(size_t(count));
    const QString label = fileLabel();
    const auto statement = prepareBound(idsQueryWithColumn(pagedSql_, columns_.at(c)), pagedValues_, label);
    QHash<qint64, QVariant> outOfStep;
    while (statement->step(label)) {
        const qint64 id = statement->integer(0);
        const int next = int(values.size());
        if (outOfStep.isEmpty() && next < count && rows_[size_t(next)].id == id) {
            const Row& row = rows_[size_t(next)];
            values.push_back(row.loaded ? readValue(c, row.values.at(c)) : storedValue(c, *statement, 1));
        } else {
            outOfStep.insert(id, storedValue(c, *statement, 1));
        }
    }
    for (int next = int(values.size()); next < count; ++next) {
        const Row& row = rows_[size_t(next)];
        values.push_back(row.loaded ? readValue(c, row.values.at(c)) : outOfStep.value(row.id));
    }
    return values;
}

QVariant DataSource::storedValue(int column, const Statement& statement, int index) const
{
    // The common date text without a string in between: a pass reads every row's date.
    if (dateColumn_[size_t(column)])
        if (const std::optional<QByteArrayView> utf8 = statement.text(index))
            if (const auto day = dates::dayFromStorage(*utf8))
                return QVariant(*day);
    return readValue(column, statement.value(index));
}

std::shared_ptr<Connection> DataSource::requireConnection() const
{
    if (!connection_)
        throw StoreError(QStringLiteral("%1: the data source has not been opened").arg(name_));
    return connection_;
}

void DataSource::requireCurrent() const
{
    if (onDeleted_ || position_ < 0 || position_ >= int(rows_.size()))
        throw StoreError(QStringLiteral("%1: no current record").arg(fileLabel()));
}

void DataSource::requireTable(const char* operation) const
{
    requireConnection();
    if (baseTable_.isEmpty())
        throw StoreError(QStringLiteral("%1: cannot %2 rows of a query that does not read one table")
                             .arg(fileLabel(), QString::fromLatin1(operation)));
}

void DataSource::endEditing()
{
    editMode_ = EditMode::None;
    pending_.clear();
    touched_.clear();
}

// --- moves -----------------------------------------------------------------------------------

void DataSource::moveFirst()
{
    endEditing();
    if (rows_.empty())
        throw StoreError(QStringLiteral("%1: no current record").arg(fileLabel()));
    position_ = 0;
    onDeleted_ = false;
}

void DataSource::moveLast()
{
    endEditing();
    if (rows_.empty())
        throw StoreError(QStringLiteral("%1: no current record").arg(fileLabel()));
    position_ = int(rows_.size()) - 1;
    onDeleted_ = false;
}

void DataSource::moveNext()
{
    endEditing();
    if (onDeleted_) { // the row after the deleted one already stands at its index
        onDeleted_ = false;
        return;
    }
    if (eof())
        throw StoreError(QStringLiteral("%1: no current record").arg(fileLabel()));
    ++position_;
}

void DataSource::movePrevious()
{
    endEditing();
    if (onDeleted_) {
        onDeleted_ = false;
        --position_;
        return;
    }
    if (bof())
        throw StoreError(QStringLiteral("%1: no current record").arg(fileLabel()));
    --position_;
}

bool DataSource::eof() const { return rows_.empty() || position_ >= int(rows_.size()); }

bool DataSource::bof() const { return rows_.empty() || position_ < 0; }

int DataSource::recordCount() const { return int(rows_.size()); }

int DataSource::absolutePosition() const
{
    if (onDeleted_ || position_ < 0 || position_ >= int(rows_.size()))
        return -1;
    return position_;
}

void DataSource::moveTo(int index)
{
    if (index < 0 || index >= int(rows_.size()))
        throw StoreError(QStringLiteral("%1: row %2 is outside the set of %3 rows")
                             .arg(fileLabel())
                             .arg(index)
                             .arg(rows_.size()));
    endEditing();
    position_ = index;
    onDeleted_ = false;
}

// --- fields ----------------------------------------------------------------------------------

QStringList DataSource::fieldNames() const { return columns_; }

int DataSource::columnIndex(const QString& name) const
{
    QString bare = name.trimmed();
    if (bare.startsWith(QLatin1Char('[')) && bare.endsWith(QLatin1Char(']')))
        bare = bare.mid(1, bare.size() - 2);
    for (int pass = 0; pass < 2; ++pass) {
        for (int c = 0; c < int(columns_.size()); ++c) {
            if (columns_.at(c).compare(bare, Qt::CaseInsensitive) == 0)
                return c;
        }
        // "mylife.date" names the field date.
        const qsizetype dot = bare.lastIndexOf(QLatin1Char('.'));
        if (dot < 0)
            break;
        bare = bare.mid(dot + 1);
    }
    return -1;
}

int DataSource::requireColumn(const QString& name) const
{
    const int c = columnIndex(name);
    if (c < 0) {
        throw StoreError(QStringLiteral("%1: no field %2 in %3")
                             .arg(fileLabel(), name, baseTable_.isEmpty() ? recordSource_.text : baseTable_));
    }
    return c;
}

QVariant DataSource::readValue(int column, const QVariant& raw) const
{
    if (!dateColumn_[size_t(column)] || raw.typeId() != QMetaType::QString)
        return raw;
    const QString text = raw.toString();
    if (const auto day = dates::dayFromStorage(text))
        return QVariant(*day);
    if (const auto stored = dates::fromStorage(text))
        return dates::storageHasTime(text) ? QVariant(*stored) : QVariant(stored->date());
    // Files written by other tools may hold other date texts.
    if (const auto parsed = dates::parseDateTime(text))
        return parsed->time() == QTime(0, 0) ? QVariant(parsed->date()) : QVariant(*parsed);
    return raw;
}

QVariant DataSource::toStored(int column, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    if (!dateColumn_[size_t(column)])
        return value;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return dates::toStorage(value.toDate());
    case QMetaType::QDateTime:
        return dates::toStorage(value.toDateTime());
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto parsed = dates::parseDateTime(text))
            return dates::toStorage(*parsed);
        throw StoreError(QStringLiteral("%1: \"%2\" is not a valid date for field %3")
                             .arg(fileLabel(), text, columns_.at(column)));
    }
    default:
        return value;
    }
}

QVariant DataSource::field(const QString& name) const
{
    const int c = requireColumn(name);
    if (editMode_ != EditMode::None)
        return pending_[size_t(c)];
    requireCurrent();
    return readValue(c, valuesOf(position_).at(c));
}

QVariant DataSource::fieldAt(int row, const QString& name) const
{
    const int c = requireColumn(name);
    requireRow(row);
    return readValue(c, valuesOf(row).at(c));
}

void DataSource::setField(const QString& name, const QVariant& value)
{
    const int c = requireColumn(name);
    if (editMode_ == EditMode::None)
        throw StoreError(
            QStringLiteral("%1: field %2 can only be set after edit or add new").arg(fileLabel(), name));
    const QVariant stored = toStored(c, value);
    pending_[size_t(c)] = readValue(c, stored);
    touched_[size_t(c)] = true;
}

// --- bookmarks -------------------------------------------------------------------------------

void DataSource::rebuildIndex() const
{
    if (!indexDirty_)
        return;
    positions_.rebuild(int(rows_.size()), [this](int i) { return rows_[size_t(i)].id; });
    indexDirty_ = false;
}

void DataSource::requireRow(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        throw StoreError(QStringLiteral("%1: row %2 is outside the set of %3 rows")
                             .arg(fileLabel())
                             .arg(row)
                             .arg(rows_.size()));
}

qint64 DataSource::rowIdAt(int row) const
{
    requireRow(row);
    return rows_[size_t(row)].id;
}

int DataSource::indexOfId(qint64 id) const
{
    rebuildIndex();
    return positions_.find(id);
}

QString DataSource::bookmark() const
{
    requireCurrent();
    return QString::number(rows_[size_t(position_)].id);
}

bool DataSource::hasBookmark(const QString& bookmark) const
{
    bool ok = false;
    const qint64 id = bookmark.toLongLong(&ok);
    return ok && indexOfId(id) >= 0;
}

void DataSource::setBookmark(const QString& bookmark)
{
    bool ok = false;
    const qint64 id = bookmark.toLongLong(&ok);
    const int index = ok ? indexOfId(id) : -1;
    if (index < 0)
        throw StoreError(
            QStringLiteral("%1: the bookmark \"%2\" is not a row of this set").arg(fileLabel(), bookmark));
    endEditing();
    position_ = index;
    onDeleted_ = false;
}

// --- writes ----------------------------------------------------------------------------------

void DataSource::addNew()
{
    requireTable("add");
    editMode_ = EditMode::Add;
    pending_.assign(size_t(columns_.size()), QVariant());
    touched_.assign(size_t(columns_.size()), false);
}

void DataSource::edit()
{
    requireTable("change");
    requireCurrent();
    editMode_ = EditMode::Edit;
    const std::vector<QVariant> stored = valuesOf(position_).all();
    shown_ = QVariantList(stored.begin(), stored.end());
    pending_.assign(size_t(columns_.size()), QVariant());
    for (size_t c = 0; c < stored.size() && c < pending_.size(); ++c)
        pending_[c] = readValue(int(c), stored[c]);
    touched_.assign(size_t(columns_.size()), false);
}

bool DataSource::editing() const { return editMode_ != EditMode::None; }

void DataSource::cancelUpdate() { endEditing(); }

DataSource::Row DataSource::loadRow(qint64 id) const
{
    Row row;
    row.id = id;
    std::vector<QVariant> values = pending_; // columns the table lacks keep what was set
    const auto statement =
        connection_->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                 .arg(connection_->allColumns(baseTable_), quoteIdentifier(baseTable_)),
                             fileLabel());
    statement->bind(1, QVariant(id));
    if (statement->step(fileLabel())) {
        for (int c = 0; c < statement->columnCount(); ++c) {
            const int mine = columnIndex(statement->columnName(c));
            if (mine >= 0)
                values[size_t(mine)] = statement->value(c);
        }
    }
    for (const QVariant& v : values)
        row.values.appendValue(v);
    return row;
}

qint64 DataSource::checkedRow(Connection& connection, qint64 id, const QVariantList& shown)
{
    QStringList columns;
    for (const QString& column : columns_)
        columns << column;
    const qint64 found = rowHolding(connection, baseTable_, id, columns, shown);
    if (found != id) { // renumbered by another program: this set follows the entry to its new id
        rows_[size_t(position_)].id = found;
        indexDirty_ = true;
    }
    return found;
}

void DataSource::showStoredRow(qint64 id)
{
    pending_ = valuesOf(position_).all();
    rows_[size_t(position_)] = loadRow(id);
    endEditing();
}

void DataSource::update()
{
    if (editMode_ == EditMode::None)
        throw StoreError(QStringLiteral("%1: update without add new or edit").arg(fileLabel()));
    auto connection = requireConnection();
    const QString what = QStringLiteral("Cannot write %1").arg(fileLabel());
    QStringList names;
    std::vector<QVariant> values;
    for (int c = 0; c < int(columns_.size()); ++c) {
        if (touched_[size_t(c)]) {
            names << quoteIdentifier(columns_.at(c));
            values.push_back(toStored(c, pending_[size_t(c)]));
        }
    }
    const bool adding = editMode_ == EditMode::Add;
    qint64 id = adding ? 0 : rows_[size_t(position_)].id;
    std::optional<RowChange> change;
    const bool wasInStep = seenWrites_ == connection->writeSerial();
    try {
        if (adding || !names.isEmpty()) {
            inSavepoint(*connection, what, [&] {
                if (connection->observesChanges())
                    change = RowChange{baseTable_, id,
                                       adding ? std::nullopt : readRowState(*connection, baseTable_, id),
                                       std::nullopt, QString()};
                if (!adding)
                    id = checkedRow(*connection, id, shown_);
                QString sql;
                if (adding && names.isEmpty()) {
                    sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(baseTable_));
                } else if (adding) {
                    QStringList marks;
                    for (qsizetype i = 0; i < names.size(); ++i)
                        marks << QStringLiteral("?");
                    sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quoteIdentifier(baseTable_), names.join(QLatin1String(", ")),
                                   marks.join(QLatin1String(", ")));
                } else {
                    QStringList sets;
                    for (const QString& n : names)
                        sets << n + QStringLiteral(" = ?");
                    sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                              .arg(quoteIdentifier(baseTable_), sets.join(QLatin1String(", ")));
                }
                const auto statement = connection->prepare(sql, what);
                int index = 1;
                for (const QVariant& v : values)
                    statement->bind(index++, v);
                if (!adding)
                    statement->bind(index, QVariant(id));
                statement->step(what);
                if (adding)
                    id = connection->engine().lastInsertedRow();
                else if (connection->engine().changedRows() != 1)
                    throw RowGoneError();
                if (change) {
                    change->rowId = id;
                    change->after = readRowState(*connection, baseTable_, id);
                }
            });
        }
    } catch (const RowChangedError&) {
        showStoredRow(id);
        throw;
    }
    if (change)
        connection->reportChange(*change);
    if (adding || !names.isEmpty())
        keepInStep(wasInStep, adding ? OwnWrite::Add : OwnWrite::Change, names);
    Row row = loadRow(id);
    if (adding) {
        const bool wasPastEnd = position_ >= int(rows_.size());
        if (passed_.column >= 0)
            passed_.values.push_back(readValue(passed_.column, row.values.at(passed_.column)));
        rows_.push_back(std::move(row));
        if (!indexDirty_ && !positions_.add(id, int(rows_.size()) - 1))
            indexDirty_ = true;
        if (wasPastEnd && !onDeleted_)
            position_ = int(rows_.size());
    } else {
        if (passed_.column >= 0)
            passed_.values[size_t(position_)] = readValue(passed_.column, row.values.at(passed_.column));
        rows_[size_t(position_)] = std::move(row);
    }
    lastModified_ = QString::number(id);
    endEditing();
    Q_EMIT changed();
}

void DataSource::remove()
{
    requireTable("delete");
    requireCurrent();
    endEditing();
    auto connection = requireConnection();
    qint64 id = rows_[size_t(position_)].id;
    const std::vector<QVariant> values = valuesOf(position_).all();
    const QVariantList shown(values.begin(), values.end());
    const QString what = QStringLiteral("Cannot delete from %1").arg(fileLabel());
    std::optional<RowChange> change;
    const bool wasInStep = seenWrites_ == connection->writeSerial();
    try {
        inSavepoint(*connection, what, [&] {
            id = checkedRow(*connection, id, shown);
            if (connection->observesChanges())
                change = RowChange{baseTable_, id, readRowState(*connection, baseTable_, id), std::nullopt,
                                   QString()};
            const auto statement = connection->prepare(
                QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdentifier(baseTable_)), what);
            statement->bind(1, QVariant(id));
            statement->step(what);
            if (connection->engine().changedRows() != 1)
                throw RowGoneError();
        });
    } catch (const RowChangedError&) {
        showStoredRow(id);
        throw;
    }
    if (change)
        connection->reportChange(*change);
    keepInStep(wasInStep, OwnWrite::Remove, {});
    rows_.erase(rows_.begin() + position_);
    if (passed_.column >= 0)
        passed_.values.erase(passed_.values.begin() + position_);
    indexDirty_ = true;
    onDeleted_ = true;
    Q_EMIT changed();
}

// --- finds -----------------------------------------------------------------------------------

void DataSource::findFirst(const Query& criterion) { find(criterion, 0); }

void DataSource::findNext(const Query& criterion)
{
    int start = 0;
    if (onDeleted_)
        start = position_;
    else if (position_ >= 0)
        start = position_ + 1;
    find(criterion, start);
}

void DataSource::find(const Query& criterion, int startIndex)
{
    requireTable("search");
    // A loop of findNext calls asks the same question many times; the answer is kept until the
    // text, the table or anything written through the connection changes.
    const Engine* engine = &connection_->engine();
    const qint64 changes = engine->totalChanges();
    if (findCache_.criterion != criterion || findCache_.table != baseTable_ ||
        findCache_.changes != changes || findCache_.connection != engine) {
        const TranslatedCriterion translated = connection_->translateCriterion(criterion.text);
        const QString what = fileLabel();
        const auto statement = prepareBound(QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                                                .arg(quoteIdentifier(baseTable_), translated.expression),
                                            boundValues(criterion.values, translated.forms), what);
        QSet<qint64> matching;
        while (statement->step(what))
            matching.insert(statement->integer(0));
        findCache_ = {criterion, baseTable_, changes, engine, std::move(matching)};
    }
    const QSet<qint64>& matching = findCache_.matching;
    for (int i = std::max(startIndex, 0); i < int(rows_.size()); ++i) {
        if (matching.contains(rows_[size_t(i)].id)) {
            endEditing();
            position_ = i;
            onDeleted_ = false;
            noMatch_ = false;
            return;
        }
    }
    noMatch_ = true;
}

} // namespace wk::store
