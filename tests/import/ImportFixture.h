#pragma once
// A scrapbook to import into and a source folder to import from, both temporary.
#include "ImportFiles.h"
#include "SqliteRows.h"
#include "TestScrapbook.h"

#include "import/PictureImport.h"
#include "store/Connection.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wk::testing {

class ImportFixture : public ::testing::Test {
protected:
    QString source(const QString& name) const { return sourceDir.filePath(name); }
    void put(const QString& name, const QByteArray& bytes) { wk::sample::writeBytes(source(name), bytes); }
    QByteArray bytesOf(const QString& name) const { return readBytes(source(name)); }

    // `count` distinct JPEGs of `size`, named by `pattern` with their number (0001 on), made from
    // one as quickly as copies.
    void putJpegs(const QString& pattern, int count, QSize size = {400, 300})
    {
        const auto name = [&](int n) { return pattern.arg(n, 4, 10, QLatin1Char('0')); };
        writeJpeg(source(name(0)), size, Qt::darkGreen);
        for (int n = 1; n < count; ++n)
            put(name(n), wk::sample::jpegVariant(bytesOf(name(0)), n));
    }

    importing::ImportSummary importFolder(bool copy = true, const importing::ProgressReport& report = {})
    {
        const std::shared_ptr<store::Connection> connection = pool.open(book.databasePath());
        return importing::importPictures(
            *connection, book.dir(),
            {sourceDir.path(), copy, QStringLiteral("1 Events"), QStringLiteral("Grandma")}, report);
    }

    // DATE|MYEVENT|WHAT|WHERE|PICTURE|LOG of every entry, in row order.
    QStringList entries() const
    {
        return store::testing::rowsOf(
            book.databasePath(),
            QStringLiteral("SELECT DATE, MYEVENT, WHAT, \"WHERE\", PICTURE, LOG FROM MYLIFE ORDER BY rowid"));
    }

    // Every file under the scrapbook's pictures folder, hidden ones included, relative to it.
    QStringList copies() const
    {
        QStringList files;
        QDirIterator it(book.path(QStringLiteral("pictures")), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(book.dir()).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    TestScrapbook book;
    QTemporaryDir sourceDir;
    store::ConnectionPool pool;
};

} // namespace wk::testing
