#pragma once
// Writes many scrapbook entries into MYLIFE quickly: one prepared insert, one transaction.
//
//   wk::store::BulkWriter writer(path);        // an existing scrapbook (createScrapbook first)
//   writer.addEntry(QDate(1998, 6, 15), "Picnic", "1 Events", "Grandma", "C:\\a.jpg", "sunny");
//   writer.commit();                            // nothing is written without it
//
// Meant for generators and benchmarks; the program itself writes through DataSource.
#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>

namespace wk::store {

class Engine;
class Statement;

class BulkWriter {
public:
    explicit BulkWriter(const QString& path); // throws StoreError
    ~BulkWriter();                            // rolls back what was not committed
    BulkWriter(const BulkWriter&) = delete;
    BulkWriter& operator=(const BulkWriter&) = delete;

    // A null `log` (invalid QVariant) stores NULL.
    void addEntry(const QDate& date, const QString& title, const QString& what, const QString& where,
                  const QString& picture, const QVariant& log = QVariant());
    void commit();
    int added() const { return added_; }

private:
    QString label_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Statement> insert_;
    bool open_ = false;
    int added_ = 0;
};

} // namespace wk::store
