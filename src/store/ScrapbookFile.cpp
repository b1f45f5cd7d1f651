#include "store/ScrapbookFile.h"

#include "store/FilePaths.h"

#include "store/StoreError.h"
#include "store/WordsIndex.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sqlite3.h>

namespace wk::store {

namespace {

// Closes the handle however the function is left.
struct DbCloser {
    sqlite3* db = nullptr;
    ~DbCloser() { sqlite3_close_v2(db); }
};

QString engineMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

} // namespace

FileKind inspectFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return FileKind::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return FileKind::Other;
    const QByteArray head = file.read(100);
    file.close();

    if (head.size() >= 20) {
        const QByteArray jetName = head.mid(4, 15);
        if (jetName == "Standard Jet DB" || jetName == "Standard ACE DB")
            return FileKind::Jet;
    }
    if (head.size() < 100 || !head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return FileKind::Other;

    DbCloser closer;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &closer.db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        return FileKind::Other;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(closer.db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &stmt,
                           nullptr) != SQLITE_OK)
        return FileKind::Other;
    QSet<QString> tables;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        tables.insert(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))).toLower());
    }
    sqlite3_finalize(stmt);
    for (const char* required : {"mylife", "catagory", "where", "cddrive"}) {
        if (!tables.contains(QString::fromLatin1(required)))
            return FileKind::Other;
    }
    return FileKind::Scrapbook;
}

void createScrapbook(const QString& path)
{
    const QString shown = QFileInfo(path).fileName();
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("%1: the file already exists and is left as it is").arg(shown));

    static const char* const kSchema = R"sql(
BEGIN;
CREATE TABLE "MYLIFE" (
  "DATE"    DATE,
  "MYEVENT" TEXT COLLATE NOCASE,
  "WHAT"    TEXT COLLATE NOCASE,
  "WHERE"   TEXT COLLATE NOCASE,
  "PICTURE" TEXT COLLATE NOCASE,
  "LOG"     TEXT COLLATE NOCASE
);
CREATE INDEX "MYLIFE_DATE" ON "MYLIFE" ("DATE");
-- Day queries compare DATE with a text literal, which compares without regard to case.
CREATE INDEX "MYLIFE_DATE_NOCASE" ON "MYLIFE" ("DATE" COLLATE NOCASE);
CREATE TABLE "Catagory" ("catagory" TEXT COLLATE NOCASE);
CREATE TABLE "WHERE" ("where" TEXT COLLATE NOCASE, "sort" INTEGER);
CREATE TABLE "cddrive" ("cd" TEXT COLLATE NOCASE, "new" TEXT COLLATE NOCASE);
INSERT INTO "Catagory" ("catagory") VALUES ('1 Events'), ('2 School'), ('3 Family'), ('4 Trips'),
  ('5 Calendar Items');
INSERT INTO "WHERE" ("where", "sort") VALUES ('*All Pictures', 0);
INSERT INTO "cddrive" ("cd", "new") VALUES ('', 'Y');
COMMIT;
)sql";

    DbCloser closer;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &closer.db, flags, nullptr);
    char* error = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(closer.db, kSchema, nullptr, nullptr, &error);
    if (rc == SQLITE_OK) // an empty scrapbook starts with its words index
        rc = sqlite3_exec(closer.db, wordsIndexSchema(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : engineMessage(closer.db);
        sqlite3_free(error);
        sqlite3_close_v2(closer.db);
        closer.db = nullptr;
        QFile::remove(path); // only the file this function just made
        throw StoreError(QStringLiteral("Cannot create %1: %2").arg(shown, message));
    }
}

QString scrapbookFileIn(const QString& folder)
{
    return findFileIgnoringCase(folder, QString::fromLatin1(kScrapbookFileName));
}

} // namespace wk::store
