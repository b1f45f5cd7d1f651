#pragma once
// Fills a newly created scrapbook quickly: one transaction, prepared statements. Used by the
// sample and the large-scrapbook generators; the program itself writes through the store.
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace wk::sample {

class ScrapbookWriter {
public:
    // Creates `path` (which must not exist) with the empty scrapbook tables and opens a
    // transaction. Throws wk::store::StoreError.
    explicit ScrapbookWriter(const QString& path);
    // Rolls back whatever was not committed.
    ~ScrapbookWriter();
    ScrapbookWriter(const ScrapbookWriter&) = delete;
    ScrapbookWriter& operator=(const ScrapbookWriter&) = delete;

    // `date` is stored as given (ISO "YYYY-MM-DD"); a null `where` or `log` stays null.
    void addEntry(const QString& date, const QString& title, const QString& what, const QString& where,
                  const QString& picture, const QString& log);
    void addName(const QString& name, int sort);
    void setPictureDisc(const QString& cd, const QString& isNew);
    void commit();

private:
    void check(int rc, const char* what) const;
    void close();
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insertEntry_ = nullptr;
    sqlite3_stmt* insertName_ = nullptr;
    bool open_ = false;
};

} // namespace wk::sample
