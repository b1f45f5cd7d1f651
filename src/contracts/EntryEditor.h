#pragma once
// The Edit Screen's entry, as a thumbnail click asks about it. Implemented by
// editing::EntryEditing.
#include <QString>

namespace wk::store {
class DataSource;
}

namespace wk::contracts {

class EntryEditor {
public:
    // True when the user may leave the entry being edited for the entry `bookmark` (nothing
    // unsaved, or the user chose to leave it).
    virtual bool mayLeaveEntryFor(const QString& bookmark) = 0;
    // Makes the current row of `entry` the entry being edited and fills the boxes from it.
    virtual void editEntry(const store::DataSource& entry) = 0;

protected:
    ~EntryEditor() = default;
};

} // namespace wk::contracts
