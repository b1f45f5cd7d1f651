#include "store/WordsIndex.h"

#include "store/Savepoint.h"

namespace wk::store {

WordsIndexState wordsIndexState(Connection& connection)
{
    return connection.engine().wordsIndexState(connection.label());
}

void buildWordsIndex(Connection& connection, const std::function<void(qint64, qint64)>& progress)
{
    const QString what = QStringLiteral("%1: the search index").arg(connection.label());
    inSavepoint(connection, what, [&] { connection.engine().buildWordsIndex(what, progress); });
}

} // namespace wk::store
