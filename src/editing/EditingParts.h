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
    QGroupBox* Frame5;     // the Edit Screen panel
    QLineEdit* Text1;      // date
    QLineEdit* Text2;      // picture file
    QPlainTextEdit* Text3; // log
    QLineEdit* Text4;      // title
    controls::DropDownCombo* Wheretext;
    QComboBox* WhatText;
    QPushButton* CMDADD;
    QPushButton* SAVEADD;
    QPushButton* SaveEdit;
    QPushButton* CMDDEL;
    QPushButton* Command1; // "Thumbnails"
    QPushButton* CMDMerge;
    controls::FolderList* File1;
    controls::FolderList* File2;
    controls::LineList* ListDB1;
    std::array<controls::ImageControl*, 8> Image; // the strip's slots [1]..[7]
    controls::ImageControl* CMDFWD;
    controls::ImageControl* CMDREV;
    store::DataSource& Data1;
    store::DataSource& DataWhere;
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
