#pragma once
// A query text in the program's dialect with the values it needs kept apart: each "?" in the
// text stands for the next value, which the engine receives bound, never written into the text.
// A title, category or name with an apostrophe, a quote or anything else is only ever a value.
//
//   Query{"SELECT * FROM mylife WHERE what = ? ;", {"1 Events"}}
//
// A text alone (a table name, a query without values) converts to a Query.
#include <QString>
#include <QVariantList>

namespace wk::store {

struct Query {
    QString text;
    QVariantList values;

    Query() = default;
    Query(const QString& text, const QVariantList& values = {}) : text(text), values(values) {} // NOLINT
    Query(const char* text) : text(QString::fromUtf8(text)) {}                                  // NOLINT

    friend bool operator==(const Query& a, const Query& b)
    {
        return a.text == b.text && a.values == b.values;
    }
};

} // namespace wk::store
