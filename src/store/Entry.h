#pragma once
// A scrapbook entry: one row of MYLIFE, the names of its six fields, and reading and writing
// an entry on a result set. Field names match without regard to letter case.
#include <QDate>
#include <QString>
#include <QVariant>

namespace wk::store {

struct RowState;

class DataSource;

inline const QString kDateField = QStringLiteral("DATE");
inline const QString kTitleField = QStringLiteral("MYEVENT");
inline const QString kCategoryField = QStringLiteral("WHAT");
inline const QString kWhereField = QStringLiteral("WHERE"); // the who-or-where name
inline const QString kPictureField = QStringLiteral("PICTURE");
inline const QString kLogField = QStringLiteral("LOG");

// The six fields as a result set gives them (a date as QDate, or QDateTime when a time of day
// is stored; text as QString) and as they are written. A null field is a null QVariant, so an
// entry read and written back keeps its nulls.
struct Entry {
    QVariant date;
    QVariant title;
    QVariant category;
    QVariant where;
    QVariant picture;
    QVariant log;

    bool operator==(const Entry&) const = default;
};

// The current row of `source` (while a row is started, the values set so far). Throws
// StoreError when there is no current row.
Entry readEntry(const DataSource& source);

// Fields whose empty text a write leaves out, so the row keeps what it holds there: null in a
// new row, the stored text in a changed one.
struct SkipEmpty {
    bool picture = false;
    bool log = false;
};

// Sets the six fields of the row started with addNew() or edit(); update() stores them. A null
// value stores null. Throws StoreError, for an unreadable date text among others.
void writeEntry(DataSource& source, const Entry& entry, SkipEmpty skip = {});

// A field value as the screen shows it: null as the empty text, a date in its short form with
// any time of day dropped.
QString valueText(const QVariant& value);

// An entry's row as stored (RowChange.h), a line a field: "Date: 5/6/2001", "Title: ...", as a
// message shows what another computer stored.
QString describeStoredEntry(const RowState& row);

// Field text of the current row of `source`: null and missing read as the empty text.
QString fieldText(const DataSource& source, const QString& field);
// Date field of the current row (a time of day is dropped); invalid for null or no date.
QDate fieldDate(const DataSource& source, const QString& field);
// A field value as a day: a date, a date and time's day, or a date text; invalid otherwise.
QDate dateOf(const QVariant& value);
// The title of the entry with row identity `id` in `source`, looked for first at row
// `likelyRow`; empty when the set no longer holds it or it cannot be read.
QString titleById(const DataSource& source, qint64 id, int likelyRow);

} // namespace wk::store
