#include "browse/MTForm3.h"

#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/WindowShowing.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include <algorithm>

namespace wk::browse {

using controls::placeTwips;

namespace {

constexpr int kClientWidth = 9480;
constexpr int kClientHeight = 6795;

// A round green button with a white arrow pointing left: "back".
QImage backArrowFace(int side)
{
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    p.setPen(QPen(QColor(0, 64, 0), s / 20));
    p.setBrush(QColor(0, 128, 0));
    p.drawEllipse(QRectF(s * 0.05, s * 0.05, s * 0.9, s * 0.9));
    QPainterPath arrow;
    arrow.moveTo(s * 0.20, s * 0.50);
    arrow.lineTo(s * 0.48, s * 0.24);
    arrow.lineTo(s * 0.48, s * 0.40);
    arrow.lineTo(s * 0.78, s * 0.40);
    arrow.lineTo(s * 0.78, s * 0.60);
    arrow.lineTo(s * 0.48, s * 0.60);
    arrow.lineTo(s * 0.48, s * 0.76);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return img;
}

int scrollMaximum(int pictureSide, int viewportSide)
{
    return std::clamp(pictureSide - viewportSide, 1, MTForm3::maxScrollValue);
}

} // namespace

MTForm3::MTForm3(QWidget* mainWindow) : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("MTForm3"));
    setWindowTitle(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    // A window of its own, so hiding the main window leaves it on screen; never outliving it.
    if (mainWindow)
        connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    placeTwips(Picture1, 0, 0, 9495, 7095);
    QPalette pal = Picture1->palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    Picture1->setPalette(pal);
    Picture1->setAutoFillBackground(true);

    Picture2 = new controls::ImageControl(Picture1);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    placeTwips(Picture2, 0, 0, 9135, 6615);
    Picture2->setStretch(false); // sizes itself to the picture

    HScroll1 = new QScrollBar(Qt::Horizontal, Picture1);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    placeTwips(HScroll1, 0, 6600, 9135, 255);
    VScroll1 = new QScrollBar(Qt::Vertical, Picture1);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    placeTwips(VScroll1, 9180, 0, 255, 6615);
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->setRange(0, 1);
        bar->setSingleStep(16);
        bar->setPageStep(std::max(1, bar == HScroll1 ? Picture1->width() : Picture1->height()) / 2);
        // Tracking on: the picture follows the scroll box while it is dragged, not only on release.
        bar->setTracking(true);
        bar->raise(); // above a picture larger than the viewport
    }

    // The back arrow sits on the window, below the viewport in the design's stacking; it is
    // raised so it can be seen and clicked over the picture.
    IMAGE10 = new controls::ImageControl(this);
    IMAGE10->setObjectName(QStringLiteral("IMAGE10"));
    placeTwips(IMAGE10, 360, 3480, 615, 615);
    IMAGE10->setStretch(true);
    const int side = IMAGE10->width();
    IMAGE10->setPicture({QString(), QSize(side, side), backArrowFace(side)});
    IMAGE10->setCursor(Qt::PointingHandCursor);
    IMAGE10->setToolTip(QStringLiteral("Back"));
    IMAGE10->raise();

    connect(HScroll1, &QScrollBar::valueChanged, this, &MTForm3::HScroll1_Change);
    connect(HScroll1, &QScrollBar::sliderMoved, this, &MTForm3::HScroll1_Scroll);
    connect(VScroll1, &QScrollBar::valueChanged, this, &MTForm3::VScroll1_Change);
    connect(VScroll1, &QScrollBar::sliderMoved, this, &MTForm3::VScroll1_Scroll);
    connect(Picture2, &controls::ImageControl::clicked, this, &MTForm3::Picture2_Click);
    connect(IMAGE10, &controls::ImageControl::clicked, this, &MTForm3::Image10_Click);

    Form_Load();
}

MTForm3* MTForm3::open(QPointer<MTForm3>& slot, QWidget* mainWindow, const controls::Picture& shown)
{
    if (!slot)
        slot = new MTForm3(mainWindow);
    MTForm3* viewer = slot;

    controls::Picture natural = shown;
    if (!shown.isNull() && !shown.file.isEmpty() && shown.image.size() != shown.naturalSize)
        controls::skipStep([&] { natural = controls::loadPicture(shown.file); });
    viewer->showPicture(natural);

    controls::showInFront(viewer);
    if (mainWindow)
        mainWindow->hide();
    viewer->update();
    viewer->setScrollRanges();
    return viewer;
}

void MTForm3::Form_Load() { setWindowState(windowState() | Qt::WindowMaximized); }

void MTForm3::showPicture(const controls::Picture& picture)
{
    Picture2->setPicture(picture);
    if (picture.isNull())
        Picture2->resize(0, 0);
}

void MTForm3::setScrollRanges()
{
    HScroll1->setMaximum(scrollMaximum(Picture2->width(), Picture1->width()));
    VScroll1->setMaximum(scrollMaximum(Picture2->height(), Picture1->height()));
}

void MTForm3::HScroll1_Change() { Picture2->move(-HScroll1->value(), Picture2->y()); }
void MTForm3::HScroll1_Scroll() { Picture2->move(-HScroll1->sliderPosition(), Picture2->y()); }
void MTForm3::VScroll1_Change() { Picture2->move(Picture2->x(), -VScroll1->value()); }
void MTForm3::VScroll1_Scroll() { Picture2->move(Picture2->x(), -VScroll1->sliderPosition()); }

void MTForm3::Picture2_Click() { backToMainWindow(); }
void MTForm3::Image10_Click() { backToMainWindow(); }

void MTForm3::backToMainWindow()
{
    // The main window comes first, so the screen is never left without either window.
    if (mainWindow_)
        mainWindow_->show();
    hide();
}

void MTForm3::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void MTForm3::Form_Unload()
{
    if (IMAGE10->isHidden())
        return;
    hide();
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->update(); // its big picture, the strip and the exit button with it
    }
}

} // namespace wk::browse
