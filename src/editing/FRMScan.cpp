#include "editing/FRMScan.h"

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

FRMScan::FRMScan(controls::Prompts& prompts, const QString& programDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts),
      ownScanner_(makeSaneScanner(prompts, programDirectory, this)), scanner_(*ownScanner_)
{
    build();
}

FRMScan::FRMScan(controls::Prompts& prompts, Scanner& scanner, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts), scanner_(scanner)
{
    build();
}

FRMScan::~FRMScan() = default;

void FRMScan::build()
{
    setObjectName(QStringLiteral("FRMScan"));
    setWindowTitle(QStringLiteral("Scan"));
    new controls::TwipsLayout(this, QSize(6000, 1700));

    Label1 = new QLabel(QStringLiteral("Save As:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    controls::placeTwips(Label1, 240, 300, 1000, 300);

    txtAcquireFileName = new QLineEdit(this);
    txtAcquireFileName->setObjectName(QStringLiteral("txtAcquireFileName"));
    controls::placeTwips(txtAcquireFileName, 1200, 240, 3900, 360);

    cmdGetFileName = new QPushButton(QStringLiteral("..."), this);
    cmdGetFileName->setObjectName(QStringLiteral("cmdGetFileName"));
    controls::placeTwips(cmdGetFileName, 5200, 240, 500, 360);

    Command1 = new QPushButton(QStringLiteral("Aquire"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    controls::placeTwips(Command1, 2280, 900, 1440, 480);

    connect(cmdGetFileName, &QPushButton::clicked, this, &FRMScan::cmdGetFilename_Click);
    connect(Command1, &QPushButton::clicked, this, &FRMScan::Command1_Click);
}

FRMScan* FRMScan::open(controls::Prompts& prompts, const QString& programDirectory, QWidget* mainWindow)
{
    auto* window =
        mainWindow ? mainWindow->findChild<FRMScan*>(QStringLiteral("FRMScan"), Qt::FindDirectChildrenOnly)
                   : nullptr;
    if (!window) {
        window = new FRMScan(prompts, programDirectory, mainWindow);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    controls::showInFront(window);
    return window;
}

void FRMScan::cmdGetFilename_Click()
{
    controls::FileDialogRequest request;
    request.title = QStringLiteral("Save Image As");
    // The classic four entries, and PNG, which the scanner writes too.
    request.filter = QStringLiteral("all files|*.*|picture files|*.bmp;*.jpg|BMP|*.bmp|JPEG|*.jpg|PNG|*.png");
    request.filterIndex = 2;
    request.confirmOverwrite = true;
    request.fileName = txtAcquireFileName->text();
    const QString chosen = prompts_.chooseSaveFile(request);
    if (chosen.isEmpty())
        return; // cancelled: the name stays as it was
    txtAcquireFileName->setText(chosen);
}

void FRMScan::Command1_Click() { scanner_.AcquireToFile(txtAcquireFileName->text()); }

void FRMScan::closeEvent(QCloseEvent* event)
{
    // A scan under way keeps the window (and its scanner) alive until it has stopped.
    if (scanner_.isBusy())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace wk::editing
