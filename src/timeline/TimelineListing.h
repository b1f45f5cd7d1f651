#pragma once
// The timeline: "List by Date" shows the whole entry set as one chronological listing in
// dateList, a header line for every month and a "dd  title" line for every entry, with
// lineBookmarks naming the entry of each line (empty for headers). A click on an entry line
// shows that entry. TimeLineSwitch (the strip filled from the entry list, the year scroller)
// and TimelinePrintWindow (the printed timeline) live in this folder as well.
#include "controls/Forward.h"

#include "controls/LineBookmarks.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace wk::timeline {

// The listing's lines as built from an entry set: a header's text, or an entry's row, day and
// row identity; an entry line's title is read from the set only when the line is shown.
class Listing {
public:
    void addHeader(const QString& text);
    void addEntry(int row, qint64 id, int day); // day 0: no date
    int lineCount() const { return int(rows_.size()); }
    QString lineText(const store::DataSource& entries, int line) const;
    // One per line, empty for a header; at least two slots.
    controls::LineBookmarks bookmarks() const;

private:
    std::vector<int> rows_; // per line: the entry's row, or -1 for a header
    std::vector<qint8> days_;
    QList<qint64> ids_;
    QHash<int, QString> headers_;
};

// Reads the dates of `entries` in set order: a first header, a later header at every change of
// the month number (the year is not compared) and one line per entry.
Listing buildListing(const store::DataSource& entries);

// What "List by Date" works on.
struct TimelineListingParts {
    controls::PictureButton* listByDateButton;
    controls::PictureButton* editScreenButton; // "Edit Screen", not offered while the listing is shown
    controls::PictureButton* timelineButton;
    QGroupBox* mainScreenPanel;
    QGroupBox* editScreenPanel;
    QGroupBox* listingPanel;
    controls::LineList* dateList;
    QLabel* entryDateLabel;
    QLabel* entryNameLabel;
    controls::ImageControl* bigImage;
    QPlainTextEdit* logEdit;
    store::DataSource& entries;
    controls::LineBookmarks& lineBookmarks;
    contracts::BigPicture& bigPicture;
};

class TimelineListing : public QObject {
    Q_OBJECT
public:
    explicit TimelineListing(const TimelineListingParts& parts);

    void showListByDate(); // "List by Date"
    void showListingLine();

    // Re-queries the entry set and rebuilds dateList and lineBookmarks from it.
    void fillListing();

private:
    void showFirstEntry();

    TimelineListingParts parts_;
    std::shared_ptr<const Listing> built_; // the listing of the entry set as it was last read
};

} // namespace wk::timeline
