#include "browse/MTForm3.h"

#include "browse/ViewerZoom.h"
#include "controls/ClassicColours.h"
#include "controls/ImageControl.h"
#include "controls/Picture.h"
#include "controls/Steps.h"
#include "controls/Twips.h"
#include "controls/WindowShowing.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

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

// The size the picture was decoded at, which zooming scales.
QSize decodedSize(const controls::ImageControl* image)
{
    return image->picture().isNull() ? QSize() : image->picture().image.size();
}

} // namespace

MTForm3::MTForm3(QWidget* mainWindow) : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("MTForm3"));
    setWindowTitle(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus); // the zoom keys
    resize(controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    // A window of its own, so hiding the main window leaves it on screen; never outliving it.
    if (mainWindow)
        connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    QPalette pal = Picture1->palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    Picture1->setPalette(pal);
    Picture1->setAutoFillBackground(true);

    Picture2 = new controls::ImageControl(Picture1);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setStretch(true); // drawn at the zoomed size, which placePicture() gives it

    HScroll1 = new QScrollBar(Qt::Horizontal, Picture1);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, Picture1);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->setRange(0, 1);
        bar->setSingleStep(16);
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

    layOutViewport();
    Form_Load();
}

MTForm3* MTForm3::open(QPointer<MTForm3>& slot, QWidget* mainWindow, const controls::Picture& shown)
{
    if (!slot)
        slot = new MTForm3(mainWindow);
    MTForm3* viewer = slot;

    controls::Picture natural = shown;
    if (!shown.isNull() && !shown.file.isEmpty())
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

QRect MTForm3::pictureArea() const
{
    return QRect(0, 0, Picture1->width() - VScroll1->width(), Picture1->height() - HScroll1->height());
}

void MTForm3::showPicture(const controls::Picture& picture)
{
    Picture2->setPicture(picture);
    zoom_ = 1;
    fitted_ = false;
    placePicture();
}

void MTForm3::layOutViewport()
{
    // The scroll bars keep the design's thickness along the viewport's right and bottom edges.
    const int bar = controls::twipsToPixels(255);
    Picture1->setGeometry(rect());
    HScroll1->setGeometry(0, height() - bar, std::max(0, width() - bar), bar);
    VScroll1->setGeometry(width() - bar, 0, bar, std::max(0, height() - bar));
    const QRect area = pictureArea();
    HScroll1->setPageStep(std::max(1, area.width() / 2));
    VScroll1->setPageStep(std::max(1, area.height() / 2));
    if (fitted_)
        fitToWindow();
    else
        placePicture();
}

void MTForm3::setScrollRanges()
{
    const QRect area = pictureArea();
    HScroll1->setMaximum(scrollMaximum(Picture2->width(), area.width()));
    VScroll1->setMaximum(scrollMaximum(Picture2->height(), area.height()));
    // A maximum below the value moves the picture through the change handlers; a new viewport
    // size moves a centred picture without changing any value.
    Picture2->move(pictureOrigin() - QPoint(HScroll1->value(), VScroll1->value()));
}

QPoint MTForm3::pictureOrigin() const
{
    const QRect area = pictureArea();
    return {std::max(0, (area.width() - Picture2->width()) / 2),
            std::max(0, (area.height() - Picture2->height()) / 2)};
}

void MTForm3::placePicture()
{
    Picture2->resize(zoomedSize(decodedSize(Picture2), zoom_));
    setScrollRanges();
}

void MTForm3::zoomTo(double factor, QPoint anchor)
{
    const QPointF spot = QPointF(anchor - Picture2->pos()) / zoom_; // in the decoded picture
    zoom_ = boundedZoom(factor, decodedSize(Picture2), pictureArea().size());
    fitted_ = false;
    placePicture();
    const QPointF value = QPointF(pictureOrigin()) + spot * zoom_ - QPointF(anchor);
    HScroll1->setValue(int(std::lround(value.x())));
    VScroll1->setValue(int(std::lround(value.y())));
}

void MTForm3::fitToWindow()
{
    zoomTo(fitZoom(decodedSize(Picture2), pictureArea().size()), pictureArea().center());
    HScroll1->setValue(0);
    VScroll1->setValue(0);
    fitted_ = true;
}

void MTForm3::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutViewport();
}

void MTForm3::keyPressEvent(QKeyEvent* event)
{
    const QPoint centre = pictureArea().center();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: // + without Shift on many keyboards
        zoomTo(zoom_ * kZoomStep, centre);
        break;
    case Qt::Key_Minus:
        zoomTo(zoom_ / kZoomStep, centre);
        break;
    case Qt::Key_0:
        fitToWindow();
        break;
    case Qt::Key_1:
        zoomTo(1, centre);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MTForm3::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (!(event->modifiers() & Qt::ControlModifier) || delta == 0) {
        event->ignore();
        return;
    }
    // One notch (120) is one step; finer wheels and touchpads zoom by parts of a step.
    const double factor = zoom_ * std::pow(kZoomStep, delta / 120.0);
    zoomTo(factor, Picture1->mapFrom(this, event->position().toPoint()));
    event->accept();
}

void MTForm3::HScroll1_Change() { Picture2->move(pictureOrigin().x() - HScroll1->value(), Picture2->y()); }
void MTForm3::HScroll1_Scroll()
{
    Picture2->move(pictureOrigin().x() - HScroll1->sliderPosition(), Picture2->y());
}
void MTForm3::VScroll1_Change() { Picture2->move(Picture2->x(), pictureOrigin().y() - VScroll1->value()); }
void MTForm3::VScroll1_Scroll()
{
    Picture2->move(Picture2->x(), pictureOrigin().y() - VScroll1->sliderPosition());
}

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
