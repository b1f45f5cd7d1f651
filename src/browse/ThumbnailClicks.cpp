#include "browse/ThumbnailClicks.h"

#include "browse/EntryDisplay.h"
#include "browse/MTForm3.h"
#include "controls/FolderList.h"
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
        connect(parts_.Image[k], &controls::ImageControl::clicked, this, [this, k] { Image_Click(k); });
    connect(parts_.Image8, &controls::ImageControl::clicked, this, &ThumbnailClicks::Image8_Click);
    connect(parts_.Image8, &controls::ImageControl::doubleClicked, this, &ThumbnailClicks::Image8_DblClick);
    connect(parts_.Image8, &controls::ImageControl::mouseMoved, this, &ThumbnailClicks::Image8_MouseMove);
}

ThumbnailClicks::~ThumbnailClicks()
{
    delete viewer_.data(); // a hidden viewer must not outlive the window it returns to
}

void ThumbnailClicks::Image_Click(int k)
{
    controls::ImageControl* thumbnail = parts_.Image[k];
    controls::ImageControl* big = parts_.Image8;
    // While the edit screen is shown, the clicked entry becomes the edited one; changes not yet
    // stored are offered for storing first, and a refused save leaves everything as it was.
    const QString& slotText = parts_.stripBookmarks[k];
    const QString slotEntry =
        !parts_.folderThumbnails && parts_.Data1.hasBookmark(slotText) ? slotText : QString();
    if (!parts_.editor.mayLeaveEntryFor(slotEntry))
        return;
    skipStep([&] {
        if (parts_.folderThumbnails)
            parts_.Text2->setText(parts_.stripBookmarks[k]);
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
    skipStep([&] { parts_.Data1.setBookmark(parts_.stripBookmarks[k]); });
    skipStep([&] { parts_.Text3->setPlainText(store::fieldText(parts_.Data1, store::kLogField)); });
    if (!slotEntry.isEmpty() && !parts_.Frame5->isHidden() && parts_.Data1.bookmark() == slotEntry)
        parts_.editor.editEntry(parts_.Data1);
}

MTForm3* ThumbnailClicks::viewer() const { return viewer_; }

bool ThumbnailClicks::viewerShown() const { return viewer_ && viewer_->isVisible(); }

void ThumbnailClicks::Image8_Click() { MTForm3::open(viewer_, parts_.window, parts_.Image8->picture()); }

void ThumbnailClicks::Image8_DblClick()
{
    parts_.Image8->setStretch(true);
    parts_.Image8->show();
}

} // namespace wk::browse
