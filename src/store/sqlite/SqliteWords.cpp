#include "store/sqlite/SqliteWords.h"

#include <QByteArray>
#include <QStringList>
#include <memory>
#include <vector>

namespace wk::store::sqlite {

namespace {

using Tokens = std::vector<QByteArray>; // folded words, in order
using Terms = std::vector<Tokens>;      // each a word, or the words of a phrase

// The index's own tokenizer, so a search cuts and folds words exactly as the index did.
class WordTokenizer {
public:
    explicit WordTokenizer(sqlite3* db)
    {
        fts5_api* api = nullptr;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &stmt, nullptr) != SQLITE_OK)
            return;
        sqlite3_bind_pointer(stmt, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
        sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        void* context = nullptr;
        if (!api || api->xFindTokenizer(api, "unicode61", &context, &kind_) != SQLITE_OK)
            return;
        const char* arguments[] = {"remove_diacritics", "2"};
        if (kind_.xCreate(context, arguments, 2, &instance_) != SQLITE_OK)
            instance_ = nullptr;
    }
    ~WordTokenizer()
    {
        if (instance_)
            kind_.xDelete(instance_);
    }
    WordTokenizer(const WordTokenizer&) = delete;
    WordTokenizer& operator=(const WordTokenizer&) = delete;

    bool usable() const { return instance_ != nullptr; }

    Tokens tokens(const QByteArray& utf8, int flags = FTS5_TOKENIZE_DOCUMENT) const
    {
        Tokens out;
        if (!instance_ || utf8.isEmpty())
            return out;
        kind_.xTokenize(instance_, &out, flags, utf8.constData(), int(utf8.size()),
                        [](void* context, int, const char* token, int size, int, int) {
                            static_cast<Tokens*>(context)->emplace_back(token, size);
                            return SQLITE_OK;
                        });
        return out;
    }

    // Outside double quotes each word is a term; inside them the words make one phrase.
    Terms terms(const QString& typed) const
    {
        Terms terms;
        const QStringList parts = typed.split(QLatin1Char('"'));
        for (int k = 0; k < parts.size(); ++k) {
            Tokens words = tokens(parts.at(k).toUtf8(), FTS5_TOKENIZE_QUERY);
            const bool quoted = k % 2 == 1;
            if (quoted && !words.empty())
                terms.push_back(std::move(words));
            else if (!quoted)
                for (QByteArray& word : words)
                    terms.push_back(Tokens{std::move(word)});
        }
        return terms;
    }

private:
    fts5_tokenizer kind_{};
    Fts5Tokenizer* instance_ = nullptr;
};

QString argumentText(sqlite3_value* value)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

// The FTS5 expression: every word a quoted prefix, a phrase's words joined by "+", the terms by
// AND. With no term, an expression that matches nothing.
QByteArray queryExpression(const Terms& terms)
{
    QByteArrayList parts;
    for (const Tokens& term : terms) {
        QByteArrayList words;
        for (QByteArray word : term)
            words << '"' + word.replace('"', "\"\"") + "\"*";
        parts << words.join(" + ");
    }
    return parts.isEmpty() ? QByteArray("\"\"*") : parts.join(" AND ");
}

bool holdsTerm(const Tokens& text, const Tokens& term)
{
    if (term.size() > text.size())
        return false;
    for (size_t at = 0; at + term.size() <= text.size(); ++at) {
        size_t k = 0;
        while (k < term.size() && text[at + k].startsWith(term[k]))
            ++k;
        if (k == term.size())
            return true;
    }
    return false;
}

void wordsQueryFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto* tokenizer = static_cast<const WordTokenizer*>(sqlite3_user_data(context));
    const QByteArray expression = queryExpression(tokenizer->terms(argumentText(argv[0])));
    sqlite3_result_text(context, expression.constData(), int(expression.size()), SQLITE_TRANSIENT);
}

void wordsInFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const auto* tokenizer = static_cast<const WordTokenizer*>(sqlite3_user_data(context));
    // The typed text is the same for every row: its terms are cut once per statement.
    auto* terms = static_cast<Terms*>(sqlite3_get_auxdata(context, 0));
    if (!terms) {
        terms = new Terms(tokenizer->terms(argumentText(argv[0])));
        sqlite3_set_auxdata(context, 0, terms, [](void* p) { delete static_cast<Terms*>(p); });
        terms = static_cast<Terms*>(sqlite3_get_auxdata(context, 0));
        if (!terms) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    std::vector<Tokens> texts;
    texts.reserve(size_t(argc - 1));
    for (int k = 1; k < argc; ++k)
        texts.push_back(
            sqlite3_value_type(argv[k]) == SQLITE_NULL
                ? Tokens{}
                : tokenizer->tokens(QByteArray(reinterpret_cast<const char*>(sqlite3_value_text(argv[k])),
                                               sqlite3_value_bytes(argv[k]))));
    bool all = !terms->empty();
    for (const Tokens& term : *terms) {
        bool found = false;
        for (const Tokens& text : texts)
            found = found || holdsTerm(text, term);
        all = all && found;
    }
    sqlite3_result_int(context, all ? 1 : 0);
}

} // namespace

int registerWordFunctions(sqlite3* db)
{
    auto tokenizer = std::make_unique<WordTokenizer>(db);
    if (!tokenizer->usable())
        return SQLITE_ERROR;
    WordTokenizer* shared = tokenizer.release();
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    // words_query owns the tokenizer and deletes it with the connection; words_in borrows it.
    int rc = sqlite3_create_function_v2(db, "words_query", 1, flags, shared, wordsQueryFunction, nullptr,
                                        nullptr, [](void* p) { delete static_cast<WordTokenizer*>(p); });
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "words_in", -1, flags, shared, wordsInFunction, nullptr, nullptr,
                                        nullptr);
    return rc;
}

} // namespace wk::store::sqlite
