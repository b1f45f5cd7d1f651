#include "shell/ScreenModes.h"

#include "browse/Browse.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "editing/Editing.h"
#include "shell/MainWindow.h"
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

ScreenModes::ScreenModes(MainWindow& form) : form_(form)
{
    connect(form_.widgets().mainScreenButton, &QAbstractButton::clicked, this,
            &ScreenModes::switchToMainScreen);
    connect(form_.widgets().editScreenButton, &QAbstractButton::clicked, this,
            &ScreenModes::switchToEditScreen);
}

void ScreenModes::switchToMainScreen()
{
    if (!form_.widgets().mainScreenButton->isChecked())
        return;
    showMainScreen();
}

void ScreenModes::showMainScreen()
{
    store::DataSource& entries = form_.entries();
    browse::EntryDisplay& display = form_.entryDisplay();
    skipStep([&] {
        form_.widgets().mainScreenPanel->show();
        form_.widgets().editScreenPanel->hide();
        form_.widgets().listingPanel->hide();
        form_.widgets().editScreenButton->setEnabled(true);
    });
    skipStep([&] {
        form_.widgets().logEdit->setReadOnly(true);
        form_.widgets().dateEdit->setReadOnly(true);
        form_.widgets().calendarButton->show();
        form_.widgets().bigImage->update();
    });
    skipStep([&] {
        entries.moveFirst();
        form_.widgets().bigImage->show();
        form_.widgets().bigImage->setStretch(true);
        display.showPicture(fieldText(entries, store::kPictureField));
        form_.widgets().bigImage->update();
    });
    skipStep([&] { form_.widgets().logEdit->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] { form_.widgets().timelineButton->show(); });
    // Read again only when someone else wrote: the set keeps its own writes in step.
    skipStep([&] { entries.refreshIfChanged(); });
    skipStep([&] { form_.entryLines().fill(entries); });
}

// The one handler of "Edit Screen": the editing area's steps are called here, in this order,
// never connected to the button on their own.
void ScreenModes::switchToEditScreen()
{
    skipStep([&] {
        form_.widgets().mainScreenPanel->hide();
        form_.widgets().listingPanel->hide();
        form_.widgets().editScreenPanel->show();
    });
    store::DataSource* entry = &form_.entries();
    skipStep([&] { entry = &form_.entryLines().positionOnLine(form_.widgets().entryList->currentRow()); });
    form_.editing().fillBoxes(*entry);
    skipStep([&] {
        form_.widgets().deleteButton->show();
        form_.widgets().logEdit->setReadOnly(false);
        form_.widgets().dateEdit->setReadOnly(false);
    });
    form_.editing().enterEditing();
}

} // namespace wk::shell
