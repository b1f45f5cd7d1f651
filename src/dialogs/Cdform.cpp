#include "dialogs/Cdform.h"

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

Cdform* Cdform::open(const CdformParts& parts)
{
    auto* existing = parts.window->findChild<Cdform*>(QStringLiteral("cdform"), Qt::FindDirectChildrenOnly);
    Cdform* window = existing ? existing : new Cdform(parts);
    if (!existing)
        window->Form_Load();
    controls::showInFront(window);
    window->Text1->setFocus();
    return window;
}

Cdform::Cdform(const CdformParts& parts) : QWidget(parts.window, Qt::Window), parts_(parts)
{
    setObjectName(QStringLiteral("cdform"));
    setWindowTitle(QStringLiteral("CD-Rom Drive Setup"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont arial(QStringLiteral("Arial"));
    Label1 = new QLabel(QStringLiteral("CD-Rom Drive Letter:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(arial);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(arial);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    controls::placeTwips(Label1, 240, 240, 2400, 285);
    controls::placeTwips(Text1, 240, 600, 3600, 315);
    controls::placeTwips(Command1, 1560, 1080, 975, 375);
    setFixedSize(controls::twipsToPixels(4080), controls::twipsToPixels(1680));
    connect(Text1, &QLineEdit::textChanged, this, &Cdform::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &Cdform::Command1_Click);
}

void Cdform::Form_Load()
{
    store::DataSource& cd = parts_.datacd;
    try {
        cd.moveFirst();
        parts_.pictureRoot = store::fieldText(cd, QStringLiteral("cd"));
        Text1->setText(parts_.pictureRoot);
    } catch (const std::exception& failure) {
        // No row yet: an empty box, and the picture root stays as it is.
        controls::logSkipped(failure);
    }
    Text1->setFocus();
}

void Cdform::Text1_Change()
{
    const QString normal = normaliseDiscText(Text1->text());
    if (normal != Text1->text()) {
        const int cursor = Text1->cursorPosition();
        Text1->setText(normal);
        Text1->setCursorPosition(cursor);
    }
}

bool Cdform::save()
{
    store::DataSource& cd = parts_.datacd;
    try {
        cd.moveFirst();
        cd.edit();
        cd.setField(QStringLiteral("CD"), Text1->text());
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
    parts_.pictureRoot = Text1->text();
    saved_ = true;
    return true;
}

void Cdform::Command1_Click()
{
    if (save())
        close();
}

void Cdform::closeEvent(QCloseEvent* event)
{
    // A refused save keeps the window open once, so the text is not lost; closing again
    // after the message gives up (there may be no scrapbook to save into at all).
    if (saved_ || refusedText_ == Text1->text() || save()) {
        event->accept();
        return;
    }
    refusedText_ = Text1->text();
    event->ignore();
}

} // namespace wk::dialogs
