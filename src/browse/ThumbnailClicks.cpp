#include "browse/ThumbnailClicks.h"

#include "browse/EntryDisplay.h"
#include "browse/MTForm3.h"
#include "controls/FolderList.h"
#include "controls/ImageControl.h"
#include "controls/Steps.h"
#include "editing/EntryEditing.h"
#include "shell/Mtform1.h"
#include "store/Entry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace wk::browse {

using controls::skipStep;

ThumbnailClicks::ThumbnailClicks(shell::Mtform1& form) : QObject(&form), form_(form)
{
    for (int k = 1; k <= 7; ++k)
        connect(form_.Image[k], &controls::ImageControl::clicked, this, [this, k] { Image_Click(k); });
    connect(form_.Image8, &controls::ImageControl::clicked, this, &ThumbnailClicks::Image8_Click);
    connect(form_.Image8, &controls::ImageControl::doubleClicked, this, &ThumbnailClicks::Image8_DblClick);
    connect(form_.Image8, &controls::ImageControl::mouseMoved, this, &ThumbnailClicks::Image8_MouseMove);
}

ThumbnailClicks::~ThumbnailClicks()
{
    delete viewer_.data(); // a hidden viewer must not outlive the window it returns to
}

void ThumbnailClicks::Image_Click(int k)
{
    controls::ImageControl* thumbnail = form_.Image[k];
    controls::ImageControl* big = form_.Image8;
    // While the edit screen is shown, the clicked entry becomes the edited one; changes not yet
    // stored are offered for storing first, and a refused save leaves everything as it was.
    const QString& slotText = form_.stripBookmarks[k];
    const QString slotEntry =
        !form_.folderThumbnails && form_.Data1.hasBookmark(slotText) ? slotText : QString();
    if (!form_.editing().mayLeaveEntryFor(slotEntry))
        return;
    skipStep([&] {
        if (form_.folderThumbnails)
            form_.Text2->setText(form_.stripBookmarks[k]);
    });
    // An empty slot has no size and matches neither shape.
    skipStep([&] { form_.entryDisplay().applyStripWidthRule(thumbnail->picture().naturalSize); });
    // The thumbnail's own decoded copy: the file is not read again. It keeps its file name, so
    // the enlarged viewer can still read the picture at full size.
    skipStep([&] { big->setPicture(thumbnail->picture()); });
    // A slot filled from a folder holds a file name, which is no bookmark: the entry set then
    // stays where it was and the log below is that entry's.
    skipStep([&] { form_.Data1.setBookmark(form_.stripBookmarks[k]); });
    skipStep([&] { form_.Text3->setPlainText(fieldText(form_.Data1, store::kLogField)); });
    if (!slotEntry.isEmpty() && !form_.Frame5->isHidden() && form_.Data1.bookmark() == slotEntry)
        form_.editing().editEntry(form_.Data1);
}

MTForm3* ThumbnailClicks::viewer() const { return viewer_; }

void ThumbnailClicks::Image8_Click() { MTForm3::open(viewer_, &form_, form_.Image8->picture()); }

void ThumbnailClicks::Image8_DblClick()
{
    form_.Image8->setStretch(true);
    form_.Image8->show();
}

} // namespace wk::browse
