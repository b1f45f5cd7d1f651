#include "contracts/StripState.h"
#include "strip/StripStepping.h"

#include "contracts/EntryLines.h"
#include "contracts/PictureFolder.h"
#include "controls/FolderFiles.h"
#include "controls/ImageControl.h"
#include "controls/Steps.h"

#include "controls/LineBookmarks.h"
#include "controls/LineList.h"
#include <QListWidget>

namespace wk::strip {

using controls::skipStep;

StripStepping::StripStepping(const StripParts& parts) : parts_(parts)
{
    connect(parts_.forwardArrow, &controls::ImageControl::clicked, this, &StripStepping::stepStripForward);
    connect(parts_.backArrow, &controls::ImageControl::clicked, this, &StripStepping::stepStripBack);
}

bool StripStepping::folderShown() const { return parts_.strip.showsFolder(); }

int StripStepping::sourceCount() const
{
    return folderShown() ? parts_.pictureFolder.listedCount() : parts_.entryList->count();
}

QString StripStepping::pictureAt(int index, QString& slotText)
{
    slotText = index >= 0 && index < parts_.lineBookmarks.size() ? parts_.lineBookmarks[index] : QString();
    QString picture;
    if (!folderShown()) {
        skipStep([&] { picture = parts_.entryLines.pictureOfLine(index); });
        return picture;
    }
    // The entry set follows the line as well, though the picture comes from the folder.
    skipStep([&] { parts_.entryLines.positionOnLine(index); });
    // A folder slot keeps its file, so a click on it can hand the file to the picture box.
    slotText = parts_.pictureFolder.listedPath(index);
    return slotText;
}

void StripStepping::showSlots(bool show)
{
    for (int k = 7; k >= 1; --k)
        parts_.stripSlots[size_t(k)]->setVisible(show);
    parts_.forwardArrow->setVisible(show);
    parts_.backArrow->setVisible(show);
}

void StripStepping::stepStripForward()
{
    const int p = parts_.strip.lastLine;
    if (p == sourceCount() - 1) {
        parts_.forwardArrow->hide();
        parts_.forwardStop->show();
        return;
    }
    QString slotText;
    const QString picture = pictureAt(p + 1, slotText);
    parts_.strip.lastLine = p + 1;
    parts_.strip.firstLine = parts_.strip.firstLine + 1;
    showSlots(false);
    for (int k = 1; k <= 6; ++k) {
        parts_.stripSlots[size_t(k)]->setPicture(parts_.stripSlots[size_t(k + 1)]->picture());
        parts_.strip.slot(k) = parts_.strip.slot(k + 1);
    }
    controls::loadThumbnail(parts_.stripSlots[7], picture);
    parts_.strip.slot(7) = slotText;
    showSlots(true);
    parts_.backStop->hide();
}

void StripStepping::stepStripBack()
{
    const int q = parts_.strip.firstLine;
    if (q == 0) {
        parts_.backArrow->hide();
        parts_.backStop->show();
        return;
    }
    QString slotText;
    const QString picture = pictureAt(q - 1, slotText);
    parts_.strip.firstLine = q - 1;
    parts_.strip.lastLine = parts_.strip.lastLine - 1;
    showSlots(false);
    for (int k = 7; k >= 2; --k) {
        parts_.stripSlots[size_t(k)]->setPicture(parts_.stripSlots[size_t(k - 1)]->picture());
        parts_.strip.slot(k) = parts_.strip.slot(k - 1);
    }
    controls::loadThumbnail(parts_.stripSlots[1], picture);
    parts_.strip.slot(1) = slotText;
    showSlots(true);
    parts_.forwardStop->hide();
}

void StripStepping::hideArrows()
{
    for (controls::ImageControl* arrow :
         {parts_.forwardArrow, parts_.backArrow, parts_.backStop, parts_.forwardStop})
        arrow->hide();
}

} // namespace wk::strip
