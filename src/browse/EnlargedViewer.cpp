#include "browse/EnlargedViewer.h"

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
    return std::clamp(pictureSide - viewportSide, 1, EnlargedViewer::maxScrollValue);
}

// The size the picture was decoded at, which zooming scales.
QSize decodedSize(const controls::ImageControl* image)
{
    return image->picture().isNull() ? QSize() : image->picture().image.size();
}

} // namespace

EnlargedViewer::EnlargedViewer(QWidget* mainWindow) : QWidget(nullptr, Qt::Window), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("MTForm3"));
    setWindowTitle(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus); // the zoom keys
    resize(controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    // A window of its own, so hiding the main window leaves it on screen; never outliving it.
    if (mainWindow)
        connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);

    pictureViewport = new QWidget(this);
    pictureViewport->setObjectName(QStringLiteral("Picture1"));
    QPalette pal = pictureViewport->palette();
    pal.setColor(QPalette::Window, controls::classicColour(7));
    pictureViewport->setPalette(pal);
    pictureViewport->setAutoFillBackground(true);

    pictureView = new controls::ImageControl(pictureViewport);
    pictureView->setObjectName(QStringLiteral("Picture2"));
    pictureView->setStretch(true); // drawn at the zoomed size, which placePicture() gives it

    horizontalScroller = new QScrollBar(Qt::Horizontal, pictureViewport);
    horizontalScroller->setObjectName(QStringLiteral("HScroll1"));
    verticalScroller = new QScrollBar(Qt::Vertical, pictureViewport);
    verticalScroller->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {horizontalScroller, verticalScroller}) {
        bar->setRange(0, 1);
        bar->setSingleStep(16);
        // Tracking on: the picture follows the scroll box while it is dragged, not only on release.
        bar->setTracking(true);
        bar->raise(); // above a picture larger than the viewport
    }

    // The back arrow sits on the window, below the viewport in the design's stacking; it is
    // raised so it can be seen and clicked over the picture.
    returnArrow = new controls::ImageControl(this);
    returnArrow->setObjectName(QStringLiteral("IMAGE10"));
    placeTwips(returnArrow, 360, 3480, 615, 615);
    returnArrow->setStretch(true);
    const int side = returnArrow->width();
    returnArrow->setPicture({QString(), QSize(side, side), backArrowFace(side)});
    returnArrow->setCursor(Qt::PointingHandCursor);
    returnArrow->setToolTip(QStringLiteral("Back"));
    returnArrow->raise();

    connect(horizontalScroller, &QScrollBar::valueChanged, this, &EnlargedViewer::followHorizontalScroller);
    connect(horizontalScroller, &QScrollBar::sliderMoved, this, &EnlargedViewer::followHorizontalDrag);
    connect(verticalScroller, &QScrollBar::valueChanged, this, &EnlargedViewer::followVerticalScroller);
    connect(verticalScroller, &QScrollBar::sliderMoved, this, &EnlargedViewer::followVerticalDrag);
    connect(pictureView, &controls::ImageControl::clicked, this, &EnlargedViewer::returnOnPictureClick);
    connect(returnArrow, &controls::ImageControl::clicked, this, &EnlargedViewer::returnOnArrowClick);

    layOutViewport();
    load();
}

EnlargedViewer* EnlargedViewer::open(QPointer<EnlargedViewer>& slot, QWidget* mainWindow,
                                     const controls::Picture& shown)
{
    if (!slot)
        slot = new EnlargedViewer(mainWindow);
    EnlargedViewer* viewer = slot;

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

void EnlargedViewer::load() { setWindowState(windowState() | Qt::WindowMaximized); }

QRect EnlargedViewer::pictureArea() const
{
    return QRect(0, 0, pictureViewport->width() - verticalScroller->width(),
                 pictureViewport->height() - horizontalScroller->height());
}

void EnlargedViewer::showPicture(const controls::Picture& picture)
{
    pictureView->setPicture(picture);
    zoom_ = 1;
    fitted_ = false;
    placePicture();
}

void EnlargedViewer::layOutViewport()
{
    // The scroll bars keep the design's thickness along the viewport's right and bottom edges.
    const int bar = controls::twipsToPixels(255);
    pictureViewport->setGeometry(rect());
    horizontalScroller->setGeometry(0, height() - bar, std::max(0, width() - bar), bar);
    verticalScroller->setGeometry(width() - bar, 0, bar, std::max(0, height() - bar));
    const QRect area = pictureArea();
    horizontalScroller->setPageStep(std::max(1, area.width() / 2));
    verticalScroller->setPageStep(std::max(1, area.height() / 2));
    if (fitted_)
        fitToWindow();
    else
        placePicture();
}

void EnlargedViewer::setScrollRanges()
{
    const QRect area = pictureArea();
    horizontalScroller->setMaximum(scrollMaximum(pictureView->width(), area.width()));
    verticalScroller->setMaximum(scrollMaximum(pictureView->height(), area.height()));
    // A maximum below the value moves the picture through the change handlers; a new viewport
    // size moves a centred picture without changing any value.
    pictureView->move(pictureOrigin() - QPoint(horizontalScroller->value(), verticalScroller->value()));
}

QPoint EnlargedViewer::pictureOrigin() const
{
    const QRect area = pictureArea();
    return {std::max(0, (area.width() - pictureView->width()) / 2),
            std::max(0, (area.height() - pictureView->height()) / 2)};
}

void EnlargedViewer::placePicture()
{
    pictureView->resize(zoomedSize(decodedSize(pictureView), zoom_));
    setScrollRanges();
}

void EnlargedViewer::zoomTo(double factor, QPoint anchor)
{
    const QPointF spot = QPointF(anchor - pictureView->pos()) / zoom_; // in the decoded picture
    zoom_ = boundedZoom(factor, decodedSize(pictureView), pictureArea().size());
    fitted_ = false;
    placePicture();
    const QPointF value = QPointF(pictureOrigin()) + spot * zoom_ - QPointF(anchor);
    horizontalScroller->setValue(int(std::lround(value.x())));
    verticalScroller->setValue(int(std::lround(value.y())));
}

void EnlargedViewer::fitToWindow()
{
    zoomTo(fitZoom(decodedSize(pictureView), pictureArea().size()), pictureArea().center());
    horizontalScroller->setValue(0);
    verticalScroller->setValue(0);
    fitted_ = true;
}

void EnlargedViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutViewport();
}

void EnlargedViewer::keyPressEvent(QKeyEvent* event)
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

void EnlargedViewer::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (!(event->modifiers() & Qt::ControlModifier) || delta == 0) {
        event->ignore();
        return;
    }
    // One notch (120) is one step; finer wheels and touchpads zoom by parts of a step.
    const double factor = zoom_ * std::pow(kZoomStep, delta / 120.0);
    zoomTo(factor, pictureViewport->mapFrom(this, event->position().toPoint()));
    event->accept();
}

void EnlargedViewer::followHorizontalScroller()
{
    pictureView->move(pictureOrigin().x() - horizontalScroller->value(), pictureView->y());
}
void EnlargedViewer::followHorizontalDrag()
{
    pictureView->move(pictureOrigin().x() - horizontalScroller->sliderPosition(), pictureView->y());
}
void EnlargedViewer::followVerticalScroller()
{
    pictureView->move(pictureView->x(), pictureOrigin().y() - verticalScroller->value());
}
void EnlargedViewer::followVerticalDrag()
{
    pictureView->move(pictureView->x(), pictureOrigin().y() - verticalScroller->sliderPosition());
}

void EnlargedViewer::returnOnPictureClick() { backToMainWindow(); }
void EnlargedViewer::returnOnArrowClick() { backToMainWindow(); }

void EnlargedViewer::backToMainWindow()
{
    // The main window comes first, so the screen is never left without either window.
    if (mainWindow_)
        mainWindow_->show();
    hide();
}

void EnlargedViewer::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

void EnlargedViewer::unload()
{
    if (returnArrow->isHidden())
        return;
    hide();
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->update(); // its big picture, the strip and the exit button with it
    }
}

} // namespace wk::browse
