#pragma once
// Every control of the main window, by what it is. Each widget's objectName is its name in the
// window's design (set where MainWindow::createControls makes it, beside the name here); tools
// and tests find widgets by that name. The main window fills this once and hands each subsystem
// the controls it works on.
#include "controls/Forward.h"

#include <array>

namespace wk::shell {

struct MainWindowWidgets {
    // --- thumbnail strip ---------------------------------------------------------------------
    QGroupBox* stripFrame = nullptr;
    std::array<controls::ImageControl*, 8> stripSlots{}; // [1]..[7]: Image1..Image7
    controls::ImageControl* forwardArrow = nullptr;
    controls::ImageControl* backArrow = nullptr;
    controls::ImageControl* forwardStop = nullptr;
    controls::ImageControl* backStop = nullptr;
    controls::PictureButton* timelineButton = nullptr;

    // --- big picture, log, calendar switch ---------------------------------------------------
    QGroupBox* bigPictureFrame = nullptr;
    controls::ImageControl* bigImage = nullptr;
    QPlainTextEdit* logEdit = nullptr;
    controls::PictureButton* calendarButton = nullptr;

    // --- calendar ------------------------------------------------------------------------------
    QGroupBox* calendarFrame = nullptr;
    QLabel* monthLabel = nullptr;
    QLabel* yearLabel = nullptr;
    QScrollBar* monthScroller = nullptr;
    QScrollBar* yearScroller = nullptr;
    std::array<QLabel*, 8> weekdayLabels{};  // [1]..[7]: Label1..Label7
    std::array<QListWidget*, 43> dayCells{}; // [1]..[42]: List1(1)..List1(42)
    QTableView* dayGrid = nullptr;
    QPushButton* dayListBackButton = nullptr;
    QLabel* dayListLabel = nullptr;

    // --- Main Screen panel -------------------------------------------------------------------
    QGroupBox* mainScreenPanel = nullptr;
    QLineEdit* searchBox = nullptr;
    controls::LineList* entryList = nullptr;
    std::array<QRadioButton*, 6> categoryButtons{}; // [1]..[5]: SSOption1..SSOption5
    QButtonGroup* categoryGroup = nullptr;
    QPushButton* allPicturesButton = nullptr;
    QListWidget* nameList = nullptr;

    // --- Edit Screen panel -------------------------------------------------------------------
    QGroupBox* editScreenPanel = nullptr;
    QLabel* pictureLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* nameLabel = nullptr;
    QLabel* dateLabel = nullptr;
    QLabel* categoryLabel = nullptr;
    QLineEdit* pictureEdit = nullptr;
    QLineEdit* titleEdit = nullptr;
    controls::DropDownCombo* nameCombo = nullptr; // fills its list as it opens
    QLineEdit* dateEdit = nullptr;
    QComboBox* categoryCombo = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* saveNewButton = nullptr;
    QPushButton* saveChangesButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* thumbnailsButton = nullptr;
    QPushButton* nameListButton = nullptr; // opens the tables window
    QPushButton* discDriveButton = nullptr;
    QPushButton* mergeButton = nullptr;
    QPushButton* scanButton = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* serverButton = nullptr; // opens a scrapbook on the family server
    // Chooses this computer's folder for a server scrapbook's pictures; hidden for a file.
    QPushButton* pictureFolderButton = nullptr;

    // --- List by Date panel ------------------------------------------------------------------
    QGroupBox* listingPanel = nullptr;
    controls::LineList* dateList = nullptr;
    QLabel* entryNameLabel = nullptr;
    QLabel* entryDateLabel = nullptr;

    // --- bottom row ----------------------------------------------------------------------------
    QPushButton* quitButton = nullptr;
    QPushButton* helpButton = nullptr;
    controls::PictureButton* printCheck = nullptr;
    controls::PictureButton* kidsGuideCheck = nullptr;
    controls::PictureButton* slideshowButton = nullptr; // F5 too
    controls::PictureButton* editScreenButton = nullptr;
    controls::PictureButton* listByDateButton = nullptr;
    controls::PictureButton* mainScreenButton = nullptr;
    QButtonGroup* screenGroup = nullptr;
};

} // namespace wk::shell
