#include "shell/Mtform1.h"

#include "browse/Browse.h"
#include "calendar/Calendar.h"
#include "controls/ClassicColours.h"
#include "controls/FolderList.h"
#include "controls/FrameCanvas.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "dialogs/Dialogs.h"
#include "editing/Editing.h"
#include "filters/Filters.h"
#include "shell/EntryUndo.h"
#include "shell/ScrapbookBackups.h"
#include "shell/ScreenModes.h"
#include "shell/WindowPlacement.h"
#include "strip/Strip.h"
#include "timeline/Timeline.h"
#include "store/FilePaths.h"
#include "store/ScrapbookFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace wk::shell {

namespace {
// The design holds every control: the bottom row of buttons starts at 6480 and is 375 high.
constexpr int kDesignWidth = 9480;
constexpr int kDesignHeight = 6480 + 375;
} // namespace

Mtform1::Mtform1(const Mtform1Services& services, QWidget* parent)
    : QWidget(parent), prompts(services.prompts), programDirectory(services.programDirectory),
      clock(services.clock), Data1(connections, QStringLiteral("Data1")),
      DataFind(connections, QStringLiteral("DataFind")), DataWhere(connections, QStringLiteral("DataWhere")),
      DataCatagory(connections, QStringLiteral("DataCatagory")),
      datacd(connections, QStringLiteral("datacd")), Data2(connections, QStringLiteral("Data2"))
{
    setObjectName(QStringLiteral("MTFORM1"));
    setWindowTitle(QStringLiteral("Wanderkeep "));
    layout_ = new controls::TwipsLayout(this, QSize(kDesignWidth, kDesignHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    setPalette(pal);
    setAutoFillBackground(true);

    backups_ = std::make_unique<ScrapbookBackups>(prompts, clock);
    backups_->guard(connections);

    Data1.setRecordSource(QStringLiteral("MYLIFE"));
    DataFind.setRecordSource(QStringLiteral("MYLIFE"));
    DataWhere.setRecordSource(QStringLiteral("WHERE"));
    DataCatagory.setRecordSource(QStringLiteral("Catagory"));
    datacd.setRecordSource(QStringLiteral("cddrive"));

    canvas_ = new controls::FrameCanvas(this);
    createControls();
    canvas_->lower();

    createSubsystems();
    undo_ = std::make_unique<EntryUndo>(this, connections, [this] { showUndoneChange(); });
    connect(CMDStop, &QPushButton::clicked, this, &Mtform1::CMDSTOP_Click);
}

Mtform1::~Mtform1() = default;

QString Mtform1::databasePath(const QString& fileName) const
{
    return store::findFileIgnoringCase(programDirectory, fileName);
}

void Mtform1::Form_Load()
{
    // A failing step ends this handler; start-up goes on without it.
    try {
        unsetCursor();
        const QString database = databasePath(QString::fromLatin1(store::kScrapbookFileName));
        for (store::DataSource* source : {&Data1, &DataWhere, &datacd, &DataCatagory, &DataFind})
            source->setDatabaseName(database);
        restoreWindowPlacement(this);
        show();
        Text3->show();
        for (int k = 1; k <= 7; ++k)
            Image[k]->hide();
        Image8->show();
        Image8->setStretch(true);
        TimeOn1->show();
        stripStepping_->hideArrows();
        Text3->setReadOnly(true);
        Text1->setReadOnly(false);
        File1->hide();
        for (int i = 1; i <= 42; ++i)
            List1[i]->hide();
        CALLABEL->hide();
        VScroll1->hide();
        ScrollMo->hide();
        DAYLIST->hide();
    } catch (const std::exception& failure) {
        controls::logSkipped(failure);
    }
}

void Mtform1::CMDSTOP_Click()
{
    if (prompts.askYesNo(QStringLiteral("Wanderkeep"), QStringLiteral("Do you really want to quit?")))
        close();
}

void Mtform1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program: every other window closes with it.
    event->accept();
    saveWindowPlacement(this);
    Q_EMIT unloaded();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

void Mtform1::showUndoneChange()
{
    controls::skipStep([&] { entryList().refillFromLastSource(); });
    if (Calstart1->isChecked())
        controls::skipStep([&] {
            calendar().fillMonth(ScrollMo->value(), Label8->text().trimmed().toInt(), {.requery = true});
        });
    if (FrameMytrip->isVisible())
        controls::skipStep([&] { timelineListing().fillListing(); });
}

} // namespace wk::shell
