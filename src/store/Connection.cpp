#include "store/Connection.h"

#include "store/Engine.h"
#include "store/RowChange.h"
#include "store/StoreError.h"
#include "store/WordsIndex.h"

namespace wk::store {

Connection::Connection(const ScrapbookLocation& location)
    : location_(location), engine_(openEngine(location)), dialect_(engine_->dialect())
{
    dialect_.wordsCondition = [this](const QString& qualifier, const QString& typed) {
        return engine_->wordsCondition(qualifier, typed, wordsIndexed());
    };
}

Connection::~Connection() = default;

std::unique_ptr<Statement> Connection::prepare(const QString& sql, const QString& what) const
{
    return engine_->prepare(sql, what);
}

void Connection::interrupt() { engine_->interrupt(); }

bool Connection::wordsIndexed()
{
    if (!wordsIndexed_)
        wordsIndexed_ = wordsIndexState(*this) == WordsIndexState::Current;
    return *wordsIndexed_;
}

TranslatedQuery Connection::translate(const QString& recordSource)
{
    constexpr qsizetype kKept = 64; // the program's own texts are far fewer
    if (const auto found = translations_.constFind(recordSource); found != translations_.cend())
        return *found;
    const TranslatedQuery query = translateRecordSource(recordSource, dialect_);
    if (translations_.size() >= kKept)
        translations_.clear();
    translations_.insert(recordSource, query);
    return query;
}

TranslatedCriterion Connection::translateCriterion(const QString& criterion) const
{
    return store::translateCriterion(criterion, dialect_);
}

QString Connection::allColumns(const QString& table) const
{
    return dialect_.allColumns ? dialect_.allColumns(table, quoteIdentifier(table)) : QStringLiteral("*");
}

void Connection::exec(const QString& sql) { engine_->exec(sql, label()); }

bool Connection::isReadOnly() const { return engine_->isReadOnly(); }

qint64 Connection::dataVersion() const { return engine_->dataVersion(); }
int Connection::changeSocket() const { return engine_->changeSocket(); }
bool Connection::isLost() const { return engine_->isLost(); }
void Connection::reconnect() { engine_->reconnect(QStringLiteral("Cannot reach %1").arg(label())); }
std::function<bool()> Connection::answerCheck() const { return engine_->answerCheck(); }

std::shared_ptr<Connection> ConnectionPool::open(const ScrapbookLocation& location)
{
    const QString key = location.database();
    if (auto existing = open_.value(key).lock())
        return existing;
    auto connection = std::make_shared<Connection>(location);
    connection->hooks_ = hooks_;
    open_.insert(key, connection);
    return connection;
}

void ConnectionPool::setChangeObserver(std::function<void(const RowChange&)> observer)
{
    hooks_->changeObserver = std::move(observer);
}

void Connection::reportChange(RowChange change) const
{
    change.database = path();
    if (observesChanges())
        hooks_->changeObserver(change);
}

void ConnectionPool::setBeforeFirstWrite(std::function<void(Connection&)> step)
{
    hooks_->beforeFirstWrite = std::move(step);
}

void Connection::aboutToWrite()
{
    ++writeSerial_;
    if (!hooks_ || !hooks_->beforeFirstWrite || hooks_->firstWritten.contains(path()))
        return;
    hooks_->beforeFirstWrite(*this);
    hooks_->firstWritten.insert(path());
}

} // namespace wk::store
