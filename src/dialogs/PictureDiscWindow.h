#pragma once
// "CD-Rom Drive Setup": shows and changes the folder (or drive) where the picture disc is
// found, kept in the one row of table cddrive. Every way of closing the window saves it.
#include "controls/Forward.h"

#include <QPointer>
#include <QWidget>
#include <optional>

namespace wk::dialogs {

// What the disc window works on.
struct PictureDiscParts {
    QWidget* window; // the main window, which owns this one
    store::DataSource& pictureDisc;
    contracts::PictureRoot& pictureRoot;
    controls::Prompts& prompts;
};

class PictureDiscWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window (creating it when it is not open) with the focus in folderEdit.
    static PictureDiscWindow* open(const PictureDiscParts& parts);

    explicit PictureDiscWindow(const PictureDiscParts& parts);

    void load();
    void followFolderText();
    void confirmFolder();

    QLabel* promptLabel = nullptr;
    QLineEdit* folderEdit = nullptr;
    QPushButton* okButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override; // unload

private:
    bool save();

    PictureDiscParts parts_;
    bool saved_ = false;
    std::optional<QString> refusedText_;
};

// Upper-cases a bare drive letter ("e" or "e:"); any other text (a folder) keeps its case.
QString normaliseDiscText(const QString& text);

} // namespace wk::dialogs
