#pragma once
// A scrapbook for tests: a real Velmora.mdb in a temporary folder, or, in a test run on a server
// (runsOnServer), a database of its own on the run's PostgreSQL server with the temporary folder as
// this computer's folder for it; real picture files in that folder either way.
#include "ServerDatabase.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/ScrapbookLocation.h"

#include <QColor>
#include <QDate>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <tuple>

namespace wk::testing {

// One MYLIFE row; the fields a test leaves out take these defaults.
struct EntryRow {
    EntryRow(QDate date, QString title = {}, QString what = QStringLiteral("1 Events"), QVariant where = {},
             QString picture = {}, QVariant log = {})
        : date(date), title(std::move(title)), what(std::move(what)), where(std::move(where)),
          picture(std::move(picture)), log(std::move(log))
    {
    }

    QDate date;
    QString title;
    QString what;
    QVariant where;  // null by default
    QString picture; // stored as given
    QVariant log;    // null by default
};

class TestScrapbook {
public:
    // Creates the folder and, unless `create` is false, an empty scrapbook in it.
    explicit TestScrapbook(bool create = true);

    QString dir() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // The scrapbook's database: the file, or the server address.
    QString databasePath() const { return server_ ? server_->uri() : path(QStringLiteral("Velmora.mdb")); }
    // Where the program finds it: the folder, or the server scrapbook with the folder as this
    // computer's.
    store::ScrapbookLocation location() const
    {
        return server_ ? store::ScrapbookLocation(server_->uri()).withFolder(dir())
                       : store::ScrapbookLocation(dir());
    }
    bool onServer() const { return server_.has_value(); }

    // Rows written straight into the file; returns the new row's bookmark.
    QString addEntry(const EntryRow& row);
    // Replaces table Catagory, or table WHERE.
    void setCategories(const QStringList& names)
    {
        setColumn(QStringLiteral("Catagory"), QStringLiteral("catagory"), names);
    }
    void setNames(const QStringList& names)
    {
        setColumn(QStringLiteral("WHERE"), QStringLiteral("where"), names);
    }
    void setDisc(const QString& cd, const QString& isNew);
    // Runs statements straight on the file.
    void exec(const QString& sql);

    // Picture files of a chosen size; the format follows the extension (.bmp, .jpg).
    QString writePicture(const QString& relativeName, QSize size, QColor colour = QColor(0, 0, 255));

    // One picture of each shape, returned as {wide, tall, square}: wide.jpg (400x300), tall.bmp
    // (300x400) and a 200x200 square whose format `squareSuffix` chooses.
    std::tuple<QString, QString, QString>
    writeShapedPictures(const QString& squareSuffix = QStringLiteral("jpg"));

private:
    // Table `name` of the scrapbook, or of another `database`.
    store::DataSource& table(const QString& name, const QString& database = QString());
    void setColumn(const QString& tableName, const QString& column, const QStringList& values);

    std::optional<ServerDatabase> server_; // dropped last, after every connection closed
    QTemporaryDir dir_;
    store::ConnectionPool pool_;
    std::unique_ptr<store::DataSource> source_;
};

} // namespace wk::testing
