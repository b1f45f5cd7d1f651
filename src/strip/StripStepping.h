#pragma once
// The strip arrows: forwardArrow drops the leftmost thumbnail and brings in the next picture on the
// right, backArrow does the opposite; at either end of the source list the arrow clicked turns
// into its stop marker (forwardStop, backStop). The source is the picture file list folderPictures while the
// strip holds a folder's pictures (folder thumbnails), otherwise the entry list entryList.
//
// Front door: StripStepping, created by the main window. It may call contracts/, controls/ and
// store/; it implements contracts::StripArrows for the filters and the TimeLine switch.
#include "controls/Forward.h"
#include "contracts/StripArrows.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <QString>

namespace wk::strip {

// What the strip arrows work on.
struct StripParts {
    std::array<controls::ImageControl*, 8> stripSlots; // Image[1]..Image[7]
    controls::ImageControl* forwardArrow;
    controls::ImageControl* backArrow;
    controls::ImageControl* forwardStop;
    controls::ImageControl* backStop;
    controls::LineList* entryList;
    const controls::LineBookmarks& lineBookmarks;
    contracts::StripState& strip;
    contracts::EntryLines& entryLines;
    contracts::PictureFolder& pictureFolder;
};

class StripStepping : public QObject, public contracts::StripArrows {
    Q_OBJECT
public:
    explicit StripStepping(const StripParts& parts);

    void stepStripForward();
    void stepStripBack();
    // Hides the two arrows and both stop markers.
    void hideArrows() override;

private:
    bool folderShown() const;
    int sourceCount() const;
    // Positions the entry set on the entry of line `index` and returns the picture the strip
    // shows for that index; `slotText` gets what the strip keeps in its slot.
    QString pictureAt(int index, QString& slotText);
    void showSlots(bool show);

    StripParts parts_;
};

} // namespace wk::strip
