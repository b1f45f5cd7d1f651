#include "shell/ScreenModes.h"

#include "browse/Browse.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "editing/Editing.h"
#include "shell/Mtform1.h"
#include "store/Entry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include "controls/LineList.h"
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace wk::shell {

using controls::skipStep;
using store::fieldText;

ScreenModes::ScreenModes(Mtform1& form) : form_(form)
{
    connect(form_.Option1, &QAbstractButton::clicked, this, &ScreenModes::Option1_Click);
    connect(form_.Option3, &QAbstractButton::clicked, this, &ScreenModes::Option3_Click);
}

void ScreenModes::Option1_Click()
{
    if (!form_.Option1->isChecked())
        return;
    showMainScreen();
}

void ScreenModes::showMainScreen()
{
    store::DataSource& entries = form_.Data1;
    browse::EntryDisplay& display = form_.entryDisplay();
    skipStep([&] {
        form_.Frame1->show();
        form_.Frame5->hide();
        form_.FrameMytrip->hide();
        form_.Option3->setEnabled(true);
    });
    skipStep([&] {
        form_.Text3->setReadOnly(true);
        form_.Text1->setReadOnly(true);
        form_.Calstart1->show();
        form_.Image8->update();
    });
    skipStep([&] {
        entries.moveFirst();
        form_.Image8->show();
        form_.Image8->setStretch(true);
        display.showPicture(fieldText(entries, store::kPictureField));
        form_.Image8->update();
    });
    skipStep([&] { form_.Text3->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] { form_.TimeOn1->show(); });
    // Read again only when someone else wrote: the set keeps its own writes in step.
    skipStep([&] { entries.refreshIfChanged(); });
    skipStep([&] { form_.entryList().fill(entries); });
}

// The one handler of "Edit Screen": the editing area's steps are called here, in this order,
// never connected to the button on their own.
void ScreenModes::Option3_Click()
{
    skipStep([&] {
        form_.Frame1->hide();
        form_.FrameMytrip->hide();
        form_.Frame5->show();
    });
    store::DataSource* entry = &form_.Data1;
    skipStep([&] { entry = &form_.entryList().positionOnLine(form_.ListDB1->currentRow()); });
    form_.editing().fillBoxes(*entry);
    skipStep([&] {
        form_.CMDDEL->show();
        form_.Text3->setReadOnly(false);
        form_.Text1->setReadOnly(false);
    });
    form_.editing().enterEditing();
}

} // namespace wk::shell
