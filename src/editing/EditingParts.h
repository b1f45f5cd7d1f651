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
    QGroupBox* editScreenPanel; // the Edit Screen panel
    QLineEdit* dateEdit;        // date
    QLineEdit* pictureEdit;     // picture file
    QPlainTextEdit* logEdit;    // log
    QLineEdit* titleEdit;       // title
    controls::DropDownCombo* nameCombo;
    QComboBox* categoryCombo;
    QPushButton* addButton;
    QPushButton* saveNewButton;
    QPushButton* saveChangesButton;
    QPushButton* deleteButton;
    QPushButton* thumbnailsButton; // "Thumbnails"
    QPushButton* mergeButton;
    controls::FolderList* folderPictures;
    controls::FolderList* cameraNumbers;
    controls::LineList* entryList;
    std::array<controls::ImageControl*, 8> stripSlots; // the strip's slots [1]..[7]
    controls::ImageControl* forwardArrow;
    controls::ImageControl* backArrow;
    store::DataSource& entries;
    store::DataSource& nameTable;
    controls::LineBookmarks& lineBookmarks;
    std::array<QString, 8>& stripBookmarks;
    int& stripFirstIndex;
    int& stripLastIndex;
    bool& folderThumbnails;
    controls::Prompts& prompts;
    const store::Clock& clock;
    contracts::BigPicture& bigPicture;
    contracts::EntryLines& entryLines;
};

} // namespace wk::editing
