#pragma once
// The entry list entryList: one line per entry of a result set, with lineBookmarks telling which
// entry each line stands for. A click shows the line's entry, Delete removes it after a
// question, and a mouse press while the calendar is on starts dragging it towards a day.
#include "controls/Forward.h"
#include "contracts/EntryLines.h"
#include "controls/LineList.h"

#include <QObject>
#include <QPoint>
#include <array>
#include <functional>
#include <memory>

namespace wk::browse {

class EntryDisplay;

// What the entry list works on.
struct EntryListParts {
    QWidget* window; // the main window: its title heads the questions
    controls::LineList* entryList;
    QLabel* pictureLabel;                  // the text dragged towards a day
    std::array<QListWidget*, 43> dayCells; // the calendar's day cells, whose width the drag takes
    controls::PictureButton* calendarButton;
    store::ConnectionPool& connections;
    store::DataSource& entries;
    controls::LineBookmarks& lineBookmarks;
    contracts::StripState& strip;
    controls::Prompts& prompts;
    EntryDisplay& display;
};

class EntryList : public QObject, public contracts::EntryLines {
    Q_OBJECT
public:
    explicit EntryList(const EntryListParts& parts);
    ~EntryList() override;

    // Refills entryList and lineBookmarks from `source`, which is left past its last row;
    // `emptySlots` empty slots stand in when it has no rows. No line is selected afterwards.
    void fill(store::DataSource& source, int emptySlots = 1) override;
    // Shows lines already read from `source` (one title per bookmark) and makes them the lines
    // of lineBookmarks; `emptySlots` empty slots stand in when there are no lines.
    void showLines(store::DataSource& source, const QStringList& titles, const QStringList& bookmarks,
                   int emptySlots = 1) override;
    // The source the list was last filled from (the entry set unless a filter filled it).
    store::DataSource& filledFrom() const override { return *filledFrom_; }

    // Positions the entry set on the entry of list line `line`. When the list holds another
    // source's rows and the entry set does not contain that entry, positions that source
    // instead; when neither holds it any more (the other source was re-queried since), reads
    // that one entry by itself. Returns the source now on the entry; throws when the line
    // stands for nothing.
    store::DataSource& positionOnLine(int line) override;
    // Positions on line `line`'s entry and returns its picture file, a disc name ("%...")
    // resolved; empty for no picture. Throws when the line stands for no entry.
    QString pictureOfLine(int line) override;

    // Deletes the entry of list line `line` (which must stand for an entry), then re-reads the
    // entry set and refills the list from the source that filled it last, so an applied filter
    // stays applied. An entry deleted elsewhere in the meantime is reported to the user; any
    // other failure is thrown after the refill.
    void deleteLineEntry(int line) override;
    // Re-reads the entry set and the source that filled the list last, and refills the list from
    // that source. No line is selected afterwards.
    void refillFromLastSource() override;

    void showSelectedLine();
    void handleListKey(int keyCode);
    void pressOnList(Qt::MouseButton button, QPoint position);

    // Starts the drag of pictureLabel; replaced in tests, where no drag loop can run.
    std::function<void()> startDrag;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showIds(store::DataSource& source, const QList<qint64>& ids, controls::LineModel::TextOf textOf,
                 int emptySlots);
    void startLabelDrag();

    EntryListParts parts_;
    store::DataSource* filledFrom_;
    std::unique_ptr<store::DataSource> lineEntry_; // one entry read by its bookmark
    bool filling_ = false;
};

} // namespace wk::browse
