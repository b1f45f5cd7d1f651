#pragma once
// Fills a newly created scrapbook quickly: one transaction, prepared statements. Used by the
// sample and the large-scrapbook generators; the program itself writes through the store.
#include <QString>
#include <memory>

namespace wk::store {
class Engine;
class Statement;
} // namespace wk::store

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
    std::unique_ptr<store::Engine> engine_;
    std::unique_ptr<store::Statement> insertEntry_;
    std::unique_ptr<store::Statement> insertName_;
    bool open_ = false;
};

} // namespace wk::sample
