// The control inventory of the main window: names, kinds and twips geometry, in the order the
// window lists them. Containers come first; every position is relative to its container.
#include "controls/DropDownCombo.h"
#include "controls/ImageControl.h"
#include "controls/LineList.h"
#include "controls/PictureButton.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"
#include "shell/MainWindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>

namespace wk::shell {

namespace {

template <class W, class... Args>
W* place(QWidget* parent, const QString& name, QRect twips, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    controls::placeTwips(w, twips.x(), twips.y(), twips.width(), twips.height());
    return w;
}

QRect tw(int left, int top, int width, int height) { return {left, top, width, height}; }

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect twips,
                    const QString& toolTip = {})
{
    auto* b = place<QPushButton>(parent, name, twips, caption);
    if (!toolTip.isEmpty())
        b->setToolTip(toolTip);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect twips, bool bold = false)
{
    auto* l = place<QLabel>(parent, name, twips, caption);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

controls::PictureButton* pictureButton(QWidget* parent, const QString& name,
                                       controls::PictureButton::Face face, const QString& toolTip,
                                       QRect twips)
{
    return place<controls::PictureButton>(parent, name, twips, face, toolTip);
}

// The strip arrows: small drawn triangles (or stop bars) shown in image controls. Drawn at four
// times their design size, so they stay sharp in a larger window and on a dense screen.
QImage arrowFace(bool forward, bool stop)
{
    QImage img(100, 100, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(4, 4);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(stop ? QColor(200, 0, 0) : QColor(0, 128, 0));
    const QPolygon tri = forward ? QPolygon({QPoint(5, 4), QPoint(20, 12), QPoint(5, 20)})
                                 : QPolygon({QPoint(20, 4), QPoint(5, 12), QPoint(20, 20)});
    if (stop) { // the arrow runs into a bar: nothing further this way
        p.drawRect(forward ? QRect(17, 4, 4, 17) : QRect(4, 4, 4, 17));
        p.drawPolygon(tri.translated(forward ? -4 : 4, 0));
    } else {
        p.drawPolygon(tri);
    }
    return img;
}

} // namespace

void MainWindow::createControls()
{
    using Face = controls::PictureButton::Face;

    // Thumbnail strip and its switch.
    stripFrame = place<QGroupBox>(this, QStringLiteral("Frame2"), tw(550, 120, 8450, 1000));
    for (int k = 1; k <= 7; ++k) {
        stripSlots[k] = place<controls::ImageControl>(stripFrame, QStringLiteral("Image%1").arg(k),
                                                      tw(75 + 1200 * (k - 1), 180, 1095, 735));
        stripSlots[k]->setCursor(Qt::PointingHandCursor);
    }
    backArrow = place<controls::ImageControl>(this, QStringLiteral("CMDREV"), tw(120, 180, 375, 375));
    backStop = place<controls::ImageControl>(this, QStringLiteral("REVSTOP"), tw(120, 180, 375, 375));
    forwardArrow = place<controls::ImageControl>(this, QStringLiteral("CMDFWD"), tw(9030, 420, 375, 375));
    forwardStop = place<controls::ImageControl>(this, QStringLiteral("FWDSTOP"), tw(9030, 420, 375, 375));
    for (controls::ImageControl* arrow : {backArrow, backStop, forwardArrow, forwardStop})
        arrow->setStretch(true);
    backArrow->setPicture({QString(), {25, 25}, arrowFace(false, false)});
    backStop->setPicture({QString(), {25, 25}, arrowFace(false, true)});
    forwardArrow->setPicture({QString(), {25, 25}, arrowFace(true, false)});
    forwardStop->setPicture({QString(), {25, 25}, arrowFace(true, true)});
    timelineButton = pictureButton(this, QStringLiteral("TimeOn1"), Face::Clock,
                                   QStringLiteral("TimeLine On or Off"), tw(120, 600, 375, 375));

    // Big picture, log and the calendar switch.
    bigPictureFrame = place<QGroupBox>(this, QStringLiteral("Frame3"), tw(600, 1200, 4935, 3495));
    bigImage =
        place<controls::ImageControl>(bigPictureFrame, QStringLiteral("Image8"), tw(120, 240, 4575, 3135));
    bigImage->setToolTip(QStringLiteral("Click to Enlarge"));
    bigImage->setCursor(Qt::PointingHandCursor);
    logEdit = place<QPlainTextEdit>(this, QStringLiteral("Text3"), tw(600, 4800, 4935, 1575));
    logEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    calendarButton = pictureButton(this, QStringLiteral("Calstart1"), Face::Calendar,
                                   QStringLiteral("Calendar On or Off"), tw(135, 4320, 375, 375));

    // Calendar.
    calendarFrame = place<QGroupBox>(this, QStringLiteral("Frame4"), tw(630, 1200, 4935, 5175));
    monthLabel = label(calendarFrame, QStringLiteral("CALLABEL"), QString(), tw(600, 360, 1335, 255), true);
    yearLabel = label(calendarFrame, QStringLiteral("Label8"), QString(), tw(3360, 360, 615, 255), true);
    monthScroller =
        place<QScrollBar>(calendarFrame, QStringLiteral("ScrollMo"), tw(960, 720, 615, 255), Qt::Horizontal);
    monthScroller->setRange(0, 13);
    monthScroller->setValue(1);
    yearScroller = place<QScrollBar>(calendarFrame, QStringLiteral("VScroll1"), tw(2760, 720, 1815, 255),
                                     Qt::Horizontal);
    yearScroller->setRange(1700, 2100);
    yearScroller->setValue(1700);
    for (QScrollBar* s : {monthScroller, yearScroller}) {
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setTracking(false); // a drag raises sliderMoved, and one change on release
    }
    for (int k = 1; k <= 7; ++k)
        weekdayLabels[k] = label(calendarFrame, QStringLiteral("Label%1").arg(k), QString(),
                                 tw(360 + 600 * (k - 1), 1200, 615, 255));
    for (int i = 1; i <= 42; ++i) {
        const int c = (i - 1) % 7, r = (i - 1) / 7;
        dayCells[i] = place<QListWidget>(calendarFrame, QStringLiteral("List1(%1)").arg(i),
                                         tw(360 + 600 * c, 1560 + 480 * r, 615, 450));
        // A larger window shows more of each day's titles rather than larger letters.
        controls::limitFontGrowth(dayCells[i], 1.1);
        dayCells[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        dayCells[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        dayCells[i]->setAcceptDrops(true);
    }
    dayGrid = place<QTableView>(calendarFrame, QStringLiteral("DBGrid1"), tw(375, 1215, 4215, 3255));
    dayListBackButton =
        button(calendarFrame, QStringLiteral("CmdDayList"), QStringLiteral("Back"), tw(375, 4560, 495, 195));
    dayListLabel = label(calendarFrame, QStringLiteral("DAYLIST"), QString(), tw(360, 4560, 4215, 255));

    // Main Screen panel.
    mainScreenPanel = place<QGroupBox>(this, QStringLiteral("Frame1"), tw(5775, 1200, 3255, 5175));
    searchBox = place<QLineEdit>(mainScreenPanel, QStringLiteral("SearchText"), tw(120, 240, 3015, 285));
    entryList =
        place<controls::LineList>(mainScreenPanel, QStringLiteral("ListDB1"), tw(120, 585, 3015, 2805));
    categoryGroup = new QButtonGroup(this);
    const QStringList categoryCaptions{QStringLiteral("Events"), QStringLiteral("School"),
                                       QStringLiteral("Family"), QStringLiteral("Trips"),
                                       QStringLiteral("Calendar Items")};
    for (int k = 1; k <= 5; ++k) {
        const int col = (k - 1) % 2, row = (k - 1) / 2;
        categoryButtons[k] = place<QRadioButton>(
            mainScreenPanel, QStringLiteral("SSOption%1").arg(k),
            tw(120 + 1560 * col, 3450 + 300 * row, k == 5 ? 1560 : 1455, 285), categoryCaptions[k - 1]);
        categoryGroup->addButton(categoryButtons[k], k);
    }
    allPicturesButton = button(mainScreenPanel, QStringLiteral("CmdAll"), QStringLiteral("All Pictures"),
                               tw(1740, 4050, 1395, 285));
    nameList = place<QListWidget>(mainScreenPanel, QStringLiteral("DBList2"), tw(120, 4380, 3015, 705));

    // Edit Screen panel.
    editScreenPanel = place<QGroupBox>(this, QStringLiteral("Frame5"), tw(5760, 1200, 3255, 5175));
    pictureLabel = label(editScreenPanel, QStringLiteral("LABELFILE"), QStringLiteral("Picture"),
                         tw(120, 270, 900, 255));
    titleLabel =
        label(editScreenPanel, QStringLiteral("labeltitle"), QStringLiteral("Title"), tw(120, 630, 900, 255));
    nameLabel = label(editScreenPanel, QStringLiteral("Labelwhere"), QStringLiteral("Who or Where"),
                      tw(120, 990, 900, 255));
    dateLabel =
        label(editScreenPanel, QStringLiteral("Labeldate"), QStringLiteral("Date"), tw(120, 1350, 900, 255));
    categoryLabel =
        label(editScreenPanel, QStringLiteral("Labelwhat"), QStringLiteral("What"), tw(120, 1710, 900, 255));
    pictureEdit = place<QLineEdit>(editScreenPanel, QStringLiteral("Text2"), tw(1080, 240, 2055, 285));
    titleEdit = place<QLineEdit>(editScreenPanel, QStringLiteral("Text4"), tw(1080, 600, 2055, 285));
    nameCombo = place<controls::DropDownCombo>(editScreenPanel, QStringLiteral("Wheretext"),
                                               tw(1080, 960, 2055, 315));
    nameCombo->setEditable(true);
    dateEdit = place<QLineEdit>(editScreenPanel, QStringLiteral("Text1"), tw(1080, 1320, 2055, 285));
    categoryCombo = place<QComboBox>(editScreenPanel, QStringLiteral("WhatText"), tw(1080, 1680, 2055, 315));
    categoryCombo->setEditable(true);
    addButton =
        button(editScreenPanel, QStringLiteral("CMDADD"), QStringLiteral("Add"), tw(120, 2160, 975, 375));
    saveNewButton =
        button(editScreenPanel, QStringLiteral("SAVEADD"), QStringLiteral("Save"), tw(1140, 2160, 975, 375));
    saveChangesButton =
        button(editScreenPanel, QStringLiteral("SaveEdit"), QStringLiteral("Save"), tw(1140, 2160, 975, 375));
    deleteButton =
        button(editScreenPanel, QStringLiteral("CMDDEL"), QStringLiteral("Delete"), tw(2160, 2160, 975, 375));
    thumbnailsButton = button(editScreenPanel, QStringLiteral("Command1"), QStringLiteral("Thumbnails"),
                              tw(120, 2640, 975, 375));
    nameListButton = button(editScreenPanel, QStringLiteral("Command2"), QStringLiteral("Name List"),
                            tw(1140, 2640, 975, 375));
    discDriveButton = button(editScreenPanel, QStringLiteral("Command3"), QStringLiteral("CD Drive"),
                             tw(2160, 2640, 975, 375));
    mergeButton = button(editScreenPanel, QStringLiteral("CMDMerge"), QStringLiteral("Merge"),
                         tw(120, 3120, 975, 375), QStringLiteral("Rename Pic*.* files to Pbxxxx"));
    scanButton =
        button(editScreenPanel, QStringLiteral("Scan"), QStringLiteral("Scan"), tw(1140, 3120, 975, 375));
    importButton = button(editScreenPanel, QStringLiteral("CMDImport"), QStringLiteral("Import..."),
                          tw(2160, 3120, 975, 375), QStringLiteral("Import a folder, card or phone"));
    serverButton =
        button(editScreenPanel, QStringLiteral("CmdServer"), QStringLiteral("Family Server..."),
               tw(120, 3600, 1995, 375), QStringLiteral("Open the scrapbook on the family server"));
    pictureFolderButton =
        button(editScreenPanel, QStringLiteral("CmdPictureFolder"), QStringLiteral("Pictures..."),
               tw(2160, 3600, 975, 375), QStringLiteral("Choose where this computer finds the pictures"));
    saveChangesButton->hide();
    saveNewButton->hide();

    // List by Date panel.
    listingPanel = place<QGroupBox>(this, QStringLiteral("FrameMytrip"), tw(5760, 1200, 3255, 5175));
    dateList = place<controls::LineList>(listingPanel, QStringLiteral("Listdb2"), tw(120, 240, 3015, 3990));
    entryDateLabel = label(listingPanel, QStringLiteral("datelabel"), QString(), tw(120, 4320, 3015, 285));
    entryNameLabel = label(listingPanel, QStringLiteral("wherelabel"), QString(), tw(120, 4680, 3015, 285));

    // Bottom row: exit, help, print, kids guide, slideshow and the screen modes.
    quitButton = button(this, QStringLiteral("CMDStop"), QStringLiteral("Exit"), tw(2160, 6480, 495, 375),
                        QStringLiteral("Exit Program"));
    helpButton = button(this, QStringLiteral("CmdHelp"), QStringLiteral("Help"), tw(2640, 6480, 495, 375),
                        QStringLiteral("Help Screen"));
    printCheck = pictureButton(this, QStringLiteral("Check2"), Face::Printer,
                               QStringLiteral("Print TimeLine"), tw(3120, 6480, 375, 375));
    kidsGuideCheck = pictureButton(this, QStringLiteral("Check1"), Face::Kid, QStringLiteral("Kids Guide"),
                                   tw(3480, 6480, 375, 375));
    slideshowButton = pictureButton(this, QStringLiteral("CmdSlideshow"), Face::Slideshow,
                                    QStringLiteral("Slideshow (F5)"), tw(3840, 6480, 375, 375));
    slideshowButton->setCheckable(false);
    editScreenButton = pictureButton(this, QStringLiteral("Option3"), Face::EditScreen,
                                     QStringLiteral("Edit Screen"), tw(6735, 6435, 375, 375));
    listByDateButton = pictureButton(this, QStringLiteral("Option2"), Face::ListByDate,
                                     QStringLiteral("List by Date"), tw(7140, 6435, 375, 375));
    mainScreenButton = pictureButton(this, QStringLiteral("Option1"), Face::MainScreen,
                                     QStringLiteral("Main Screen"), tw(7545, 6435, 375, 375));
    screenGroup = new QButtonGroup(this);
    screenGroup->addButton(mainScreenButton, 1);
    screenGroup->addButton(listByDateButton, 2);
    screenGroup->addButton(editScreenButton, 3);
    mainScreenButton->setChecked(true);

    // The window opens in the Main Screen layout.
    calendarFrame->hide();
    editScreenPanel->hide();
    listingPanel->hide();
}

} // namespace wk::shell
