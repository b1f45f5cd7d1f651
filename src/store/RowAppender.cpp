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

constexpr const char* kStagingTable = "wk_staged_rows";

class StagedAppender final : public RowAppender {
public:
    StagedAppender(Engine& engine, const QString& table, const QStringList& columns, const QString& what)
        : engine_(engine), table_(table), columns_(columns), what_(what)
    {
        QStringList staged;
        for (int c = 0; c < columns.size(); ++c)
            staged << QStringLiteral("c%1").arg(c);
        engine.exec(QStringLiteral("CREATE TEMP TABLE %1 (%2)")
                        .arg(QLatin1String(kStagingTable), staged.join(QLatin1Char(','))),
                    what);
        staging_ = insertingAppender(engine, QLatin1String(kStagingTable), staged, what);
    }
    ~StagedAppender() override
    {
        if (staging_)
            dropStaging(); // stopped half-way: the caller's write is rolled back
    }
    StagedAppender(const StagedAppender&) = delete;
    StagedAppender& operator=(const StagedAppender&) = delete;

    void add(const QVariant& value) override { staging_->add(value); }
    void endRow() override { staging_->endRow(); }
    qint64 finish() override
    {
        staging_.reset();
        engine_.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT * FROM %3 ORDER BY rowid")
                         .arg(quoteIdentifier(table_), columnList(columns_), QLatin1String(kStagingTable)),
                     what_);
        const qint64 written = engine_.changedRows();
        engine_.exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(kStagingTable)), what_);
        return written;
    }

private:
    void dropStaging()
    {
        staging_.reset();
        try {
            engine_.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(kStagingTable)), what_);
        } catch (const std::exception&) {
            // the temporary table goes with the connection
        }
    }

    Engine& engine_;
    QString table_;
    QStringList columns_;
    QString what_;
    std::unique_ptr<RowAppender> staging_;
};

} // namespace

std::unique_ptr<RowAppender> insertingAppender(Engine& engine, const QString& table,
                                               const QStringList& columns, const QString& what)
{
    return std::make_unique<InsertingAppender>(engine, table, columns, what);
}

std::unique_ptr<RowAppender> stagedAppender(Engine& engine, const QString& table, const QStringList& columns,
                                            const QString& what)
{
    return std::make_unique<StagedAppender>(engine, table, columns, what);
}

} // namespace wk::store
