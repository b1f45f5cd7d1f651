#pragma once
// Turns the program's query texts (Access/Jet dialect) into the engine's SQL.
//
// - A record source that is a bare table name ("MYLIFE", "WHERE", "[Catagory]") becomes a select of
//   the whole table.
// - "SELECT * FROM t ..." gains the row identity of t as its first column.
// - [Field] becomes "Field"; the word where used as a field (followed by a comparison) is quoted.
// - "?" stands for a bound value (Query.h); the values are bound in the order their "?"s stand,
//   the same for the record source's SQL and its identities-only SQL.
// - Texts compare without regard to ASCII letter case. On an engine that folds in SQL, every
//   text literal and bound value gains COLLATE NOCASE. On one that does not (EngineDialect), the
//   engine's fold function is put around the columns it names, and the literals and bound texts
//   compared with them are folded by the program.
// - datevalue(...) and mid(...) are functions the engine provides; where the engine has no
//   datevalue, the program computes it for a literal or a bound value.
// - haswords(?) keeps the entries of MYLIFE that hold the typed words (EntryWords.h), through the
//   condition the engine writes for them (`wordsCondition`).
#include <QSet>
#include <QString>
#include <QVariantList>
#include <functional>
#include <vector>

namespace wk::store {

// The engine's condition on the entry rows named `qualifier` that keeps those holding the words
// of `typed` (a bound "?" or a text literal).
using WordsCondition = std::function<QString(const QString& qualifier, const QString& typed)>;

// How one engine's SQL differs from the program's dialect; an engine describes its own
// (Engine::dialect). The default is an engine that folds letter case in SQL (COLLATE NOCASE),
// reads "*" without its row identity and has datevalue().
struct EngineDialect {
    WordsCondition wordsCondition;
    // Empty: texts compared with "COLLATE NOCASE" after them fold their ASCII letters. Otherwise
    // the engine's function that folds ASCII letters, put around every column of `foldedColumns`
    // (lower-case names) outside the select list; the literals and bound texts of the query are
    // folded by the program, so both sides of a comparison fold alike.
    QString foldFunction;
    QSet<QString> foldedColumns;
    // The select list that stands for every column of `table` read through `qualifier`; empty:
    // "*" does (its row identity stays hidden).
    std::function<QString(const QString& table, const QString& qualifier)> allColumns;
    // True: the program computes datevalue() of a literal or a bound value.
    bool datesByProgram = false;
    // True: rows an order leaves tied come in row order (the engine would give them in any order).
    bool tiesInRowOrder = false;
    // What follows a column to keep the rows holding exactly the bound value, NULL included.
    QString exactly = QStringLiteral("IS ? COLLATE BINARY");
};

// What a bound value goes through before it is bound, in the order the "?"s stand.
enum class BoundForm { AsGiven, Folded, DateValue };

struct TranslatedQuery {
    QString sql;       // ready for the engine; first column is the row identity when baseTable is set
    QString baseTable; // the single table the rows come from (for writes and finds); may be empty
    QString idsSql;    // with a base table: the same rows, with only the row identity selected
    std::vector<BoundForm> forms;    // of sql's values; empty: all as given
    std::vector<BoundForm> idsForms; // of idsSql's values
};

// A condition usable after WHERE, and what its values go through.
struct TranslatedCriterion {
    QString expression;
    std::vector<BoundForm> forms;
};

// `values` as the engine receives them: each through its form.
QVariantList boundValues(const QVariantList& values, const std::vector<BoundForm>& forms);
// `text` with its ASCII letters in lower case and every other character as it is (how the
// engines compare texts without regard to case).
QString foldAscii(const QString& text);

// Translates a record source (a table name or a query text). Throws StoreError when the text
// cannot be understood.
TranslatedQuery translateRecordSource(const QString& recordSource, const EngineDialect& dialect = {});
// Translates a find criterion ("mid(WHAT,1,1) = '5'", "[MYEVENT]=?") to an expression usable
// after WHERE.
TranslatedCriterion translateCriterion(const QString& criterion, const EngineDialect& dialect = {});

// A value made safe to stand between single quotes in a query text: every ' is doubled.
// "Grandma's Birthday" -> "Grandma''s Birthday". The translator writes the literals it reads so;
// values from the screen are bound instead (Query.h).
QString quoteValue(const QString& value);

// Name of the hidden row identity column the translator adds.
inline constexpr const char* kRowIdColumn = "__wk_rowid";

// A table or column name as the engine reads it: in double quotes, each one inside doubled.
QString quoteIdentifier(const QString& name);
// Columns as the engine reads them, for a select or insert list: each quoted (the row identity
// "rowid" bare), joined by ", ".
QString columnList(const QStringList& columns);
// A query made by translateRecordSource as its idsSql, selecting `column` after the row identity.
QString idsQueryWithColumn(const QString& idsSql, const QString& column);

} // namespace wk::store
