#include "shell/Mtform1.h"

#include "browse/EntryDisplay.h"
#include "browse/EntryList.h"
#include "browse/ThumbnailClicks.h"
#include "calendar/MonthCalendar.h"
#include "controls/ClassicColours.h"
#include "controls/FolderList.h"
#include "controls/FrameCanvas.h"
#include "controls/ImageControl.h"
#include "controls/PictureButton.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "editing/EntryEditing.h"
#include "editing/PictureFiles.h"
#include "filters/EntryFilters.h"
#include "shell/ScreenModes.h"
#include "strip/StripSlots.h"
#include "strip/StripStepping.h"
#include "timeline/TimeLineSwitch.h"
#include "timeline/TimelineListing.h"
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
constexpr int kClientWidth = 9480;
constexpr int kClientHeight = 6795;
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
    setFixedSize(controls::twipsToPixels(kClientWidth), controls::twipsToPixels(kClientHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    setPalette(pal);
    setAutoFillBackground(true);

    Data1.setRecordSource(QStringLiteral("MYLIFE"));
    DataFind.setRecordSource(QStringLiteral("MYLIFE"));
    DataWhere.setRecordSource(QStringLiteral("WHERE"));
    DataCatagory.setRecordSource(QStringLiteral("Catagory"));
    datacd.setRecordSource(QStringLiteral("cddrive"));

    canvas_ = new controls::FrameCanvas(this);
    canvas_->setGeometry(rect());
    createControls();
    canvas_->lower();

    createSubsystems();
    connect(CMDStop, &QPushButton::clicked, this, &Mtform1::CMDSTOP_Click);
}

Mtform1::~Mtform1() = default;

QString Mtform1::databasePath(const QString& fileName) const
{
    return store::findFileIgnoringCase(programDirectory, fileName);
}

void Mtform1::setTwipsWidth(QWidget* control, int widthTwips)
{
    control->resize(controls::twipsToPixels(widthTwips), control->height());
}

void Mtform1::Form_Load()
{
    // A failing step ends this handler; start-up goes on without it.
    try {
        unsetCursor();
        const QString database = databasePath(QString::fromLatin1(store::kScrapbookFileName));
        for (store::DataSource* source : {&Data1, &DataWhere, &datacd, &DataCatagory, &DataFind})
            source->setDatabaseName(database);
        show();
        Text3->show();
        for (int k = 1; k <= 7; ++k)
            Image[k]->hide();
        Image8->show();
        Image8->setStretch(true);
        TimeOn1->show();
        strip::hideArrows(*this);
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
    Q_EMIT unloaded();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

void Mtform1::DrawFrameON(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                          int frameMargin)
{
    drawFrame(firstControl, lastControl, frameStyle, frameMargin, false);
}

void Mtform1::DrawFrameOFF(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                           int frameMargin)
{
    drawFrame(firstControl, lastControl, frameStyle, frameMargin, true);
}

void Mtform1::drawFrame(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                        int frameMargin, bool erase)
{
    if (!firstControl || !lastControl)
        return;
    using controls::classicColour;
    using controls::pixelsToTwips;
    using controls::twipsToPixels;
    // Positions are taken on this window's surface, so the frame surrounds the controls
    // wherever their containers put them.
    const QPoint firstAt = firstControl->mapTo(this, QPoint(0, 0));
    const QPoint lastAt = lastControl->mapTo(this, QPoint(0, 0));
    const int L = pixelsToTwips(firstAt.x());
    const int T = pixelsToTwips(firstAt.y());
    const int H = pixelsToTwips(firstControl->height());
    const int R = pixelsToTwips(lastAt.x() + lastControl->width());
    const int B = pixelsToTwips(lastAt.y() + lastControl->height());
    const int frameBottom = H > B ? H : B;
    const int m = frameMargin;
    const bool inward = frameStyle.left(1).toLower() == QLatin1String("i");
    auto px = [](int x, int y) { return QPoint(twipsToPixels(x), twipsToPixels(y)); };

    canvas_->drawBox(QRect(px(L - m, T - m), px(R + m, B + m)), classicColour(7), true);
    const QColor topLeft = erase ? classicColour(7) : classicColour(inward ? 8 : 15);
    const QColor bottomRight = erase ? classicColour(7) : classicColour(inward ? 15 : 8);
    canvas_->drawLine(px(L - m, T - m), px(R + m, T - m), topLeft);
    canvas_->drawLine(px(L - m, T - m), px(L - m, frameBottom + m), topLeft);
    canvas_->drawLine(px(R + m, T - m), px(R + m, B + m), bottomRight);
    canvas_->drawLine(px(R + m, B + m), px(L - m, frameBottom + m), bottomRight);
    if (!inward)
        canvas_->drawBox(QRect(px(L - m - 25, T - m - 25), px(R + m + 10, B + m + 10)),
                         erase ? classicColour(7) : classicColour(0), false);
}

} // namespace wk::shell
