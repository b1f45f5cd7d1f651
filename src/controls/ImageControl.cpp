#include "controls/ImageControl.h"

#include "controls/Steps.h"

#include <QMouseEvent>
#include <QPainter>

namespace wk::controls {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true); // moves are reported with or without a button held, as the classic control does
}

void ImageControl::setPicture(const Picture& picture)
{
    picture_ = picture;
    fitToPicture();
    update();
}

void ImageControl::load(const QString& file)
{
    const QSize fitInto = stretch_ && !size().isEmpty() ? size() : QSize();
    setPicture(loadPicture(file, fitInto));
}

void ImageControl::clear()
{
    picture_ = Picture{};
    update();
}

void ImageControl::setStretch(bool stretch)
{
    if (stretch_ == stretch)
        return;
    stretch_ = stretch;
    fitToPicture();
    update();
}

QSize ImageControl::sizeHint() const
{
    if (!stretch_ && !picture_.isNull())
        return picture_.image.size();
    return QWidget::sizeHint();
}

void ImageControl::fitToPicture()
{
    if (!stretch_ && !picture_.isNull())
        resize(picture_.image.size());
    updateGeometry();
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_.image);
    } else {
        painter.drawImage(QPoint(0, 0), picture_.image);
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    Q_EMIT mousePressed(event->button(), event->modifiers(), event->position().toPoint());
}

void ImageControl::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && leftPressed_ && rect().contains(pos);
    if (event->button() == Qt::LeftButton)
        leftPressed_ = false;
    Q_EMIT mouseReleased(event->button(), event->modifiers(), pos);
    if (click)
        Q_EMIT clicked();
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    QWidget::mouseDoubleClickEvent(event); // reaches mousePressEvent
}

void loadThumbnail(ImageControl* slot, const QString& file)
{
    slot->setStretch(true);
    if (file.isEmpty() || !skipStep([&] { slot->load(file); }))
        slot->clear();
    slot->update();
}

} // namespace wk::controls
