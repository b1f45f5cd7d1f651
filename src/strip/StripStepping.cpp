#include "strip/StripStepping.h"

#include "browse/EntryList.h"
#include "controls/FolderList.h"
#include "controls/ImageControl.h"
#include "controls/Steps.h"
#include "editing/PictureFiles.h"
#include "shell/Mtform1.h"
#include "strip/StripSlots.h"

#include <QListWidget>

namespace wk::strip {

using controls::skipStep;

StripStepping::StripStepping(shell::Mtform1& form) : QObject(&form), form_(form)
{
    connect(form_.CMDFWD, &controls::ImageControl::clicked, this, &StripStepping::CMDFWD_Click);
    connect(form_.CMDREV, &controls::ImageControl::clicked, this, &StripStepping::CMDREV_Click);
}

bool StripStepping::folderShown() const { return form_.folderThumbnails; }

int StripStepping::sourceCount() const
{
    return folderShown() ? form_.pictureFiles().file1Count() : form_.ListDB1->count();
}

QString StripStepping::pictureAt(int index, QString& slotText)
{
    slotText = index >= 0 && index < form_.lineBookmarks.size() ? form_.lineBookmarks[index] : QString();
    QString picture;
    if (!folderShown()) {
        skipStep([&] { picture = pictureOfLine(form_, index); });
        return picture;
    }
    // The entry set follows the line as well, though the picture comes from the folder.
    skipStep([&] { form_.entryList().positionOnLine(index); });
    // A folder slot keeps its file, so a click on it can hand the file to the picture box.
    slotText = form_.pictureFiles().file1Path(index);
    return slotText;
}

void StripStepping::showSlots(bool show)
{
    for (int k = 7; k >= 1; --k)
        form_.Image[size_t(k)]->setVisible(show);
    form_.CMDFWD->setVisible(show);
    form_.CMDREV->setVisible(show);
}

void StripStepping::CMDFWD_Click()
{
    const int p = form_.stripLastIndex;
    if (p == sourceCount() - 1) {
        form_.CMDFWD->hide();
        form_.FWDSTOP->show();
        return;
    }
    QString slotText;
    const QString picture = pictureAt(p + 1, slotText);
    form_.stripLastIndex = p + 1;
    form_.stripFirstIndex = form_.stripFirstIndex + 1;
    showSlots(false);
    for (int k = 1; k <= 6; ++k) {
        form_.Image[size_t(k)]->setPicture(form_.Image[size_t(k + 1)]->picture());
        form_.stripBookmarks[size_t(k)] = form_.stripBookmarks[size_t(k + 1)];
    }
    loadSlot(form_.Image[7], picture);
    form_.stripBookmarks[7] = slotText;
    showSlots(true);
    form_.REVSTOP->hide();
}

void StripStepping::CMDREV_Click()
{
    const int q = form_.stripFirstIndex;
    if (q == 0) {
        form_.CMDREV->hide();
        form_.REVSTOP->show();
        return;
    }
    QString slotText;
    const QString picture = pictureAt(q - 1, slotText);
    form_.stripFirstIndex = q - 1;
    form_.stripLastIndex = form_.stripLastIndex - 1;
    showSlots(false);
    for (int k = 7; k >= 2; --k) {
        form_.Image[size_t(k)]->setPicture(form_.Image[size_t(k - 1)]->picture());
        form_.stripBookmarks[size_t(k)] = form_.stripBookmarks[size_t(k - 1)];
    }
    loadSlot(form_.Image[1], picture);
    form_.stripBookmarks[1] = slotText;
    showSlots(true);
    form_.FWDSTOP->hide();
}

} // namespace wk::strip
