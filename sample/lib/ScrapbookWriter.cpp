#include "ScrapbookWriter.h"

#include "store/Engine.h"
#include "store/ScrapbookFile.h"
#include "store/ScrapbookLocation.h"

namespace wk::sample {

ScrapbookWriter::ScrapbookWriter(const QString& path)
{
    store::createScrapbook(path);
    engine_ = store::openEngine(store::ScrapbookLocation(path));
    engine_->beginWrite(QStringLiteral("begin"));
    open_ = true;
    insertEntry_ = engine_->prepare(
        QStringLiteral(R"(INSERT INTO "MYLIFE" ("DATE", "MYEVENT", "WHAT", "WHERE", "PICTURE", "LOG"))"
                       " VALUES (?, ?, ?, ?, ?, ?)"),
        QStringLiteral("prepare entry"));
    insertName_ = engine_->prepare(QStringLiteral(R"(INSERT INTO "WHERE" ("where", "sort") VALUES (?, ?))"),
                                   QStringLiteral("prepare name"));
}

ScrapbookWriter::~ScrapbookWriter()
{
    insertEntry_.reset();
    insertName_.reset();
    if (open_)
        engine_->rollBackWrite(QStringLiteral("rollback"));
}

void ScrapbookWriter::addEntry(const QString& date, const QString& title, const QString& what,
                               const QString& where, const QString& picture, const QString& log)
{
    insertEntry_->reset();
    insertEntry_->bind(1, date);
    insertEntry_->bind(2, title);
    insertEntry_->bind(3, what);
    insertEntry_->bind(4, where);
    insertEntry_->bind(5, picture.isNull() ? QStringLiteral("") : picture);
    insertEntry_->bind(6, log);
    insertEntry_->step(QStringLiteral("add entry"));
}

void ScrapbookWriter::addName(const QString& name, int sort)
{
    insertName_->reset();
    insertName_->bind(1, name);
    insertName_->bind(2, sort);
    insertName_->step(QStringLiteral("add name"));
}

void ScrapbookWriter::setPictureDisc(const QString& cd, const QString& isNew)
{
    const auto update = engine_->prepare(QStringLiteral(R"(UPDATE "cddrive" SET "cd" = ?, "new" = ?)"),
                                         QStringLiteral("prepare disc"));
    update->bind(1, cd);
    update->bind(2, isNew);
    update->step(QStringLiteral("set picture disc"));
}

void ScrapbookWriter::commit()
{
    engine_->commitWrite(QStringLiteral("commit"));
    open_ = false;
}

} // namespace wk::sample
