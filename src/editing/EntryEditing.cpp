#include "contracts/StripState.h"
#include "editing/EntryEditing.h"

#include "contracts/BigPicture.h"
#include "contracts/EntryLines.h"
#include "controls/BoundLists.h"
#include "controls/DropDownCombo.h"
#include "controls/Exif.h"
#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/PictureButton.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "editing/PictureFiles.h"
#include "store/Clock.h"
#include "store/DataSource.h"
#include "store/DateRules.h"
#include "store/RowChange.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace wk::editing {

using controls::MessageIcon;
using controls::skipStep;

namespace {
const QString kProgramTitle = QStringLiteral("Wanderkeep");
} // namespace

EntryEditing::EntryEditing(const EditingParts& parts, PictureFiles& pictureFiles)
    : parts_(parts), pictureFiles_(pictureFiles)
{
    connect(parts_.addButton, &QPushButton::clicked, this, &EntryEditing::startNewEntry);
    connect(parts_.saveNewButton, &QPushButton::clicked, this, &EntryEditing::saveNewEntry);
    connect(parts_.saveChangesButton, &QPushButton::clicked, this, &EntryEditing::saveChanges);
    connect(parts_.deleteButton, &QPushButton::clicked, this, &EntryEditing::deleteShownEntry);
    connect(parts_.nameCombo, &controls::DropDownCombo::dropDown, this, &EntryEditing::fillNameChoices);
}

void EntryEditing::enterEditing()
{
    editedEntry_.clear();
    const int line = parts_.entryList->currentRow();
    if (line >= 0 && line < parts_.lineBookmarks.size() && !parts_.lineBookmarks[line].isEmpty())
        editedEntry_ = parts_.lineBookmarks[line];
    else
        skipStep([&] { editedEntry_ = parts_.entries.bookmark(); });
    skipStep([&] {
        parts_.saveNewButton->hide();
        parts_.saveChangesButton->show();
    });
    markBoxesStored();
}

store::Entry EntryEditing::boxEntry() const
{
    store::Entry entry;
    entry.date = parts_.dateEdit->text();
    entry.title = parts_.titleEdit->text();
    entry.category = parts_.categoryCombo->currentText();
    entry.where = parts_.nameCombo->currentText();
    entry.picture = parts_.pictureEdit->text();
    entry.log = parts_.logEdit->toPlainText();
    return entry;
}

void EntryEditing::showInBoxes(const store::Entry& entry)
{
    parts_.logEdit->setPlainText(store::valueText(entry.log));
    parts_.dateEdit->setText(store::valueText(entry.date));
    parts_.pictureEdit->setText(store::valueText(entry.picture));
    parts_.titleEdit->setText(store::valueText(entry.title));
    parts_.nameCombo->setEditText(store::valueText(entry.where));
    parts_.categoryCombo->setEditText(store::valueText(entry.category));
}

void EntryEditing::fillBoxes(const store::DataSource& source)
{
    store::Entry entry;
    if (skipStep([&] { entry = store::readEntry(source); }))
        showInBoxes(entry);
}

bool EntryEditing::mayLeaveEntryFor(const QString& bookmark)
{
    if (parts_.editScreenPanel->isHidden() || bookmark.isEmpty() || bookmark == editedEntry_)
        return true;
    if (boxEntry() == storedBoxes_)
        return true;
    if (!parts_.prompts.askYesNo(kProgramTitle, QStringLiteral("Store your changes to this entry before "
                                                               "another entry is shown?")))
        return true;
    return parts_.saveNewButton->isHidden() ? storeChanges() : storeNewEntry();
}

void EntryEditing::editEntry(const store::DataSource& entry)
{
    fillBoxes(entry);
    skipStep([&] { editedEntry_ = entry.bookmark(); });
    skipStep([&] {
        parts_.deleteButton->show();
        parts_.saveNewButton->hide();
        parts_.saveChangesButton->show();
    });
    markBoxesStored();
}

void EntryEditing::startNewEntry()
{
    skipStep([&] {
        parts_.deleteButton->hide();
        parts_.saveChangesButton->hide();
        parts_.saveNewButton->show();
    });
    skipStep([&] {
        parts_.dateEdit->setText(dates::formatShort(parts_.clock.today()));
        parts_.pictureEdit->clear();
        parts_.logEdit->clear();
        parts_.titleEdit->clear();
        parts_.nameCombo->setEditText(QString());
        parts_.categoryCombo->setEditText(QString());
    });
    markBoxesStored(); // a new entry starts from these boxes
    const QString chosen = pictureFiles_.choosePicture(QStringLiteral("Save Image As"));
    if (chosen.isEmpty())
        return; // cancelled
    // A camera's picture is dated by the day it was taken; others keep today.
    const QDate taken = controls::readCameraFacts(chosen).taken;
    if (taken.isValid())
        parts_.dateEdit->setText(dates::formatShort(taken));
    try {
        markBoxesStored();
        parts_.dateEdit->show();
        parts_.pictureEdit->show();
        parts_.titleEdit->show();
        parts_.bigPicture.previewPicture(chosen);
    } catch (const std::exception& error) {
        parts_.prompts.tell(kProgramTitle, QString::fromUtf8(error.what()), MessageIcon::Critical);
    }
}

bool EntryEditing::checkDateAndTitle()
{
    if (!dates::isValidDate(parts_.dateEdit->text())) {
        parts_.prompts.tell(QString(), QStringLiteral("Please Enter a Valid Date"), MessageIcon::Exclamation);
        parts_.dateEdit->setFocus();
        return false;
    }
    // Only an empty title is refused; blanks are a title.
    if (parts_.titleEdit->text().isEmpty()) {
        parts_.prompts.tell(QStringLiteral("Title"), QStringLiteral("Please Enter a Title"),
                            MessageIcon::Exclamation);
        parts_.titleEdit->setFocus();
        return false;
    }
    return true;
}

void EntryEditing::tellFailure(const QString& what, const std::exception& error)
{
    controls::tellFailedWrite(parts_.prompts, kProgramTitle, what, error);
}

void EntryEditing::saveNewEntry() { storeNewEntry(); }

bool EntryEditing::storeNewEntry()
{
    if (!checkDateAndTitle())
        return false;
    const store::Entry entry = boxEntry();

    store::DataSource& entries = parts_.entries;
    try {
        entries.addNew();
        // A new entry keeps null where no picture or log was given.
        store::writeEntry(entries, entry, {.picture = true, .log = true});
        entries.update();
    } catch (const std::exception& error) {
        // Nothing was stored: the boxes keep what was typed and the area stays in adding.
        skipStep([&] {
            if (entries.editing())
                entries.cancelUpdate();
        });
        tellFailure(QStringLiteral("The new entry was not stored."), error);
        return false;
    }
    const QString added = entries.lastModified();
    editedEntry_ = added;
    skipStep([&] { entries.refresh(); });
    // The entry set stays on the new entry (when its query lists it), so it is the current one.
    skipStep([&] { entries.setBookmark(added); });
    skipStep([&] {
        parts_.dateEdit->show();
        parts_.pictureEdit->show();
        parts_.titleEdit->show();
        parts_.saveNewButton->hide();
        parts_.saveChangesButton->show();
        parts_.strip.setShowsFolder(false);
    });
    markBoxesStored();
    return true;
}

void EntryEditing::saveChanges() { storeChanges(); }

bool EntryEditing::storeChanges()
{
    if (editedEntry_.isEmpty()) {
        parts_.prompts.tell(kProgramTitle,
                            QStringLiteral("There is no entry to store these changes in. Use Add "
                                           "to make a new entry."),
                            MessageIcon::Exclamation);
        return false;
    }
    if (!checkDateAndTitle())
        return false;
    const store::Entry entry = boxEntry();

    // The entry set normally holds the edited entry; a filtered list may hold it instead.
    store::DataSource* source = &parts_.entries;
    if (!source->hasBookmark(editedEntry_) && parts_.entryLines.filledFrom().hasBookmark(editedEntry_))
        source = &parts_.entryLines.filledFrom();
    try {
        source->setBookmark(editedEntry_);
        source->edit();
        // An emptied log box keeps the stored log.
        store::writeEntry(*source, entry, {.log = true});
        source->update();
        editedEntry_ = source->bookmark(); // another program may have renumbered the rows
    } catch (const store::RowChangedError& changed) {
        // The set now holds the entry as stored, so a second Save stores the boxes over it on
        // purpose; the boxes keep what was typed.
        skipStep([&] {
            if (source->editing())
                source->cancelUpdate();
        });
        parts_.prompts.tell(kProgramTitle,
                            changed.message() +
                                QStringLiteral(" Your changes were not stored; press Save again to store "
                                               "them over that change.\n\nIt now holds:\n") +
                                store::describeStoredEntry(changed.now),
                            MessageIcon::Exclamation);
        return false;
    } catch (const store::RowGoneError& gone) {
        // The boxes keep what was typed; the list no longer offers the vanished entry. What was
        // typed may still be wanted: it can become a new entry.
        skipStep([&] { source->cancelUpdate(); });
        editedEntry_.clear();
        parts_.entryLines.refillFromLastSource();
        if (parts_.prompts.askYesNo(kProgramTitle,
                                    gone.message() + QStringLiteral(" Your changes were not stored.\n\n"
                                                                    "Add it again, as you typed it?")))
            return storeNewEntry();
        return false;
    } catch (const std::exception& error) {
        skipStep([&] {
            if (source->editing())
                source->cancelUpdate();
        });
        tellFailure(QStringLiteral("The changes were not stored."), error);
        return false;
    }
    skipStep([&] {
        parts_.dateEdit->show();
        parts_.pictureEdit->show();
        parts_.titleEdit->show();
    });
    markBoxesStored();
    return true;
}

void EntryEditing::deleteShownEntry()
{
    const int line = parts_.entryList->currentRow();
    const bool selected =
        line >= 0 && line < parts_.lineBookmarks.size() && !parts_.lineBookmarks[line].isEmpty();
    if (!selected) {
        parts_.prompts.tell(kProgramTitle,
                            QStringLiteral("No entry is selected in the list, so nothing was deleted."),
                            MessageIcon::Exclamation);
    } else {
        try {
            // Positioning and deleting go together: when the line's entry cannot be found, no
            // other row is deleted in its place. The deleted line leaves the list, which keeps its
            // filter; no line is selected afterwards.
            const QString deleted = parts_.lineBookmarks[line];
            parts_.entryLines.deleteLineEntry(line);
            if (deleted == editedEntry_)
                editedEntry_.clear();
        } catch (const std::exception& error) {
            tellFailure(QStringLiteral("The entry was not deleted."), error);
        }
    }
    skipStep([&] {
        parts_.saveNewButton->hide();
        parts_.saveChangesButton->show();
    });
}

void EntryEditing::fillNameChoices()
{
    // The list shows every name of the name table once, however often it is opened.
    store::DataSource& names = parts_.nameTable;
    QStringList texts;
    if (!skipStep([&] {
            for (int row = 0; row < names.recordCount(); ++row) {
                const QVariant v = names.fieldAt(row, QStringLiteral("where"));
                texts << (v.isNull() ? QString() : v.toString());
            }
        }))
        return;
    QComboBox* combo = parts_.nameCombo;
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    if (shown != texts)
        controls::refillCombo(combo, texts);
}

} // namespace wk::editing
