#pragma once
// Narrowing the entries: the five category option buttons, "All Pictures" and the who-or-where
// name list nameList.
//
// The four category buttons query the filter set filteredEntries with the clicked caption and the
// selected name and list its titles; "Calendar Items" searches the entry set for categories that
// begin with "5"; a name click replaces the entry set's own query (so every view that re-reads
// the entry set follows it) and "All Pictures" restores the full, date-ordered entry set.
// Every value from the screen is quoted into the query texts, so names with apostrophes work.
// A word search's result (found off the window's thread) replaces the entry set's rows the same
// way a name click does, and clears the category and name choice.
#include "controls/Forward.h"

#include <QObject>
#include <array>
#include <vector>
#include <QString>

namespace wk::filters {

// What the filters work on.
struct EntryFiltersParts {
    std::array<QRadioButton*, 6> categoryButtons; // [1]..[5]
    QButtonGroup* categoryGroup;
    QPushButton* allPicturesButton;
    QListWidget* nameList;
    controls::LineList* entryList;
    controls::PictureButton* timelineButton;
    std::array<controls::ImageControl*, 8> stripSlots; // the strip's slots [1]..[7]
    store::DataSource& entries;
    store::DataSource& filteredEntries;
    store::DataSource& nameTable;
    contracts::EntryLines& entryLines;
    contracts::StripArrows& stripArrows;
};

class EntryFilters : public QObject {
    Q_OBJECT
public:
    explicit EntryFilters(const EntryFiltersParts& parts);

    void showCalendarItems();
    void showAllPictures();
    void filterByName();
    // Shows the entries found for the words `typed` (their row identities in date order): the
    // entry set becomes the search's, the list shows it with its first line chosen, or says
    // that nothing was found.
    void showFoundEntries(const QString& typed, const std::vector<qint64>& rows);

    // nameList's text: the selected name, or the empty text when none is selected.
    QString selectedName() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCategory(int k);
    void setListColour(const QColor& colour);
    void uncheckCategories();
    void switchTimeLineOff();

    EntryFiltersParts parts_;
    int rowBeforePress_ = -2; // nameList's current row when the mouse went down on it
};

} // namespace wk::filters
