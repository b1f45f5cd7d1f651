#include "store/QueryDialect.h"

#include "store/DateRules.h"
#include "store/StoreError.h"

#include <QSet>
#include <vector>

namespace wk::store {

namespace {

enum class Kind { Space, Text, Parameter, Identifier, Word, Number, Symbol };

struct Token {
    Kind kind;
    QString text; // Text: the literal with its quotes; Identifier: the bare name; else as written
};

QString textLiteral(const QString& value)
{
    return QLatin1Char('\'') + quoteValue(value) + QLatin1Char('\'');
}

[[noreturn]] void fail(const QString& source, const QString& why)
{
    throw StoreError(QStringLiteral("Cannot understand the query text \"%1\": %2").arg(source, why));
}

std::vector<Token> tokenize(const QString& source)
{
    std::vector<Token> tokens;
    const int n = int(source.size());
    int i = 0;
    while (i < n) {
        const QChar c = source.at(i);
        if (c.isSpace()) {
            int j = i;
            while (j < n && source.at(j).isSpace())
                ++j;
            tokens.push_back({Kind::Space, source.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A text literal; the quote doubled inside stands for itself. Jet also takes "..." as text.
            QString value;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    fail(source, QStringLiteral("a text is not closed"));
                if (source.at(j) == c) {
                    if (j + 1 < n && source.at(j + 1) == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += source.at(j++);
            }
            tokens.push_back({Kind::Text, textLiteral(value)});
            i = j + 1;
        } else if (c == QLatin1Char('?')) {
            tokens.push_back({Kind::Parameter, QString(c)}); // a bound value
            ++i;
        } else if (c == QLatin1Char('[')) {
            const int close = int(source.indexOf(QLatin1Char(']'), i + 1));
            if (close < 0)
                fail(source, QStringLiteral("a [name] is not closed"));
            tokens.push_back({Kind::Identifier, source.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (c == QLatin1Char('#')) {
            const int close = int(source.indexOf(QLatin1Char('#'), i + 1));
            if (close < 0)
                fail(source, QStringLiteral("a #date# is not closed"));
            const auto date = dates::parseDateTime(source.mid(i + 1, close - i - 1));
            if (!date)
                fail(source, QStringLiteral("%1 is not a date").arg(source.mid(i, close - i + 1)));
            tokens.push_back({Kind::Text, textLiteral(dates::toStorage(*date))});
            i = close + 1;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i;
            while (j < n && (source.at(j).isLetterOrNumber() || source.at(j) == QLatin1Char('_')))
                ++j;
            tokens.push_back({Kind::Word, source.mid(i, j - i)});
            i = j;
        } else if (c.isDigit()) {
            int j = i;
            while (j < n && (source.at(j).isDigit() || source.at(j) == QLatin1Char('.')))
                ++j;
            tokens.push_back({Kind::Number, source.mid(i, j - i)});
            i = j;
        } else {
            static const QStringList twoChar = {QStringLiteral("<="), QStringLiteral(">="),
                                                QStringLiteral("<>"), QStringLiteral("!=")};
            const QString two = source.mid(i, 2);
            if (twoChar.contains(two)) {
                tokens.push_back({Kind::Symbol, two});
                i += 2;
            } else if (QStringLiteral("=<>(),.*+-/;&").contains(c)) {
                tokens.push_back({Kind::Symbol, QString(c)});
                ++i;
            } else {
                fail(source, QStringLiteral("the character %1 has no meaning here").arg(c));
            }
        }
    }
    return tokens;
}

const QSet<QString>& keywords()
{
    static const QSet<QString> set = {"SELECT",  "FROM",   "WHERE",    "AND",    "OR",     "NOT",   "ORDER",
                                      "BY",      "ASC",    "DESC",     "IS",     "NULL",   "LIKE",  "IN",
                                      "BETWEEN", "AS",     "DISTINCT", "GROUP",  "HAVING", "JOIN",  "INNER",
                                      "LEFT",    "RIGHT",  "OUTER",    "ON",     "TRUE",   "FALSE", "COLLATE",
                                      "NOCASE",  "BINARY", "RTRIM",    "ESCAPE", "UNION",  "ALL",   "LIMIT",
                                      "EXISTS",  "CASE",   "WHEN",     "THEN",   "ELSE",   "END"};
    return set;
}

bool isComparison(const QString& s)
{
    return s == QLatin1String("=") || s == QLatin1String("<") || s == QLatin1String(">") ||
           s == QLatin1String("<=") || s == QLatin1String(">=") || s == QLatin1String("<>") ||
           s == QLatin1String("!=");
}

class Translator {
public:
    explicit Translator(const QString& source, const EngineDialect& dialect = {})
        : source_(source), tokens_(tokenize(source)), dialect_(dialect)
    {
        for (int i = 0; i < int(tokens_.size()); ++i) {
            if (tokens_[i].kind != Kind::Space)
                significant_.push_back(i);
        }
        findPlaces();
    }

    bool isSingleName() const
    {
        return significant_.size() == 1 &&
               (tokens_[significant_[0]].kind == Kind::Identifier ||
                (tokens_[significant_[0]].kind == Kind::Word &&
                 tokens_[significant_[0]].text.toUpper() != QLatin1String("SELECT")));
    }
    QString singleName() const { return tokens_[significant_[0]].text; }
    bool startsWithSelect() const { return !significant_.empty() && upperAt(0) == QLatin1String("SELECT"); }
    bool empty() const { return significant_.empty(); }
    // True when the outer query holds the keyword `upper` ("ORDER", "LIMIT").
    bool hasOuter(QLatin1String upper) const
    {
        int depth = 0;
        for (int s = 0; s < int(significant_.size()); ++s) {
            const QString& text = tokens_[significant_[s]].text;
            depth += text == QLatin1String("(") ? 1 : text == QLatin1String(")") ? -1 : 0;
            if (depth == 0 && kindAt(s) == Kind::Word && upperAt(s) == upper)
                return true;
        }
        return false;
    }
    const std::vector<BoundForm>& forms() const { return forms_; }

    // Output text per token, in order; the row identity column is put after SELECT when wanted.
    // With `idsOnly` (after singleTable()), the row identity is the only column selected.
    QString translate(const QString& rowIdQualifier, bool idsOnly = false)
    {
        dropTrailingSemicolons();
        forms_.clear();
        QString out;
        for (int s = 0; s < int(significant_.size()); ++s) {
            if (idsOnly && s > 0 && s < from_)
                continue;
            const int t = significant_[s];
            // Copy the blanks that stand before this token.
            const int previousToken = s == 0 ? -1 : significant_[s - 1];
            for (int k = previousToken + 1; k < t; ++k)
                out += tokens_[k].text;
            if (isWordSearch(s)) {
                const QString table =
                    rowIdQualifier.isEmpty() ? quoteIdentifier(QStringLiteral("MYLIFE")) : rowIdQualifier;
                if (!dialect_.wordsCondition)
                    fail(source_, QStringLiteral("a word search needs a scrapbook to search"));
                const Token& typed = tokens_[significant_[s + 2]];
                if (typed.kind == Kind::Parameter)
                    forms_.push_back(BoundForm::AsGiven);
                out += dialect_.wordsCondition(table, typed.text);
                s += 3;
                continue;
            }
            if (const int used = translateForEngine(s, out)) {
                s += used - 1;
                continue;
            }
            out += translateToken(s);
            if (s == 0 && !rowIdQualifier.isEmpty())
                out += QStringLiteral(" %1.rowid AS %2%3")
                           .arg(rowIdQualifier, quoteIdentifier(kRowIdColumn),
                                idsOnly ? QStringLiteral(" ") : QStringLiteral(","));
        }
        return out;
    }

    // The table the rows come from and the name that qualifies its columns (alias or table),
    // when the query reads exactly one table with SELECT (no DISTINCT, grouping or union).
    bool singleTable(QString& table, QString& qualifier) const
    {
        if (significant_.size() < 2 || upperAt(1) == QLatin1String("DISTINCT"))
            return false;
        int depth = 0;
        int from = -1;
        for (int s = 0; s < int(significant_.size()); ++s) {
            const QString& text = tokens_[significant_[s]].text;
            if (text == QLatin1String("("))
                ++depth;
            else if (text == QLatin1String(")"))
                --depth;
            else if (depth == 0 && kindAt(s) == Kind::Word) {
                const QString u = upperAt(s);
                if (u == QLatin1String("GROUP") || u == QLatin1String("UNION") ||
                    u == QLatin1String("HAVING"))
                    return false;
                if (u == QLatin1String("FROM") && from < 0)
                    from = s;
            }
        }
        from_ = from;
        if (from < 0 || from + 1 >= int(significant_.size()))
            return false;
        const int name = from + 1;
        if (kindAt(name) != Kind::Identifier && kindAt(name) != Kind::Word)
            return false;
        table = tokens_[significant_[name]].text;
        qualifier = quoteIdentifier(table);
        table_ = table;
        int next = name + 1;
        if (next < int(significant_.size()) && upperAt(next) == QLatin1String("AS"))
            ++next;
        if (next < int(significant_.size()) && (kindAt(next) == Kind::Identifier || isPlainName(next))) {
            qualifier = quoteIdentifier(tokens_[significant_[next]].text);
            ++next;
        }
        qualifier_ = qualifier;
        if (next >= int(significant_.size()))
            return true;
        const QString u = upperAt(next);
        return u == QLatin1String("WHERE") || u == QLatin1String("ORDER") || u == QLatin1String("LIMIT");
    }

private:
    // Where a token stands: names in a FROM clause are tables, values in a select list are shown
    // as they are, everything else is compared or ordered.
    enum class Place { SelectList, From, Condition };

    mutable int from_ = -1;             // the FROM of the outer query, found by singleTable()
    mutable QString table_, qualifier_; // the single table and its qualifier, found by singleTable()

    void findPlaces()
    {
        std::vector<Place> open{Place::Condition}; // per bracket depth; a bracket inherits its place
        for (int s = 0; s < int(significant_.size()); ++s) {
            const QString& text = tokens_[significant_[s]].text;
            if (text == QLatin1String("(")) {
                open.push_back(open.back());
            } else if (text == QLatin1String(")")) {
                if (open.size() > 1)
                    open.pop_back();
            } else if (kindAt(s) == Kind::Word) {
                static const QSet<QString> conditions = {"WHERE", "ORDER", "GROUP", "HAVING",
                                                         "LIMIT", "UNION", "ON"};
                const QString u = upperAt(s);
                if (u == QLatin1String("SELECT"))
                    open.back() = Place::SelectList;
                else if (u == QLatin1String("FROM") || u == QLatin1String("JOIN"))
                    open.back() = Place::From;
                else if (conditions.contains(u) && !(u == QLatin1String("WHERE") && whereIsName(s)))
                    open.back() = Place::Condition;
            }
            places_.push_back(open.back());
        }
    }

    bool isName(int s) const
    {
        if (s < 0 || s >= int(significant_.size()))
            return false;
        if (kindAt(s) == Kind::Identifier)
            return true;
        if (kindAt(s) != Kind::Word)
            return false;
        if (upperAt(s) == QLatin1String("WHERE"))
            return whereIsName(s);
        return !keywords().contains(upperAt(s));
    }
    bool isFoldedColumn(int s) const
    {
        return isName(s) && places_[size_t(s)] == Place::Condition && textAt(s + 1) != QLatin1String("(") &&
               dialect_.foldedColumns.contains(textAt(s).toLower());
    }

    // What the engine's dialect writes otherwise than translateToken does, starting at token `s`;
    // returns how many tokens it used (0: none, translateToken writes this one).
    int translateForEngine(int s, QString& out)
    {
        const bool folds = !dialect_.foldFunction.isEmpty();
        const Token& token = tokens_[significant_[s]];
        if (dialect_.datesByProgram && token.kind == Kind::Word && upperAt(s) == QLatin1String("DATEVALUE") &&
            textAt(s + 1) == QLatin1String("(") && s + 3 < int(significant_.size()) &&
            textAt(s + 3) == QLatin1String(")")) {
            const Token& argument = tokens_[significant_[s + 2]];
            if (argument.kind == Kind::Parameter) {
                forms_.push_back(BoundForm::DateValue);
                out += argument.text;
                return 4;
            }
            if (argument.kind == Kind::Text) {
                const QString text = argument.text.mid(1, argument.text.size() - 2).replace("''", "'");
                const auto date = dates::parseDate(text);
                out += date ? textLiteral(dates::toStorage(*date)) : QStringLiteral("NULL");
                return 4;
            }
        }
        if (dialect_.allColumns && token.text == QLatin1String("*") && !table_.isEmpty() &&
            places_[size_t(s)] == Place::SelectList) {
            if (textAt(s - 1).toUpper() == QLatin1String("SELECT") || textAt(s - 1) == QLatin1String(",")) {
                out += dialect_.allColumns(table_, qualifier_);
                return 1;
            }
        }
        if (dialect_.allColumns && isName(s) && textAt(s + 1) == QLatin1String(".") &&
            textAt(s + 2) == QLatin1String("*") && !table_.isEmpty() &&
            quoteIdentifier(textAt(s)) == qualifier_) {
            out += dialect_.allColumns(table_, qualifier_);
            return 3;
        }
        if (!folds)
            return 0;
        const auto folded = [&](const QString& column) {
            return dialect_.foldFunction + QLatin1Char('(') + column + QLatin1Char(')');
        };
        switch (token.kind) {
        case Kind::Parameter:
            forms_.push_back(places_[size_t(s)] == Place::SelectList ? BoundForm::AsGiven
                                                                     : BoundForm::Folded);
            out += token.text;
            return 1;
        case Kind::Text:
            out += places_[size_t(s)] == Place::SelectList ? token.text : foldAscii(likePattern(s));
            return 1;
        case Kind::Word:
            // The engine folds; a collation named in the text means nothing to it.
            if (upperAt(s) == QLatin1String("COLLATE")) {
                static const QSet<QString> foldings = {"NOCASE", "BINARY", "RTRIM"};
                return foldings.contains(textAt(s + 1).toUpper()) ? 2 : 0;
            }
            break;
        default:
            break;
        }
        if (isName(s) && textAt(s + 1) == QLatin1String(".") && isFoldedColumn(s + 2)) {
            out += folded(translateToken(s) + QLatin1Char('.') + translateToken(s + 2));
            return 3;
        }
        if (textAt(s - 1) != QLatin1String(".") && textAt(s + 1) != QLatin1String(".") && isFoldedColumn(s)) {
            out += folded(translateToken(s));
            return 1;
        }
        return 0;
    }

    // A text literal; after LIKE, Jet's wildcards (* and ?) are written as SQL's (% and _).
    QString likePattern(int s) const
    {
        QString text = tokens_[significant_[s]].text;
        if (s > 0 && textAt(s - 1).toUpper() == QLatin1String("LIKE")) {
            text.replace(QLatin1Char('*'), QLatin1Char('%'));
            text.replace(QLatin1Char('?'), QLatin1Char('_'));
        }
        return text;
    }
    Kind kindAt(int s) const { return tokens_[significant_[s]].kind; }
    QString upperAt(int s) const { return tokens_[significant_[s]].text.toUpper(); }
    QString textAt(int s) const
    {
        return s >= 0 && s < int(significant_.size()) ? tokens_[significant_[s]].text : QString();
    }
    // haswords(?) or haswords('typed'): the one form a word search takes.
    bool isWordSearch(int s) const
    {
        return kindAt(s) == Kind::Word && upperAt(s) == QLatin1String("HASWORDS") &&
               textAt(s + 1) == QLatin1String("(") && s + 2 < int(significant_.size()) &&
               (kindAt(s + 2) == Kind::Text || kindAt(s + 2) == Kind::Parameter) &&
               textAt(s + 3) == QLatin1String(")");
    }
    bool isPlainName(int s) const { return kindAt(s) == Kind::Word && !keywords().contains(upperAt(s)); }

    void dropTrailingSemicolons()
    {
        while (!significant_.empty() && tokens_[significant_.back()].text == QLatin1String(";")) {
            tokens_.erase(tokens_.begin() + significant_.back());
            significant_.pop_back();
        }
        for (int t : significant_) {
            if (tokens_[t].text == QLatin1String(";"))
                fail(source_, QStringLiteral("only one statement is allowed"));
        }
    }

    // The reserved word "where" names the field or the table (not the clause) when it follows
    // FROM, BY, a dot, a comma, an opening bracket or a comparison, or when a comparison, a dot, a
    // comma, a closing bracket, a connective or the end follows it.
    bool whereIsName(int s) const
    {
        const QString before = s > 0 ? textAt(s - 1).toUpper() : QString();
        static const QSet<QString> nameAfter = {"FROM", "JOIN", "BY", "SELECT", ".", ",", "(", "AND", "OR"};
        if (nameAfter.contains(before) || isComparison(before))
            return true;
        if (s + 1 >= int(significant_.size()))
            return true;
        const QString after = textAt(s + 1).toUpper();
        static const QSet<QString> nameBefore = {".",  ",",    ")",       "AND",   "OR",  "IS",
                                                 "IN", "LIKE", "BETWEEN", "ORDER", "ASC", "DESC"};
        return nameBefore.contains(after) || isComparison(after);
    }

    QString translateToken(int s)
    {
        const Token& token = tokens_[significant_[s]];
        switch (token.kind) {
        case Kind::Identifier:
            return quoteIdentifier(token.text);
        case Kind::Parameter:
            forms_.push_back(BoundForm::AsGiven);
            // A bound text compares as a text literal does.
            if (textAt(s + 1).toUpper() != QLatin1String("COLLATE"))
                return token.text + QLatin1String(" COLLATE NOCASE");
            return token.text;
        case Kind::Text: {
            QString text = likePattern(s);
            // Texts compare without regard to letter case, also in files whose columns do not say so.
            if (textAt(s + 1).toUpper() != QLatin1String("COLLATE"))
                text += QLatin1String(" COLLATE NOCASE");
            return text;
        }
        case Kind::Symbol:
            if (token.text == QLatin1String("&"))
                return QStringLiteral("||");
            return token.text;
        case Kind::Number:
        case Kind::Space:
            return token.text;
        case Kind::Word:
            break;
        }
        const QString upper = token.text.toUpper();
        if (textAt(s + 1) == QLatin1String("(")) {
            static const QHash<QString, QString> functions = {
                {"UCASE", "upper"}, {"LCASE", "lower"}, {"LEN", "length"}};
            return functions.value(upper, token.text);
        }
        if (upper == QLatin1String("WHERE"))
            return whereIsName(s) ? quoteIdentifier(token.text) : token.text;
        if (upper == QLatin1String("TRUE"))
            return QStringLiteral("1");
        if (upper == QLatin1String("FALSE"))
            return QStringLiteral("0");
        if (keywords().contains(upper))
            return token.text;
        return quoteIdentifier(token.text);
    }

    QString source_;
    std::vector<Token> tokens_;
    std::vector<int> significant_;
    std::vector<Place> places_; // per significant token
    EngineDialect dialect_;
    std::vector<BoundForm> forms_; // of the values met by the last translate()
};

} // namespace

QString quoteIdentifier(const QString& name)
{
    QString doubled = name;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString columnList(const QStringList& columns)
{
    QStringList quoted;
    for (const QString& name : columns)
        quoted << (name.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0 ? name
                                                                                  : quoteIdentifier(name));
    return quoted.join(QLatin1String(", "));
}

QString idsQueryWithColumn(const QString& idsSql, const QString& column)
{
    // The row identity is selected as "<qualifier>.rowid AS <kRowIdColumn>" and nothing else.
    const QString idColumn = QStringLiteral("AS ") + quoteIdentifier(kRowIdColumn);
    QString sql = idsSql;
    const qsizetype at = sql.indexOf(idColumn);
    return sql.insert(at + idColumn.size(), QStringLiteral(", ") + quoteIdentifier(column));
}

TranslatedQuery translateRecordSource(const QString& recordSource, const EngineDialect& dialect)
{
    Translator translator(recordSource, dialect);
    if (translator.empty())
        throw StoreError(QStringLiteral("The record source is empty"));
    if (translator.isSingleName()) {
        const QString table = translator.singleName();
        const QString quoted = quoteIdentifier(table);
        const QString columns = dialect.allColumns ? dialect.allColumns(table, quoted) : QStringLiteral("*");
        return {
            QStringLiteral("SELECT %1.rowid AS %2, %3 FROM %1%4")
                .arg(quoted, quoteIdentifier(kRowIdColumn), columns,
                     dialect.tiesInRowOrder ? QStringLiteral(" ORDER BY %1.rowid").arg(quoted) : QString()),
            table,
            QStringLiteral("SELECT %1.rowid AS %2 FROM %1 ORDER BY %1.rowid")
                .arg(quoted, quoteIdentifier(kRowIdColumn)),
            {},
            {}};
    }
    if (!translator.startsWithSelect())
        fail(recordSource, QStringLiteral("it is neither a table name nor a SELECT"));
    QString table;
    QString qualifier;
    if (translator.singleTable(table, qualifier)) {
        QString sql = translator.translate(qualifier);
        const std::vector<BoundForm> forms = translator.forms();
        // Without an order the rows come as the table holds them, as a read of every column
        // gives them; a read of identities alone might take an index's order instead.
        QString ids = translator.translate(qualifier, true);
        const QString byRow = QStringLiteral("%1.rowid").arg(qualifier);
        if (!translator.hasOuter(QLatin1String("ORDER"))) {
            ids += QStringLiteral(" ORDER BY ") + byRow;
            if (dialect.tiesInRowOrder)
                sql += QStringLiteral(" ORDER BY ") + byRow;
        } else if (dialect.tiesInRowOrder && !translator.hasOuter(QLatin1String("LIMIT"))) {
            sql += QStringLiteral(", ") + byRow;
            ids += QStringLiteral(", ") + byRow;
        }
        return {sql, table, ids, forms, translator.forms()};
    }
    QString sql = translator.translate(QString());
    return {sql, QString(), QString(), translator.forms(), {}};
}

TranslatedCriterion translateCriterion(const QString& criterion, const EngineDialect& dialect)
{
    Translator translator(criterion, dialect);
    if (translator.empty())
        throw StoreError(QStringLiteral("The search criterion is empty"));
    if (translator.startsWithSelect())
        fail(criterion, QStringLiteral("a criterion is a condition, not a query"));
    QString expression = translator.translate(QString());
    return {expression, translator.forms()};
}

QString foldAscii(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

QVariantList boundValues(const QVariantList& values, const std::vector<BoundForm>& forms)
{
    QVariantList bound = values;
    for (qsizetype i = 0; i < bound.size() && size_t(i) < forms.size(); ++i) {
        QVariant& value = bound[i];
        if (forms[size_t(i)] == BoundForm::Folded && value.typeId() == QMetaType::QString) {
            value = foldAscii(value.toString());
        } else if (forms[size_t(i)] == BoundForm::DateValue && !value.isNull()) {
            const auto date = dates::parseDate(value.toString());
            value = date ? QVariant(dates::toStorage(*date)) : QVariant();
        }
    }
    return bound;
}

QString quoteValue(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return doubled;
}

} // namespace wk::store
