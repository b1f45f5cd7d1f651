#include "contracts/PictureRoot.h"
#include "dialogs/PictureDiscWindow.h"

#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/WindowShowing.h"
#include "controls/Prompts.h"
#include "store/DataSource.h"
#include "store/Entry.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace wk::dialogs {

QString normaliseDiscText(const QString& text)
{
    static const QRegularExpression driveLetter(QStringLiteral("^[A-Za-z]:?$"));
    return driveLetter.match(text).hasMatch() ? text.toUpper() : text;
}

PictureDiscWindow* PictureDiscWindow::open(const PictureDiscParts& parts)
{
    auto* existing =
        parts.window->findChild<PictureDiscWindow*>(QStringLiteral("cdform"), Qt::FindDirectChildrenOnly);
    PictureDiscWindow* window = existing ? existing : new PictureDiscWindow(parts);
    if (!existing)
        window->load();
    controls::showInFront(window);
    window->folderEdit->setFocus();
    return window;
}

PictureDiscWindow::PictureDiscWindow(const PictureDiscParts& parts)
    : QWidget(parts.window, Qt::Window), parts_(parts)
{
    setObjectName(QStringLiteral("cdform"));
    setWindowTitle(QStringLiteral("CD-Rom Drive Setup"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont arial(QStringLiteral("Arial"));
    promptLabel = new QLabel(QStringLiteral("CD-Rom Drive Letter:"), this);
    promptLabel->setObjectName(QStringLiteral("Label1"));
    promptLabel->setFont(arial);
    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName(QStringLiteral("Text1"));
    folderEdit->setFont(arial);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Command1"));
    controls::placeTwips(promptLabel, 240, 240, 2400, 285);
    controls::placeTwips(folderEdit, 240, 600, 3600, 315);
    controls::placeTwips(okButton, 1560, 1080, 975, 375);
    setFixedSize(controls::twipsToPixels(4080), controls::twipsToPixels(1680));
    connect(folderEdit, &QLineEdit::textChanged, this, &PictureDiscWindow::followFolderText);
    connect(okButton, &QPushButton::clicked, this, &PictureDiscWindow::confirmFolder);
}

void PictureDiscWindow::load()
{
    store::DataSource& cd = parts_.pictureDisc;
    try {
        cd.moveFirst();
        parts_.pictureRoot.setText(store::fieldText(cd, QStringLiteral("cd")));
        folderEdit->setText(parts_.pictureRoot.text());
    } catch (const std::exception& failure) {
        // No row yet: an empty box, and the picture root stays as it is.
        controls::logSkipped(failure);
    }
    folderEdit->setFocus();
}

void PictureDiscWindow::followFolderText()
{
    const QString normal = normaliseDiscText(folderEdit->text());
    if (normal != folderEdit->text()) {
        const int cursor = folderEdit->cursorPosition();
        folderEdit->setText(normal);
        folderEdit->setCursorPosition(cursor);
    }
}

bool PictureDiscWindow::save()
{
    store::DataSource& cd = parts_.pictureDisc;
    try {
        cd.moveFirst();
        cd.edit();
        cd.setField(QStringLiteral("CD"), folderEdit->text());
        cd.setField(QStringLiteral("new"), QStringLiteral("N"));
        cd.update();
    } catch (const std::exception& e) {
        controls::skipStep([&] {
            if (cd.editing())
                cd.cancelUpdate();
        });
        parts_.prompts.tell(
            windowTitle(),
            QStringLiteral("The disc setting could not be saved:\n%1").arg(QString::fromStdString(e.what())),
            controls::MessageIcon::Exclamation);
        return false;
    }
    parts_.pictureRoot.setText(folderEdit->text());
    saved_ = true;
    return true;
}

void PictureDiscWindow::confirmFolder()
{
    if (save())
        close();
}

void PictureDiscWindow::closeEvent(QCloseEvent* event)
{
    // A refused save keeps the window open once, so the text is not lost; closing again
    // after the message gives up (there may be no scrapbook to save into at all).
    if (saved_ || refusedText_ == folderEdit->text() || save()) {
        event->accept();
        return;
    }
    refusedText_ = folderEdit->text();
    event->ignore();
}

} // namespace wk::dialogs
