#include "TestScrapbook.h"

#include "shell/ServerFolder.h"
#include "store/ScrapbookFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <stdexcept>

namespace wk::testing {

TestScrapbook::TestScrapbook(bool create)
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    if (runsOnServer())
        server_.emplace();
    if (create)
        store::createScrapbook(databasePath());
}

store::DataSource& TestScrapbook::table(const QString& name, const QString& database)
{
    source_ = std::make_unique<store::DataSource>(pool_, QStringLiteral("test"));
    source_->setDatabaseName(database.isEmpty() ? databasePath() : database);
    source_->setRecordSource(name);
    source_->refresh();
    return *source_;
}

void TestScrapbook::exec(const QString& sql) { pool_.open(databasePath())->exec(sql); }

QString TestScrapbook::addEntry(const EntryRow& row)
{
    store::DataSource& t = table(QStringLiteral("MYLIFE"));
    t.addNew();
    if (row.date.isValid())
        t.setField(QStringLiteral("DATE"), row.date);
    t.setField(QStringLiteral("MYEVENT"), row.title.isNull() ? QVariant() : QVariant(row.title));
    t.setField(QStringLiteral("WHAT"), row.what);
    t.setField(QStringLiteral("WHERE"), row.where);
    t.setField(QStringLiteral("PICTURE"), row.picture);
    t.setField(QStringLiteral("LOG"), row.log);
    t.update();
    t.moveLast();
    return t.bookmark();
}

void TestScrapbook::setColumn(const QString& tableName, const QString& column, const QStringList& values)
{
    exec(QStringLiteral("DELETE FROM \"%1\"").arg(tableName));
    store::DataSource& t = table(tableName);
    for (const QString& value : values) {
        t.addNew();
        t.setField(column, value);
        t.update();
    }
}

void TestScrapbook::setDisc(const QString& cd, const QString& isNew)
{
    // A server scrapbook's disc folder is this computer's, kept beside the user's settings.
    store::DataSource& t = table(QStringLiteral("cddrive"), shell::pictureDiscDatabase(location()));
    t.moveFirst();
    t.edit();
    t.setField(QStringLiteral("cd"), cd);
    t.setField(QStringLiteral("new"), isNew);
    t.update();
}

QString TestScrapbook::writePicture(const QString& relativeName, QSize size, QColor colour)
{
    const QString file = path(relativeName);
    QDir().mkpath(QFileInfo(file).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(file))
        throw std::runtime_error("cannot write " + file.toStdString());
    return file;
}

std::tuple<QString, QString, QString> TestScrapbook::writeShapedPictures(const QString& squareSuffix)
{
    return {writePicture(QStringLiteral("wide.jpg"), {400, 300}),
            writePicture(QStringLiteral("tall.bmp"), {300, 400}),
            writePicture(QStringLiteral("square.") + squareSuffix, {200, 200})};
}

} // namespace wk::testing
