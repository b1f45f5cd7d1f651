#pragma once
// Clicks on the thumbnail strip and on the big picture. A thumbnail click shows the slot's
// picture in the big image (widening or narrowing it between the strip's two layout widths),
// makes the slot's entry current and shows its log; with the folder list shown it also hands
// the slot's file name to the picture box of the edit area. A click on the big picture opens
// the enlarged viewer, which this object keeps loaded between openings.
#include "controls/Forward.h"
#include "contracts/EntryEditor.h"
#include "contracts/ViewerState.h"

#include <QObject>
#include <QPointer>
#include <array>

namespace wk::browse {

class EntryDisplay;
class MTForm3;

// What the strip and big-picture clicks work on.
struct ThumbnailClicksParts {
    QWidget* window;                              // the main window, which the viewer stands in for
    std::array<controls::ImageControl*, 8> Image; // Image[1]..Image[7]
    controls::ImageControl* Image8;
    QPlainTextEdit* Text3;
    QLineEdit* Text2;
    QGroupBox* Frame5; // the Edit Screen panel
    store::DataSource& Data1;
    const std::array<QString, 8>& stripBookmarks;
    const bool& folderThumbnails;
    EntryDisplay& display;
    contracts::EntryEditor& editor;
};

class ThumbnailClicks : public QObject, public contracts::ViewerState {
    Q_OBJECT
public:
    explicit ThumbnailClicks(const ThumbnailClicksParts& parts);
    ~ThumbnailClicks() override;

    // Slot k of 1..7.
    void Image_Click(int k);
    void Image1_Click() { Image_Click(1); }
    void Image2_Click() { Image_Click(2); }
    void Image3_Click() { Image_Click(3); }
    void Image4_Click() { Image_Click(4); }
    void Image5_Click() { Image_Click(5); }
    void Image6_Click() { Image_Click(6); }
    void Image7_Click() { Image_Click(7); }

    void Image8_Click();
    void Image8_DblClick();
    void Image8_MouseMove() {}

    // The enlarged viewer while it is loaded; null before the first opening and after it closed.
    MTForm3* viewer() const;
    bool viewerShown() const override;

private:
    ThumbnailClicksParts parts_;
    QPointer<MTForm3> viewer_;
};

} // namespace wk::browse
