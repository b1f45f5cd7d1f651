#include "store/RowAppender.h"

#include "store/Engine.h"
#include "store/QueryDialect.h"

namespace wk::store {

namespace {

class InsertingAppender final : public RowAppender {
public:
    InsertingAppender(Engine& engine, const QString& table, const QStringList& columns, const QString& what)
        : engine_(engine), what_(what)
    {
        insert_ =
            engine.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quoteIdentifier(table), columnList(columns),
                                    QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                           what);
    }

    void add(const QVariant& value) override { insert_->bind(++bound_, value); }
    void endRow() override
    {
        insert_->step(what_);
        written_ += engine_.changedRows();
        insert_->reset();
        bound_ = 0;
    }
    qint64 finish() override { return written_; }

private:
    Engine& engine_;
    QString what_;
    std::unique_ptr<Statement> insert_;
    int bound_ = 0;
    qint64 written_ = 0;
};

} // namespace

std::unique_ptr<RowAppender> insertingAppender(Engine& engine, const QString& table,
                                               const QStringList& columns, const QString& what)
{
    return std::make_unique<InsertingAppender>(engine, table, columns, what);
}

} // namespace wk::store
