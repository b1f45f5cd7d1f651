#include "store/ScrapbookFile.h"

#include "store/FilePaths.h"

#include "store/StoreError.h"
#include "store/Engine.h"
#include "store/postgres/PostgresSchema.h"
#include "store/sqlite/SqliteEngine.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace wk::store {

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

    const std::optional<QSet<QString>> tables = sqlite::tableNamesOf(path);
    if (!tables)
        return FileKind::Other;
    for (const char* required : {"mylife", "catagory", "where", "cddrive"}) {
        if (!tables->contains(QString::fromLatin1(required)))
            return FileKind::Other;
    }
    return FileKind::Scrapbook;
}

FileKind inspectScrapbook(const ScrapbookLocation& scrapbook)
{
    if (!scrapbook.onServer())
        return inspectFile(scrapbook.database());
    const auto engine = openEngine(scrapbook);
    const QString what = QStringLiteral("Cannot look into %1").arg(scrapbook.label());
    bool all = true;
    for (const char* table : {"MYLIFE", "Catagory", "WHERE", "cddrive"})
        all = all && engine->hasTable(QString::fromLatin1(table), what);
    if (all)
        return FileKind::Scrapbook;
    return postgres::holdsTables(*engine, what) ? FileKind::Other : FileKind::Missing;
}

void createScrapbook(const ScrapbookLocation& scrapbook)
{
    if (scrapbook.onServer()) {
        const auto engine = openEngine(scrapbook);
        postgres::createScrapbookSchema(*engine, scrapbook.label());
        return;
    }
    const QString& path = scrapbook.database();
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

    // An empty scrapbook starts with its words index.
    sqlite::createFile(path, QString::fromLatin1(kSchema) + QString::fromLatin1(sqlite::wordsIndexSchema()));
}

QString scrapbookFileIn(const QString& folder)
{
    return findFileIgnoringCase(folder, QString::fromLatin1(kScrapbookFileName));
}

} // namespace wk::store
