#pragma once
// Clicks on the thumbnail strip and on the big picture. A thumbnail click shows the slot's
// picture in the big image (widening or narrowing it between the strip's two layout widths),
// makes the slot's entry current and shows its log; with the folder list shown it also hands
// the slot's file name to the picture box of the edit area. A click on the big picture opens
// the enlarged viewer, which this object keeps loaded between openings, or for a video the video
// viewer, which plays it.
#include "controls/Forward.h"
#include "contracts/EntryEditor.h"
#include "contracts/ViewerState.h"

#include <QObject>
#include <QPointer>
#include <array>

namespace wk::browse {

class EntryDisplay;
class EnlargedViewer;
class VideoViewer;

// What the strip and big-picture clicks work on.
struct ThumbnailClicksParts {
    QWidget* window;                                   // the main window, which the viewer stands in for
    std::array<controls::ImageControl*, 8> stripSlots; // Image[1]..Image[7]
    controls::ImageControl* bigImage;
    QPlainTextEdit* logEdit;
    QLineEdit* pictureEdit;
    QGroupBox* editScreenPanel;
    store::DataSource& entries;
    const contracts::StripState& strip;
    EntryDisplay& display;
    contracts::EntryEditor& editor;
};

class ThumbnailClicks : public QObject, public contracts::ViewerState {
    Q_OBJECT
public:
    explicit ThumbnailClicks(const ThumbnailClicksParts& parts);
    ~ThumbnailClicks() override;

    // Slot k of 1..7.
    void clickStripSlot(int k);

    void openEnlargedViewer();
    void doubleClickBigPicture();

    // The enlarged viewer while it is loaded; null before the first opening and after it closed.
    EnlargedViewer* viewer() const;
    // The video viewer while it is open; null otherwise.
    VideoViewer* videoViewer() const;
    bool viewerShown() const override;

private:
    ThumbnailClicksParts parts_;
    QPointer<EnlargedViewer> viewer_;
    QPointer<VideoViewer> videoViewer_;
};

} // namespace wk::browse
