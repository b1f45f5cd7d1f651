#pragma once
// A data source: a database file name, a record source and the dynaset it produced.
//
// The result set is a dynaset: the ordered row identities (the engine's row ids) of the rows the record
// source returned, with their field values read at the refresh or, for a set of one table's
// columns, a page at a time when a row is first read (a row deleted elsewhere before then reads
// as nulls). Moves, end tests, field reads
// and bookmarks work on that list. addNew/edit/update/remove write through to the table at once
// (each write in its own transaction) and keep the list in step: an added row joins the end of
// the set until the next refresh. A bookmark is the row id as text; a bookmark not in this set
// is an error. Every failure throws StoreError, whose message names the file.
//
// As with the classic engine: moveFirst/moveLast on an empty set, moveNext at the end and
// movePrevious at the beginning fail; a move abandons a started addNew/edit; after addNew +
// update the row that was current before addNew stays current (lastModified() names the new
// one); a failed find leaves the position where it was and sets noMatch().
#include "store/PackedRow.h"
#include "store/Query.h"
#include "store/RowPositions.h"
#include "store/StoreError.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace wk::store {

class Connection;
class ConnectionPool;
class Statement;
struct TranslatedQuery;

class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(ConnectionPool& pool, const QString& name, QObject* parent = nullptr);
    ~DataSource() override;

    const QString& name() const { return name_; }

    // The scrapbook's location (a folder or its database file); opened at the next refresh.
    void setDatabaseName(const QString& location);
    const QString& databaseName() const { return databaseName_; }
    // A table name or a query (its text and bound values); takes effect at the next refresh.
    void setRecordSource(const Query& recordSource);
    const Query& recordSource() const { return recordSource_; }
    // Runs the record source again: position on the first row, or at the end when empty.
    void refresh();
    // Like refresh(), but when nothing has been written through the file's connection since
    // the last refresh (same record source, no edit started) only moves to the first row (or
    // the end of an empty set): the result would be the same rows in the same order.
    void refreshIfChanged();
    // Like refresh(), but the set's rows are `rows` (row identities in order), as another
    // connection found them for the same record source (a search run off the window's thread).
    // The record source must read the columns of one table; its values are read a page at a time.
    void refreshWithRows(const std::vector<qint64>& rows);
    // The row identities the record source selects, in its order, without reading them into the
    // set (a search off the window's thread hands them to refreshWithRows). Needs a record source
    // over one table.
    std::vector<qint64> queryRowIds();
    bool isOpen() const { return connection_ != nullptr; }

    // --- result set -------------------------------------------------------------------------
    void moveFirst();
    void moveNext();     // from the last row reaches the end state
    void movePrevious(); // from the first row reaches the beginning state
    void moveLast();
    bool eof() const; // past the last row, or an empty set
    bool bof() const; // before the first row, or an empty set

    int recordCount() const;      // rows in the set (deleted rows excluded)
    int absolutePosition() const; // index of the current row, -1 when on no row
    void moveTo(int index);       // make row `index` current (0-based); throws outside the set

    QStringList fieldNames() const; // as the table names them, row identity excluded
    // Case-insensitive field name. Text -> QString, numbers -> qlonglong/double, null -> invalid
    // QVariant; date fields (declared DATE/DATETIME, or named DATE) -> QDate, or QDateTime when a
    // time of day is stored.
    QVariant field(const QString& name) const;
    QVariant fieldAt(int row, const QString& name) const; // the same for any row of the set
    // Calls `visit(row, value)` for every row of the set in order with field `name`'s value, as
    // field() gives it; reads that one column of the rows not read yet.
    void forEachValue(const QString& name, const std::function<void(int, const QVariant&)>& visit) const;
    // Only between addNew()/edit() and update(). A QDate/QDateTime (or a date text, for a date
    // field) is stored in storage form; an invalid date text for a date field throws.
    void setField(const QString& name, const QVariant& value);

    QString bookmark() const;                  // current row identity as text
    void setBookmark(const QString& bookmark); // make that row current; throws if not in the set
    bool hasBookmark(const QString& bookmark) const;
    qint64 rowIdAt(int row) const; // the row identity of row `row`; throws outside the set
    int rowOfId(qint64 id) const { return indexOfId(id); } // -1 when not in the set

    void addNew(); // starts a new row (fields null)
    void edit();   // starts changing the current row
    void update(); // stores the started row; an added row becomes the last row of the set
    void cancelUpdate();
    bool editing() const;
    void remove(); // deletes the current row; then on no valid row until the next move

    // The bookmark of the row last added or changed by update(); empty before any.
    QString lastModified() const { return lastModified_; }

    // Criterion in the program's dialect ("mid(WHAT,1,1) = '5'", "[MYEVENT]=?" with its value). findFirst
    // searches from the first row, findNext from the row after the current one (from the first
    // row when before the first). Needs a record source that reads one table.
    void findFirst(const Query& criterion);
    void findNext(const Query& criterion);
    bool noMatch() const { return noMatch_; }

Q_SIGNALS:
    // The set was replaced (refresh) or a row was added, changed or removed.
    void changed();

private:
    enum class OwnWrite { Add, Change, Remove };
    // After a write of its own: the set stays in step unless the write could change which rows
    // the record source selects or their order (an ordered or filtered source).
    void keepInStep(bool wasInStep, OwnWrite write, const QStringList& changedColumns);

    struct Row {
        qint64 id = 0;
        PackedRow values;   // as stored; readValue() gives the program's value
        bool loaded = true; // false: values not read yet (valuesOf() reads its page)
    };
    // A set over one table's columns reads only its row identities at a refresh and the values
    // of 256 rows at a time when one of them is first read: a long list costs what is shown.
    bool sameColumnsAsTable(const QString& table) const;
    const PackedRow& valuesOf(int index) const;
    // The id of the row that still holds `shown` (the current row's values as this set read
    // them), following the entry when another program renumbered the rows; throws when the
    // entry was changed or deleted (rowHolding).
    qint64 checkedRow(Connection& connection, qint64 id, const QVariantList& shown);
    // After a refused write: the current row takes the values stored now, so what the user is
    // shown next is the entry as it is, and writing again is a deliberate choice.
    void showStoredRow(qint64 id);
    void loadPage(int index) const;
    void refreshFrom(const std::vector<qint64>* knownRows);
    // Opens the file's connection when needed and translates the record source.
    TranslatedQuery openAndTranslate();
    std::vector<QVariant> readColumn(int column) const;
    QVariant storedValue(int column, const Statement& statement, int index) const;
    QString fileLabel() const;
    std::shared_ptr<Connection> requireConnection() const;
    void requireCurrent() const;
    void requireRow(int row) const;
    void requireTable(const char* operation) const;
    void endEditing();
    int columnIndex(const QString& name) const; // -1 when unknown
    int requireColumn(const QString& name) const;
    QVariant readValue(int column, const QVariant& raw) const;
    QVariant toStored(int column, const QVariant& value) const;
    Row loadRow(qint64 id) const;
    int indexOfId(qint64 id) const; // -1 when not in the set
    void rebuildIndex() const;
    void find(const Query& criterion, int startIndex);
    // A statement on the set's connection with `values` bound to its "?"s in order.
    std::unique_ptr<Statement> prepareBound(const QString& sql, const QVariantList& values,
                                            const QString& what) const;

    ConnectionPool& pool_;
    QString name_;
    QString databaseName_;
    Query recordSource_;
    std::shared_ptr<Connection> connection_;
    QString baseTable_;
    QStringList columns_;          // field names, row identity excluded
    std::vector<bool> dateColumn_; // per column: read/write as a date
    mutable std::vector<Row> rows_;
    // The last column forEachValue passed over, kept in step with the set's own writes.
    mutable struct {
        int column = -1;
        std::vector<QVariant> values;
    } passed_;
    QString pagedSql_; // the set's query selecting only row identities; empty: all rows read at refresh
    QVariantList pagedValues_; // the values bound to it
    mutable RowPositions positions_;
    mutable bool indexDirty_ = true;
    int position_ = -1;      // -1 before first; rows_.size() past end
    bool onDeleted_ = false; // after remove(): no valid row until the next move
    enum class EditMode { None, Edit, Add } editMode_ = EditMode::None;
    std::vector<QVariant> pending_; // field values of the started row
    QVariantList shown_;            // the edited row's values as they were read, checked before writing
    std::vector<bool> touched_;
    QString lastModified_;
    bool noMatch_ = false;
    Query refreshedSource_; // record source of the last refresh
    // The connection's write count and the file's data version the rows are in step with: the
    // set's own writes keep it in step where they cannot change which rows it holds or their
    // order; any other write (another set, another program) calls for a re-read.
    qint64 seenWrites_ = -1;
    qint64 seenDataVersion_ = -1;
    struct FindCache {
        Query criterion;
        QString table;
        qint64 changes = -1;
        const void* connection = nullptr;
        QSet<qint64> matching;
    } findCache_;
};

} // namespace wk::store
