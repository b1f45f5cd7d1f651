#include "dialogs/HelpWindow.h"

#include "controls/RtfReader.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "controls/WindowShowing.h"
#include "store/FilePaths.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace wk::dialogs {

using controls::placeTwips;

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              int height)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(l, left, top, width, height);
    return l;
}

} // namespace

HelpWindow::HelpWindow(const QString& programDirectory, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), programDirectory_(programDirectory), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("HelpForm1"));
    setWindowTitle(QStringLiteral("Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    new controls::TwipsLayout(this, QSize(9600, 7800)); // larger text in a larger window

    richText_ = new QTextEdit(this);
    richText_->setObjectName(QStringLiteral("RichTextBox1"));
    richText_->setReadOnly(true);
    placeTwips(richText_, 150, 150, 9300, 4950);

    label(this, "Label1", QStringLiteral("Select Pictures from List Box."), 150, 5250, 9300, 300);
    label(this, "Label2",
          QStringLiteral("Scroll Name List and click on name to list all pictures for that name.  "
                         "Click *All Picures to list all in file."),
          150, 5580, 9300, 540);
    label(this, "Label3", QStringLiteral("Click on picture to enlarge or reduce."), 150, 6150, 9300, 300);
    label(this, "Label4", QStringLiteral("Version 1.2"), 150, 6600, 3000, 300);
    label(this, "Label6",
          QStringLiteral("Wanderkeep, the family picture scrapbook: your pictures, their dates and "
                         "their stories in one place."),
          150, 6930, 7500, 540);

    exit_ = new QPushButton(QStringLiteral("Exit"), this);
    exit_->setObjectName(QStringLiteral("SSCommand1"));
    placeTwips(exit_, 8100, 6900, 1350, 525);
    connect(exit_, &QPushButton::clicked, this, &HelpWindow::closeHelp);

    load();
}

HelpWindow* HelpWindow::open(QPointer<HelpWindow>& slot, const QString& programDirectory, QWidget* mainWindow)
{
    if (!slot)
        slot = new HelpWindow(programDirectory, mainWindow);
    controls::showInFront(slot);
    return slot;
}

void HelpWindow::load()
{
    controls::RtfReader::readFile(
        store::findFileIgnoringCase(programDirectory_, QStringLiteral("quillon.rtf")),
        *richText_->document());
    richText_->moveCursor(QTextCursor::Start);
}

void HelpWindow::closeHelp()
{
    close();
    if (mainWindow_)
        mainWindow_->update();
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

void HelpWindow::unload()
{
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->update();
    }
}

} // namespace wk::dialogs
