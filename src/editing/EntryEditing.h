#pragma once
// The edit area of the "Edit Screen": starting a new entry with "Add", storing it with the
// first "Save", storing changes with the second "Save", "Delete", and the who-or-where combo.
//
// The area has two sub-modes told by the visible save button: adding (saveNewButton shown) and
// editing (saveChangesButton shown). Changes are stored into the entry the boxes were filled from
// (editedEntry()), never into whatever row the entry set happens to be on.
#include "contracts/EntryEditor.h"
#include "editing/EditingParts.h"
#include "store/Entry.h"

#include <QObject>
#include <QString>
#include <exception>

namespace wk::store {
class DataSource;
struct RowState;
} // namespace wk::store

namespace wk::editing {

class PictureFiles;

class EntryEditing : public QObject, public contracts::EntryEditor {
    Q_OBJECT
public:
    EntryEditing(const EditingParts& parts, PictureFiles& pictureFiles);

    void startNewEntry();
    void saveNewEntry();
    void saveChanges();
    void deleteShownEntry();
    void fillNameChoices();
    // Typing in the date, picture and log boxes changes nothing else.

    // The bookmark of the entry the second "Save" stores into; empty when there is none
    // (after a delete, or before the edit screen was first filled).
    const QString& editedEntry() const { return editedEntry_; }

    // Fills the six edit boxes from the current row of `entry`; a field that cannot be read
    // leaves its box as it was.
    void fillBoxes(const store::DataSource& entry);

    // A click is about to make the entry `bookmark` current while the edit screen is shown.
    // When the boxes hold changes not yet stored, asks whether to store them first (Yes stores
    // them as the shown save button would). False when that save was refused: the click must
    // then change nothing, so nothing typed is lost.
    bool mayLeaveEntryFor(const QString& bookmark) override;
    // The last step of "Edit Screen", after the screen switch has filled the boxes from the
    // selected line's entry: that entry becomes the edited one and the second "Save" is shown.
    void enterEditing();
    // The current row of `entry` was made current by a click while the edit screen is shown: the
    // boxes show it and the second "Save" stores into it.
    void editEntry(const store::DataSource& entry) override;

private:
    // What the six boxes hold, as texts: what the saves store, and what tells whether the user
    // changed the boxes since they were filled.
    store::Entry boxEntry() const;
    void showInBoxes(const store::Entry& entry);
    // The boxes now hold what is stored (or what a new entry starts with).
    void markBoxesStored() { storedBoxes_ = boxEntry(); }

    // The two saves; false when refused or failed (after telling the user).
    bool storeNewEntry();
    bool storeChanges();
    // The date and title checks shared by both saves; false (after the message) when refused.
    bool checkDateAndTitle();
    void tellFailure(const QString& what, const std::exception& error);
    // The fields of a stored row, one "label: value" line each, for telling what another program stored.

    EditingParts parts_;
    PictureFiles& pictureFiles_;
    QString editedEntry_;
    store::Entry storedBoxes_;
};

} // namespace wk::editing
