#include "editing/EntryEditing.h"

#include "browse/EntryDisplay.h"
#include "browse/EntryList.h"
#include "controls/BoundLists.h"
#include "controls/DropDownCombo.h"
#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/PictureButton.h"
#include "controls/Prompts.h"
#include "controls/Steps.h"
#include "editing/PictureFiles.h"
#include "shell/Mtform1.h"
#include "store/DateRules.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace wk::editing {

using controls::MessageIcon;
using controls::skipStep;

namespace {
const QString kProgramTitle = QStringLiteral("Wanderkeep");
} // namespace

EntryEditing::EntryEditing(shell::Mtform1& form) : QObject(&form), form_(form)
{
    connect(form_.CMDADD, &QPushButton::clicked, this, &EntryEditing::CMDADD_Click);
    connect(form_.SAVEADD, &QPushButton::clicked, this, &EntryEditing::SAVEADD_Click);
    connect(form_.SaveEdit, &QPushButton::clicked, this, &EntryEditing::SaveEdit_Click);
    connect(form_.CMDDEL, &QPushButton::clicked, this, &EntryEditing::CMDDEL_Click);
    connect(form_.Text1, &QLineEdit::textChanged, this, &EntryEditing::Text1_Change);
    connect(form_.Text2, &QLineEdit::textChanged, this, &EntryEditing::Text2_Change);
    connect(form_.Text3, &QPlainTextEdit::textChanged, this, &EntryEditing::Text3_Change);
    connect(form_.Wheretext, &controls::DropDownCombo::dropDown, this, &EntryEditing::wheretext_DropDown);
}

void EntryEditing::enterEditing()
{
    editedEntry_.clear();
    const int line = form_.ListDB1->currentRow();
    if (line >= 0 && line < form_.lineBookmarks.size() && !form_.lineBookmarks[line].isEmpty())
        editedEntry_ = form_.lineBookmarks[line];
    else
        skipStep([&] { editedEntry_ = form_.Data1.bookmark(); });
    skipStep([&] {
        form_.SAVEADD->hide();
        form_.SaveEdit->show();
    });
    markBoxesStored();
}

store::Entry EntryEditing::boxEntry() const
{
    store::Entry entry;
    entry.date = form_.Text1->text();
    entry.title = form_.Text4->text();
    entry.category = form_.WhatText->currentText();
    entry.where = form_.Wheretext->currentText();
    entry.picture = form_.Text2->text();
    entry.log = form_.Text3->toPlainText();
    return entry;
}

void EntryEditing::showInBoxes(const store::Entry& entry)
{
    form_.Text3->setPlainText(store::valueText(entry.log));
    form_.Text1->setText(store::valueText(entry.date));
    form_.Text2->setText(store::valueText(entry.picture));
    form_.Text4->setText(store::valueText(entry.title));
    form_.Wheretext->setEditText(store::valueText(entry.where));
    form_.WhatText->setEditText(store::valueText(entry.category));
}

void EntryEditing::fillBoxes(const store::DataSource& source)
{
    store::Entry entry;
    if (skipStep([&] { entry = store::readEntry(source); }))
        showInBoxes(entry);
}

bool EntryEditing::mayLeaveEntryFor(const QString& bookmark)
{
    if (form_.Frame5->isHidden() || bookmark.isEmpty() || bookmark == editedEntry_)
        return true;
    if (boxEntry() == storedBoxes_)
        return true;
    if (!form_.prompts.askYesNo(kProgramTitle, QStringLiteral("Store your changes to this entry before "
                                                              "another entry is shown?")))
        return true;
    return form_.SAVEADD->isHidden() ? storeChanges() : storeNewEntry();
}

void EntryEditing::editEntry(const store::DataSource& entry)
{
    fillBoxes(entry);
    skipStep([&] { editedEntry_ = entry.bookmark(); });
    skipStep([&] {
        form_.CMDDEL->show();
        form_.SAVEADD->hide();
        form_.SaveEdit->show();
    });
    markBoxesStored();
}

void EntryEditing::previewPicture(const QString& path)
{
    const QSize natural = controls::pictureSize(path);
    form_.Image8->show();
    form_.Image8->setStretch(true);
    form_.entryDisplay().applyLayout(natural);
    form_.Image8->load(path);
    form_.Image8->update();
}

void EntryEditing::CMDADD_Click()
{
    skipStep([&] {
        form_.CMDDEL->hide();
        form_.SaveEdit->hide();
        form_.SAVEADD->show();
    });
    skipStep([&] {
        form_.Text1->setText(dates::formatShort(form_.clock.today()));
        form_.Text2->clear();
        form_.Text3->clear();
        form_.Text4->clear();
        form_.Wheretext->setEditText(QString());
        form_.WhatText->setEditText(QString());
    });
    markBoxesStored(); // a new entry starts from these boxes
    const QString chosen = form_.pictureFiles().choosePicture(QStringLiteral("Save Image As"));
    if (chosen.isEmpty())
        return; // cancelled
    try {
        markBoxesStored();
        form_.Text1->show();
        form_.Text2->show();
        form_.Text4->show();
        previewPicture(chosen);
    } catch (const std::exception& error) {
        form_.prompts.tell(kProgramTitle, QString::fromUtf8(error.what()), MessageIcon::Critical);
    }
}

bool EntryEditing::checkDateAndTitle()
{
    if (!dates::isValidDate(form_.Text1->text())) {
        form_.prompts.tell(QString(), QStringLiteral("Please Enter a Valid Date"), MessageIcon::Exclamation);
        form_.Text1->setFocus();
        return false;
    }
    // Only an empty title is refused; blanks are a title.
    if (form_.Text4->text().isEmpty()) {
        form_.prompts.tell(QStringLiteral("Title"), QStringLiteral("Please Enter a Title"),
                           MessageIcon::Exclamation);
        form_.Text4->setFocus();
        return false;
    }
    return true;
}

void EntryEditing::tellFailure(const QString& what, const std::exception& error)
{
    form_.prompts.tell(kProgramTitle, what + QStringLiteral("\n\n") + QString::fromUtf8(error.what()),
                       MessageIcon::Critical);
}

void EntryEditing::SAVEADD_Click() { storeNewEntry(); }

bool EntryEditing::storeNewEntry()
{
    if (!checkDateAndTitle())
        return false;
    const store::Entry entry = boxEntry();

    store::DataSource& entries = form_.Data1;
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
        form_.Text1->show();
        form_.Text2->show();
        form_.Text4->show();
        form_.SAVEADD->hide();
        form_.SaveEdit->show();
        form_.folderThumbnails = false;
    });
    markBoxesStored();
    return true;
}

void EntryEditing::SaveEdit_Click() { storeChanges(); }

bool EntryEditing::storeChanges()
{
    if (editedEntry_.isEmpty()) {
        form_.prompts.tell(kProgramTitle,
                           QStringLiteral("There is no entry to store these changes in. Use Add "
                                          "to make a new entry."),
                           MessageIcon::Exclamation);
        return false;
    }
    if (!checkDateAndTitle())
        return false;
    const store::Entry entry = boxEntry();

    // The entry set normally holds the edited entry; a filtered list may hold it instead.
    store::DataSource* source = &form_.Data1;
    if (!source->hasBookmark(editedEntry_) && form_.entryList().filledFrom().hasBookmark(editedEntry_))
        source = &form_.entryList().filledFrom();
    try {
        source->setBookmark(editedEntry_);
        source->edit();
        // An emptied log box keeps the stored log.
        store::writeEntry(*source, entry, {.log = true});
        source->update();
    } catch (const store::RowGoneError& gone) {
        // The boxes keep what was typed; the list no longer offers the vanished entry.
        skipStep([&] { source->cancelUpdate(); });
        editedEntry_.clear();
        form_.prompts.tell(kProgramTitle, gone.message() + QStringLiteral(" Your changes were not stored."),
                           MessageIcon::Exclamation);
        form_.entryList().refillFromLastSource();
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
        form_.Text1->show();
        form_.Text2->show();
        form_.Text4->show();
    });
    markBoxesStored();
    return true;
}

void EntryEditing::CMDDEL_Click()
{
    const int line = form_.ListDB1->currentRow();
    const bool selected =
        line >= 0 && line < form_.lineBookmarks.size() && !form_.lineBookmarks[line].isEmpty();
    if (!selected) {
        form_.prompts.tell(kProgramTitle,
                           QStringLiteral("No entry is selected in the list, so nothing was deleted."),
                           MessageIcon::Exclamation);
    } else {
        try {
            // Positioning and deleting go together: when the line's entry cannot be found, no
            // other row is deleted in its place. The deleted line leaves the list, which keeps its
            // filter; no line is selected afterwards.
            const QString deleted = form_.lineBookmarks[line];
            form_.entryList().deleteLineEntry(line);
            if (deleted == editedEntry_)
                editedEntry_.clear();
        } catch (const std::exception& error) {
            tellFailure(QStringLiteral("The entry was not deleted."), error);
        }
    }
    skipStep([&] {
        form_.SAVEADD->hide();
        form_.SaveEdit->show();
    });
}

void EntryEditing::wheretext_DropDown()
{
    // The list shows every name of the name table once, however often it is opened.
    store::DataSource& names = form_.DataWhere;
    QStringList texts;
    if (!skipStep([&] {
            for (int row = 0; row < names.recordCount(); ++row) {
                const QVariant v = names.fieldAt(row, QStringLiteral("where"));
                texts << (v.isNull() ? QString() : v.toString());
            }
        }))
        return;
    QComboBox* combo = form_.Wheretext;
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    if (shown != texts)
        controls::refillCombo(combo, texts);
}

} // namespace wk::editing
