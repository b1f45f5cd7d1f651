#pragma once
// The entry list ListDB1: one line per entry of a result set, with lineBookmarks telling which
// entry each line stands for. A click shows the line's entry, Delete removes it after a
// question, and a mouse press while the calendar is on starts dragging it towards a day.
#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

namespace wk::store {
class DataSource;
}
namespace wk::shell {
class Mtform1;
}

namespace wk::browse {

class EntryList : public QObject {
    Q_OBJECT
public:
    explicit EntryList(shell::Mtform1& form);
    ~EntryList() override;

    // Refills ListDB1 and lineBookmarks from `source`, which is left past its last row.
    // No line is selected afterwards.
    void fill(store::DataSource& source);
    // Shows lines already read from `source` (one title per bookmark) and makes them the lines
    // of lineBookmarks; `emptySlots` empty slots stand in when there are no lines.
    void showLines(store::DataSource& source, const QStringList& titles, const QStringList& bookmarks,
                   int emptySlots = 1);
    // The source the list was last filled from (the entry set unless a filter filled it).
    store::DataSource& filledFrom() const { return *filledFrom_; }

    // Positions the entry set on the entry of list line `line`. When the list holds another
    // source's rows and the entry set does not contain that entry, positions that source
    // instead; when neither holds it any more (the other source was re-queried since), reads
    // that one entry by itself. Returns the source now on the entry; throws when the line
    // stands for nothing.
    store::DataSource& positionOnLine(int line);

    // Deletes the entry of list line `line` (which must stand for an entry), then re-reads the
    // entry set and refills the list from the source that filled it last, so an applied filter
    // stays applied. An entry deleted elsewhere in the meantime is reported to the user; any
    // other failure is thrown after the refill.
    void deleteLineEntry(int line);
    // Re-reads the entry set and the source that filled the list last, and refills the list from
    // that source. No line is selected afterwards.
    void refillFromLastSource();

    void ListDB1_Click();
    void ListDB1_KeyDown(int keyCode);
    void ListDB1_MouseDown(Qt::MouseButton button, QPoint position);

    // Starts the drag of LABELFILE; replaced in tests, where no drag loop can run.
    std::function<void()> startDrag;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startLabelDrag();

    shell::Mtform1& form_;
    store::DataSource* filledFrom_;
    std::unique_ptr<store::DataSource> lineEntry_; // one entry read by its bookmark
    bool filling_ = false;
};

} // namespace wk::browse
