#pragma once
// Reads the user tables of an Access (Jet) file through mdbtools' libmdb.
//
// Every value keeps its meaning: texts exactly as stored (letter case, trailing blanks, line
// breaks), null apart from the empty text, dates through jetDateToStorage, numbers as integers or
// reals, yes/no as 1/0, binary and OLE fields as bytes. Failures throw StoreError.
#include "store/jet/JetValue.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace wk::store::jet {

struct JetTableInfo {
    QString name;
    std::vector<JetColumn> columns;
    qint64 declaredRows = 0; // the row count the table definition records
};

class JetReader {
public:
    // Opens the file read-only; throws StoreError when libmdb cannot read it.
    explicit JetReader(const QString& path);
    ~JetReader();
    JetReader(const JetReader&) = delete;
    JetReader& operator=(const JetReader&) = delete;

    // The user tables (system tables excluded), in catalog order, with their columns.
    const std::vector<JetTableInfo>& tables() const { return tables_; }

    // Calls `onRow` with the values of every row of `table` (in column order); returns the
    // number of rows read. `onRow` may throw to stop. More than `maxRows` rows means the page
    // chain is damaged: StoreError.
    qint64 readRows(const JetTableInfo& table, const std::function<void(const std::vector<JetValue>&)>& onRow,
                    qint64 maxRows);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_; // closes the file last, after every message is built
    QString path_;
    std::vector<JetTableInfo> tables_;
};

} // namespace wk::store::jet
