#include "store/BulkWriter.h"

#include "store/Engine.h"
#include "store/ScrapbookLocation.h"
#include "store/StoreError.h"

#include <QFileInfo>

namespace wk::store {

BulkWriter::BulkWriter(const QString& path) : label_(QFileInfo(path).fileName())
{
    const QString what = QStringLiteral("Cannot write %1").arg(label_);
    engine_ = openEngine(ScrapbookLocation(path));
    engine_->beginWrite(what);
    open_ = true;
    insert_ = engine_->prepare(
        QStringLiteral(
            "INSERT INTO \"MYLIFE\" (\"DATE\", \"MYEVENT\", \"WHAT\", \"WHERE\", \"PICTURE\", \"LOG\")"
            " VALUES (?, ?, ?, ?, ?, ?)"),
        what);
}

BulkWriter::~BulkWriter()
{
    insert_.reset();
    if (open_)
        engine_->rollBackWrite(label_);
}

void BulkWriter::addEntry(const QDate& date, const QString& title, const QString& what, const QString& where,
                          const QString& picture, const QVariant& log)
{
    const QString failed = QStringLiteral("Cannot write %1").arg(label_);
    if (!open_)
        throw StoreError(QStringLiteral("%1: the bulk write is already committed").arg(failed));
    insert_->bind(1, date.isValid() ? QVariant(date) : QVariant());
    insert_->bind(2, title);
    insert_->bind(3, what);
    insert_->bind(4, where);
    insert_->bind(5, picture);
    insert_->bind(6, log.isValid() && !log.isNull() ? QVariant(log.toString()) : QVariant());
    insert_->step(failed);
    insert_->reset();
    ++added_;
}

void BulkWriter::commit()
{
    if (!open_)
        return;
    insert_.reset();
    engine_->commitWrite(QStringLiteral("Cannot write %1").arg(label_));
    open_ = false;
}

} // namespace wk::store
