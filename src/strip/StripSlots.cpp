#include "strip/StripSlots.h"

#include "browse/EntryDisplay.h"
#include "browse/EntryList.h"
#include "controls/ImageControl.h"
#include "controls/Steps.h"
#include "shell/Mtform1.h"
#include "store/Entry.h"

namespace wk::strip {

QString pictureOfLine(shell::Mtform1& form, int line)
{
    store::DataSource& entry = form.entryList().positionOnLine(line);
    return form.entryDisplay().resolvePictureName(browse::fieldText(entry, store::kPictureField));
}

void loadSlot(controls::ImageControl* slot, const QString& file)
{
    slot->setStretch(true);
    if (file.isEmpty() || !controls::skipStep([&] { slot->load(file); }))
        slot->clear();
    slot->update();
}

void hideArrows(shell::Mtform1& form)
{
    for (QWidget* arrow : {static_cast<QWidget*>(form.CMDFWD), static_cast<QWidget*>(form.CMDREV),
                           static_cast<QWidget*>(form.REVSTOP), static_cast<QWidget*>(form.FWDSTOP)})
        arrow->hide();
}

} // namespace wk::strip
