#pragma once
// Narrowing the entries: the five category option buttons, "All Pictures" and the who-or-where
// name list DBList2.
//
// The four category buttons query the filter set DataFind with the clicked caption and the
// selected name and list its titles; "Calendar Items" searches the entry set for categories that
// begin with "5"; a name click replaces the entry set's own query (so every view that re-reads
// the entry set follows it) and "All Pictures" restores the full, date-ordered entry set.
// Every value from the screen is quoted into the query texts, so names with apostrophes work.
#include "controls/Forward.h"

#include <QObject>
#include <array>
#include <QString>

namespace wk::filters {

// What the filters work on.
struct EntryFiltersParts {
    std::array<QRadioButton*, 6> SSOption; // [1]..[5]
    QButtonGroup* categoryOptions;
    QPushButton* CmdAll;
    QListWidget* DBList2;
    controls::LineList* ListDB1;
    controls::PictureButton* TimeOn1;
    std::array<controls::ImageControl*, 8> Image; // the strip's slots [1]..[7]
    store::DataSource& Data1;
    store::DataSource& DataFind;
    store::DataSource& DataWhere;
    contracts::EntryLines& entryLines;
    contracts::StripArrows& stripArrows;
};

class EntryFilters : public QObject {
    Q_OBJECT
public:
    explicit EntryFilters(const EntryFiltersParts& parts);

    void SSOption1_Click() { categoryClick(1); }
    void SSOption2_Click() { categoryClick(2); }
    void SSOption3_Click() { categoryClick(3); }
    void SSOption4_Click() { categoryClick(4); }
    void SSOption5_Click();
    void CmdAll_Click();
    void DBList2_Click();

    // DBList2's text: the selected name, or the empty text when none is selected.
    QString selectedName() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void categoryClick(int k);
    void setListColour(const QColor& colour);
    void switchTimeLineOff();

    EntryFiltersParts parts_;
    int rowBeforePress_ = -2; // DBList2's current row when the mouse went down on it
};

} // namespace wk::filters
