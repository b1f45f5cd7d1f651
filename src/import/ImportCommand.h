#pragma once
// The Edit Screen's Import...: asks for a folder and whether to copy its pictures, runs the import
// with its progress window, tells the summary and shows the new entries.
#include <QString>
#include <functional>

class QComboBox;
class QWidget;

namespace wk::controls {
class Prompts;
}
namespace wk::store {
class ConnectionPool;
}

namespace wk::importing {

struct ImportParts {
    QWidget* window;
    controls::Prompts& prompts;
    store::ConnectionPool& connections;
    QString programDirectory;
    QString databasePath;
    // The Edit Screen's boxes: the new entries take their category and who-or-where name.
    QComboBox* categoryCombo;
    QComboBox* nameCombo;
    // Runs the import so that its entries become one undo step.
    std::function<void(const std::function<void()>&)> asOneUndoStep;
    // The entry list, calendar and listing read the entries again and show entry `rowId`.
    std::function<void(qint64 rowId)> showEntries;
};

void importFromFolder(const ImportParts& parts);

} // namespace wk::importing
