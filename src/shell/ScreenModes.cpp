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
    connect(form_.mainScreenButton, &QAbstractButton::clicked, this, &ScreenModes::switchToMainScreen);
    connect(form_.editScreenButton, &QAbstractButton::clicked, this, &ScreenModes::switchToEditScreen);
}

void ScreenModes::switchToMainScreen()
{
    if (!form_.mainScreenButton->isChecked())
        return;
    showMainScreen();
}

void ScreenModes::showMainScreen()
{
    store::DataSource& entries = form_.entries;
    browse::EntryDisplay& display = form_.entryDisplay();
    skipStep([&] {
        form_.mainScreenPanel->show();
        form_.editScreenPanel->hide();
        form_.listingPanel->hide();
        form_.editScreenButton->setEnabled(true);
    });
    skipStep([&] {
        form_.logEdit->setReadOnly(true);
        form_.dateEdit->setReadOnly(true);
        form_.calendarButton->show();
        form_.bigImage->update();
    });
    skipStep([&] {
        entries.moveFirst();
        form_.bigImage->show();
        form_.bigImage->setStretch(true);
        display.showPicture(fieldText(entries, store::kPictureField));
        form_.bigImage->update();
    });
    skipStep([&] { form_.logEdit->setPlainText(fieldText(entries, store::kLogField)); });
    skipStep([&] { form_.timelineButton->show(); });
    // Read again only when someone else wrote: the set keeps its own writes in step.
    skipStep([&] { entries.refreshIfChanged(); });
    skipStep([&] { form_.entryLines().fill(entries); });
}

// The one handler of "Edit Screen": the editing area's steps are called here, in this order,
// never connected to the button on their own.
void ScreenModes::switchToEditScreen()
{
    skipStep([&] {
        form_.mainScreenPanel->hide();
        form_.listingPanel->hide();
        form_.editScreenPanel->show();
    });
    store::DataSource* entry = &form_.entries;
    skipStep([&] { entry = &form_.entryLines().positionOnLine(form_.entryList->currentRow()); });
    form_.editing().fillBoxes(*entry);
    skipStep([&] {
        form_.deleteButton->show();
        form_.logEdit->setReadOnly(false);
        form_.dateEdit->setReadOnly(false);
    });
    form_.editing().enterEditing();
}

} // namespace wk::shell
