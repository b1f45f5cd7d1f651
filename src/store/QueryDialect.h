#pragma once
// Turns the program's query texts (Access/Jet dialect) into SQLite, and quotes screen values.
//
// - A record source that is a bare table name ("MYLIFE", "WHERE", "[Catagory]") becomes a select of
//   the whole table.
// - "SELECT * FROM t ..." gains the row identity of t as its first column.
// - [Field] becomes "Field"; the word where used as a field (followed by a comparison) is quoted.
// - Every text literal compares without regard to letter case (COLLATE NOCASE).
// - datevalue(...) and mid(...) are functions registered on the connection.
// - haswords('typed') keeps the entries of MYLIFE that hold the typed words (EntryWords.h): through
//   the words index when `wordsIndexed()` says it is current (asked only then; none: it is), else
//   by a scan.
#include <QString>
#include <functional>

namespace wk::store {

struct TranslatedQuery {
    QString sql;       // ready for SQLite; first column is the row identity when baseTable is set
    QString baseTable; // the single table the rows come from (for writes and finds); may be empty
    QString idsSql;    // with a base table: the same rows, with only the row identity selected
};

// Translates a record source (a table name or a query text). Throws StoreError when the text
// cannot be understood.
TranslatedQuery translateRecordSource(const QString& recordSource,
                                      const std::function<bool()>& wordsIndexed = {});
// Translates a find criterion ("mid(WHAT,1,1) = '5'", "[MYEVENT]='Title'") to an SQLite
// expression usable after WHERE.
QString translateCriterion(const QString& criterion);

// A screen value made safe to stand between single quotes in a query text: every ' is doubled.
// "Grandma's Birthday" -> "Grandma''s Birthday". Builders of query texts call this for every value.
QString quoteValue(const QString& value);

// Name of the hidden row identity column the translator adds.
inline constexpr const char* kRowIdColumn = "__wk_rowid";

// A table or column name as SQLite reads it: in double quotes, each one inside doubled.
QString quoteIdentifier(const QString& name);
// A query made by translateRecordSource as its idsSql, selecting `column` after the row identity.
QString idsQueryWithColumn(const QString& idsSql, const QString& column);

} // namespace wk::store
