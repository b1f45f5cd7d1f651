#pragma once
// Turns the program's query texts (Access/Jet dialect) into the engine's SQL.
//
// - A record source that is a bare table name ("MYLIFE", "WHERE", "[Catagory]") becomes a select of
//   the whole table.
// - "SELECT * FROM t ..." gains the row identity of t as its first column.
// - [Field] becomes "Field"; the word where used as a field (followed by a comparison) is quoted.
// - "?" stands for a bound value (Query.h); the values are bound in the order their "?"s stand,
//   the same for the record source's SQL and its identities-only SQL.
// - Every text literal and bound value compares without regard to letter case (COLLATE NOCASE).
// - datevalue(...) and mid(...) are functions the engine provides.
// - haswords(?) keeps the entries of MYLIFE that hold the typed words (EntryWords.h), through the
//   condition the engine writes for them (`wordsCondition`).
#include <QString>
#include <functional>

namespace wk::store {

// The engine's condition on the entry rows named `qualifier` that keeps those holding the words
// of `typed` (a bound "?" or a text literal).
using WordsCondition = std::function<QString(const QString& qualifier, const QString& typed)>;

struct TranslatedQuery {
    QString sql;       // ready for the engine; first column is the row identity when baseTable is set
    QString baseTable; // the single table the rows come from (for writes and finds); may be empty
    QString idsSql;    // with a base table: the same rows, with only the row identity selected
};

// Translates a record source (a table name or a query text). Throws StoreError when the text
// cannot be understood.
TranslatedQuery translateRecordSource(const QString& recordSource, const WordsCondition& wordsCondition = {});
// Translates a find criterion ("mid(WHAT,1,1) = '5'", "[MYEVENT]=?") to an expression usable
// after WHERE.
QString translateCriterion(const QString& criterion);

// A value made safe to stand between single quotes in a query text: every ' is doubled.
// "Grandma's Birthday" -> "Grandma''s Birthday". The translator writes the literals it reads so;
// values from the screen are bound instead (Query.h).
QString quoteValue(const QString& value);

// Name of the hidden row identity column the translator adds.
inline constexpr const char* kRowIdColumn = "__wk_rowid";

// A table or column name as the engine reads it: in double quotes, each one inside doubled.
QString quoteIdentifier(const QString& name);
// A query made by translateRecordSource as its idsSql, selecting `column` after the row identity.
QString idsQueryWithColumn(const QString& idsSql, const QString& column);

} // namespace wk::store
