#include "editing/ScanWindow.h"

#include "controls/Prompts.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "controls/WindowShowing.h"
#include "editing/SaneScanner.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace wk::editing {

namespace {
std::unique_ptr<Scanner> makeSaneScanner(controls::Prompts& prompts, const QString& programDirectory,
                                         QWidget* dialogParent)
{
    auto scanner = std::make_unique<SaneScanner>(prompts, programDirectory, dialogParent);
    scanner->setOptions(SaneScanner::photoOptions());
    return scanner;
}
} // namespace

ScanWindow::ScanWindow(controls::Prompts& prompts, const QString& programDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts),
      ownScanner_(makeSaneScanner(prompts, programDirectory, this)), scanner_(*ownScanner_)
{
    build();
}

ScanWindow::ScanWindow(controls::Prompts& prompts, Scanner& scanner, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts), scanner_(scanner)
{
    build();
}

ScanWindow::~ScanWindow() = default;

void ScanWindow::build()
{
    setObjectName(QStringLiteral("FRMScan"));
    setWindowTitle(QStringLiteral("Scan"));
    new controls::TwipsLayout(this, QSize(6000, 1700));

    fileNameLabel = new QLabel(QStringLiteral("Save As:"), this);
    fileNameLabel->setObjectName(QStringLiteral("Label1"));
    controls::placeTwips(fileNameLabel, 240, 300, 1000, 300);

    fileNameEdit = new QLineEdit(this);
    fileNameEdit->setObjectName(QStringLiteral("txtAcquireFileName"));
    controls::placeTwips(fileNameEdit, 1200, 240, 3900, 360);

    chooseFileButton = new QPushButton(QStringLiteral("..."), this);
    chooseFileButton->setObjectName(QStringLiteral("cmdGetFileName"));
    controls::placeTwips(chooseFileButton, 5200, 240, 500, 360);

    acquireButton = new QPushButton(QStringLiteral("Aquire"), this);
    acquireButton->setObjectName(QStringLiteral("Command1"));
    controls::placeTwips(acquireButton, 2280, 900, 1440, 480);

    connect(chooseFileButton, &QPushButton::clicked, this, &ScanWindow::chooseFileName);
    connect(acquireButton, &QPushButton::clicked, this, &ScanWindow::acquire);
}

ScanWindow* ScanWindow::open(controls::Prompts& prompts, const QString& programDirectory, QWidget* mainWindow)
{
    auto* window =
        mainWindow ? mainWindow->findChild<ScanWindow*>(QStringLiteral("FRMScan"), Qt::FindDirectChildrenOnly)
                   : nullptr;
    if (!window) {
        window = new ScanWindow(prompts, programDirectory, mainWindow);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    controls::showInFront(window);
    return window;
}

void ScanWindow::chooseFileName()
{
    controls::FileDialogRequest request;
    request.title = QStringLiteral("Save Image As");
    // The classic four entries, and PNG, which the scanner writes too.
    request.filter = QStringLiteral("all files|*.*|picture files|*.bmp;*.jpg|BMP|*.bmp|JPEG|*.jpg|PNG|*.png");
    request.filterIndex = 2;
    request.confirmOverwrite = true;
    request.fileName = fileNameEdit->text();
    const QString chosen = prompts_.chooseSaveFile(request);
    if (chosen.isEmpty())
        return; // cancelled: the name stays as it was
    fileNameEdit->setText(chosen);
}

void ScanWindow::acquire() { scanner_.AcquireToFile(fileNameEdit->text()); }

void ScanWindow::closeEvent(QCloseEvent* event)
{
    // A scan under way keeps the window (and its scanner) alive until it has stopped.
    if (scanner_.isBusy())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace wk::editing
