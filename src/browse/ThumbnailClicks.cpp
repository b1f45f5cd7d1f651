#include "contracts/StripState.h"
#include "browse/ThumbnailClicks.h"

#include "browse/EntryDisplay.h"
#include "browse/EnlargedViewer.h"
#include "browse/VideoViewer.h"
#include "controls/FolderFiles.h"
#include "controls/ImageControl.h"
#include "controls/Steps.h"
#include "store/DataSource.h"
#include "store/Entry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace wk::browse {

using controls::skipStep;

ThumbnailClicks::ThumbnailClicks(const ThumbnailClicksParts& parts) : parts_(parts)
{
    for (int k = 1; k <= 7; ++k)
        connect(parts_.stripSlots[k], &controls::ImageControl::clicked, this,
                [this, k] { clickStripSlot(k); });
    connect(parts_.bigImage, &controls::ImageControl::clicked, this, &ThumbnailClicks::openEnlargedViewer);
    connect(parts_.bigImage, &controls::ImageControl::doubleClicked, this,
            &ThumbnailClicks::doubleClickBigPicture);
}

ThumbnailClicks::~ThumbnailClicks()
{
    // A hidden viewer must not outlive the window it returns to.
    delete viewer_.data();
    delete videoViewer_.data();
}

void ThumbnailClicks::clickStripSlot(int k)
{
    controls::ImageControl* thumbnail = parts_.stripSlots[k];
    controls::ImageControl* big = parts_.bigImage;
    // While the edit screen is shown, the clicked entry becomes the edited one; changes not yet
    // stored are offered for storing first, and a refused save leaves everything as it was.
    const QString& slotText = parts_.strip.slot(k);
    const QString slotEntry =
        !parts_.strip.showsFolder() && parts_.entries.hasBookmark(slotText) ? slotText : QString();
    if (!parts_.editor.mayLeaveEntryFor(slotEntry))
        return;
    skipStep([&] {
        if (parts_.strip.showsFolder())
            parts_.pictureEdit->setText(parts_.strip.slot(k));
    });
    // An empty slot has no size and matches neither shape.
    skipStep([&] { parts_.display.applyStripWidthRule(thumbnail->picture().naturalSize); });
    // Decoded again from its file for the big picture's size: the thumbnail's small copy would
    // be blurred there. A file that can no longer be read leaves that copy shown instead.
    skipStep([&] {
        const controls::Picture& slotPicture = thumbnail->picture();
        if (slotPicture.file.isEmpty() || !skipStep([&] { big->load(slotPicture.file); }))
            big->setPicture(slotPicture);
    });
    // A slot filled from a folder holds a file name, which is no bookmark: the entry set then
    // stays where it was and the log below is that entry's.
    skipStep([&] { parts_.entries.setBookmark(parts_.strip.slot(k)); });
    skipStep([&] { parts_.logEdit->setPlainText(store::fieldText(parts_.entries, store::kLogField)); });
    if (!slotEntry.isEmpty() && !parts_.editScreenPanel->isHidden() && parts_.entries.bookmark() == slotEntry)
        parts_.editor.editEntry(parts_.entries);
}

EnlargedViewer* ThumbnailClicks::viewer() const { return viewer_; }

VideoViewer* ThumbnailClicks::videoViewer() const { return videoViewer_; }

bool ThumbnailClicks::viewerShown() const
{
    return (viewer_ && viewer_->isVisible()) || (videoViewer_ && videoViewer_->isVisible());
}

void ThumbnailClicks::openEnlargedViewer()
{
    const controls::Picture& shown = parts_.bigImage->picture();
    if (!shown.file.isEmpty() && controls::isVideoFile(shown.file))
        VideoViewer::open(videoViewer_, parts_.window, shown.file, shown.image);
    else
        EnlargedViewer::open(viewer_, parts_.window, shown);
}

void ThumbnailClicks::doubleClickBigPicture()
{
    parts_.bigImage->setStretch(true);
    parts_.bigImage->show();
}

} // namespace wk::browse
