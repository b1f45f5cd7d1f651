#pragma once
// What the Edit Screen works on: its boxes and buttons, the hidden folder listings, the strip it
// fills with a folder's pictures, the entry sets it writes and the operations of other
// subsystems it calls. The main window fills it once.
#include "controls/Forward.h"

#include <QString>
#include <QStringList>
#include <array>

namespace wk::editing {

struct EditingParts {
    QGroupBox* editScreenPanel;
    QLineEdit* dateEdit;
    QLineEdit* pictureEdit;
    QPlainTextEdit* logEdit;
    QLineEdit* titleEdit;
    controls::DropDownCombo* nameCombo;
    QComboBox* categoryCombo;
    QPushButton* addButton;
    QPushButton* saveNewButton;
    QPushButton* saveChangesButton;
    QPushButton* deleteButton;
    QPushButton* thumbnailsButton;
    QPushButton* mergeButton;
    controls::LineList* entryList;
    std::array<controls::ImageControl*, 8> stripSlots; // the strip's slots [1]..[7]
    controls::ImageControl* forwardArrow;
    controls::ImageControl* backArrow;
    store::DataSource& entries;
    store::DataSource& nameTable;
    controls::LineBookmarks& lineBookmarks;
    contracts::StripState& strip;
    controls::Prompts& prompts;
    const store::Clock& clock;
    const QString& programDirectory; // where the camera files' "PB" numbers are read
    contracts::BigPicture& bigPicture;
    contracts::EntryLines& entryLines;
};

} // namespace wk::editing
