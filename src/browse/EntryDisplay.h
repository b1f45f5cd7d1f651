#pragma once
// Showing one scrapbook entry: its picture in the big image, its log and its who-or-where name.
// Also the rules every other view uses for picture names: the picture root kept in table
// cddrive, the "%" rule, the existence test and the landscape / portrait layouts.
#include "controls/Forward.h"
#include "contracts/BigPicture.h"

#include <QSize>
#include <QString>
#include <functional>

namespace wk::browse {

// What showing an entry works on.
struct EntryDisplayParts {
    QGroupBox* bigPictureFrame;
    controls::ImageControl* bigImage;
    QPlainTextEdit* logEdit;
    QLabel* entryNameLabel;
    store::DataSource& pictureDisc;
    contracts::PictureRoot& pictureRoot;
    contracts::StripState& strip;
    const QString& programDirectory;
    controls::Prompts& prompts;
};

class EntryDisplay : public contracts::BigPicture {
public:
    explicit EntryDisplay(const EntryDisplayParts& parts);

    // Picture root upkeep: reads cddrive; while its `new` flag is "Y", either confirms the
    // disc (the folder "bmp" exists under the root) or opens the CD drive window.
    void refreshPictureRoot();

    // The file a stored picture name stands for: a leading "%" is replaced by the picture
    // root (joined exactly as they are), "\" separators are accepted, relative names are
    // taken from programDirectory. Empty for an empty name.
    QString resolvePictureName(const QString& stored) const override;

    // Sets the big picture's layout for a picture of this natural size: landscape for wider
    // than high, portrait for higher than wide, unchanged for square.
    void applyLayout(QSize natural);
    void setPortraitLayout();
    // Resolves `stored`, sets the layout and loads it into bigImage; clears bigImage for an empty
    // name. A picture that is not there, or cannot be read, shows a notice that says why (the
    // picture disc is not inserted, the file is not found, the reason it cannot be shown)
    // instead of any picture; one whose size cannot be read sets portrait.
    void showPicture(const QString& stored);

    // The width rule of the strip and the listing: a landscape picture widens a 2400 wide big
    // picture to 4695, a portrait one narrows a 4695 wide one to 2400; other widths stay, and
    // the frame around it is left alone.
    void applyStripWidthRule(QSize natural);
    // Shows the picture file `path` (already resolved) with that width rule; clears bigImage
    // when `path` is empty or no such file exists.
    void showWithStripWidthRule(const QString& path) override;
    // Shows the file `path` stretched with the layout of its shape; throws when it cannot be read.
    void previewPicture(const QString& path) override;

    // Log, big picture and who-or-where name of the current row of `source`.
    void showCurrentEntry(store::DataSource& source);

    // Opens the CD drive window without waiting for it (set by the window's wiring).
    std::function<void()> openPictureDiscWindow;

private:
    void setImageWidthCleared(int widthTwips);

    EntryDisplayParts parts_;
    bool discNoteRefused_ = false; // told once a run: the scrapbook could not note the found disc
};

} // namespace wk::browse
