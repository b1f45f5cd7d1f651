#pragma once
// The strip arrows: CMDFWD drops the leftmost thumbnail and brings in the next picture on the
// right, CMDREV does the opposite; at either end of the source list the arrow clicked turns
// into its stop marker (FWDSTOP, REVSTOP). The source is the picture file list File1 while the
// strip holds a folder's pictures (folder thumbnails), otherwise the entry list ListDB1.
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
    std::array<controls::ImageControl*, 8> Image; // Image[1]..Image[7]
    controls::ImageControl* CMDFWD;
    controls::ImageControl* CMDREV;
    controls::ImageControl* FWDSTOP;
    controls::ImageControl* REVSTOP;
    controls::LineList* ListDB1;
    const controls::LineBookmarks& lineBookmarks;
    std::array<QString, 8>& stripBookmarks;
    int& stripFirstIndex;
    int& stripLastIndex;
    const bool& folderThumbnails;
    contracts::EntryLines& entryLines;
    contracts::PictureFolder& pictureFolder;
};

class StripStepping : public QObject, public contracts::StripArrows {
    Q_OBJECT
public:
    explicit StripStepping(const StripParts& parts);

    void CMDFWD_Click();
    void CMDREV_Click();
    // Hides the two arrows and both stop markers.
    void hideArrows() override;

private:
    bool folderShown() const;
    int sourceCount() const;
    // Positions the entry set on the entry of line `index` and returns the picture the strip
    // shows for that index; `slotText` gets what stripBookmarks keeps for it.
    QString pictureAt(int index, QString& slotText);
    void showSlots(bool show);

    StripParts parts_;
};

} // namespace wk::strip
