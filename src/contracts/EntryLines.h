#pragma once
// The entry list's lines (entryList and lineBookmarks), as the filters, the editing, the strip, the
// TimeLine and the calendar's drop fill and read them. Implemented by browse::EntryList.
#include <QString>
#include <QStringList>

namespace wk::store {
class DataSource;
}

namespace wk::contracts {

class EntryLines {
public:
    // Refills the list and lineBookmarks from `source`, which is left past its last row;
    // `emptySlots` empty slots stand in when it has no rows.
    virtual void fill(store::DataSource& source, int emptySlots = 1) = 0;
    // Shows lines already read from `source` (one title per bookmark); `emptySlots` empty slots
    // stand in when there are no lines.
    virtual void showLines(store::DataSource& source, const QStringList& titles, const QStringList& bookmarks,
                           int emptySlots) = 0;
    // The source the list was last filled from.
    virtual store::DataSource& filledFrom() const = 0;
    // Positions a source on the entry of line `line` and returns it; throws when the line stands
    // for nothing.
    virtual store::DataSource& positionOnLine(int line) = 0;
    // The picture file of line `line`'s entry, a disc name resolved; empty for no picture.
    virtual QString pictureOfLine(int line) = 0;
    // Deletes line `line`'s entry and refills the list from the source that filled it last.
    virtual void deleteLineEntry(int line) = 0;
    // Re-reads the entry set and refills the list from the source that filled it last.
    virtual void refillFromLastSource() = 0;

protected:
    ~EntryLines() = default;
};

} // namespace wk::contracts
