#pragma once
// Writes tables of JetValues into a new SQLite file, inside one transaction.
// Every failure (including a full disk) throws StoreError with the engine's message.
#include "store/jet/JetValue.h"

#include <QString>
#include <memory>
#include <vector>

namespace wk::store {
class Engine;
class Statement;
} // namespace wk::store

namespace wk::store::jet {

struct TargetColumn {
    QString name;
    QString declaredType; // e.g. "TEXT COLLATE NOCASE", "DATE", "INTEGER"
};

class SqliteTableWriter {
public:
    // Opens (or creates) the SQLite file at `path` and starts a transaction. The file is
    // scratch space: no rollback journal is kept, a failed file is thrown away whole.
    explicit SqliteTableWriter(const QString& path);
    ~SqliteTableWriter(); // closes without committing what is not committed
    SqliteTableWriter(const SqliteTableWriter&) = delete;
    SqliteTableWriter& operator=(const SqliteTableWriter&) = delete;

    // Creates the table and makes it the target of insert(); `valueColumns` are the columns
    // (by index into `columns`) that insert() receives values for, in that order.
    void beginTable(const QString& name, const std::vector<TargetColumn>& columns,
                    const std::vector<int>& valueColumns);
    void insert(const std::vector<JetValue>& values);
    // Inserts one row of texts into the current table (for rows the converter adds itself).
    void insertTexts(const QStringList& texts);
    // Commits and closes the file; afterwards the writer is finished.
    void commit();

    // Number of rows of `table` in the SQLite file at `path`; throws StoreError.
    static qint64 countRows(const QString& path, const QString& table);

private:
    QString failed(const char* what) const;

    QString path_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Statement> insert_;
    int valueCount_ = 0;
};

} // namespace wk::store::jet
