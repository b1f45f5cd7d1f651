#include "controls/ImageControl.h"

#include "controls/Steps.h"
#include "controls/ThumbnailCache.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

namespace wk::controls {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent), redecodeTimer_(new QTimer(this))
{
    setMouseTracking(true); // moves are reported with or without a button held, as the classic control does
    redecodeTimer_->setSingleShot(true);
    redecodeTimer_->setInterval(redecodeDelayMs);
    connect(redecodeTimer_, &QTimer::timeout, this, &ImageControl::redecode);
}

void ImageControl::setPicture(const Picture& picture)
{
    picture_ = picture;
    noticeTitle_.clear();
    noticeDetail_.clear();
    decodedFor_ = stretch_ ? deviceBox() : QSize();
    redecodeTimer_->stop();
    fitToPicture();
    update();
}

void ImageControl::load(const QString& file)
{
    showDecoded(decodeForControl(file, decodeBox(), devicePixelRatioF()));
}

void ImageControl::showDecoded(const Picture& picture)
{
    setPicture(picture);
    Q_EMIT pictureDecoded();
}

QSize ImageControl::decodeBox() const { return stretch_ ? deviceBox() : QSize(); }

void ImageControl::clear()
{
    picture_ = Picture{};
    noticeTitle_.clear();
    noticeDetail_.clear();
    decodedFor_ = QSize();
    redecodeTimer_->stop();
    update();
}

void ImageControl::showNotice(const QString& title, const QString& detail)
{
    clear();
    noticeTitle_ = title;
    noticeDetail_ = detail;
}

bool ImageControl::event(QEvent* event)
{
    // While a notice shows, its detail (the expected path, the reason) is the tooltip.
    if (event->type() == QEvent::ToolTip && !noticeTitle_.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), noticeDetail_, this);
        return true;
    }
    return QWidget::event(event);
}

void ImageControl::setStretch(bool stretch)
{
    if (stretch_ == stretch)
        return;
    stretch_ = stretch;
    fitToPicture();
    if (stretch_ && !picture_.file.isEmpty())
        redecodeTimer_->start();
    update();
}

bool ImageControl::redecodePending() const { return redecodeTimer_->isActive(); }

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

QSize ImageControl::deviceBox() const
{
    const qreal dpr = devicePixelRatioF();
    return QSize(qRound(width() * dpr), qRound(height() * dpr));
}

QRectF ImageControl::fittedRect(QSize imageSize) const
{
    const QSize box = deviceBox();
    if (box.isEmpty() || imageSize.isEmpty())
        return {};
    const QSize shown = imageSize.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QPointF corner((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2);
    const qreal dpr = devicePixelRatioF();
    return QRectF(corner / dpr, QSizeF(shown) / dpr);
}

Picture decodeForControl(const QString& file, QSize box, qreal devicePixelRatio)
{
    Picture picture = loadThroughThumbnails(file, box);
    if (!box.isEmpty())
        picture.image.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

void ImageControl::redecode()
{
    const QSize box = deviceBox();
    if (!stretch_ || picture_.isNull() || picture_.file.isEmpty() || box.isEmpty() || box == decodedFor_)
        return;
    // A picture already decoded whole that still fits would come out the same.
    const QSize natural = picture_.naturalSize;
    if (picture_.image.size() == natural && box.width() >= natural.width() &&
        box.height() >= natural.height()) {
        decodedFor_ = box;
        return;
    }
    // A file gone since it was shown leaves the old image, drawn scaled.
    skipStep([&] { showDecoded(decodeForControl(picture_.file, box, devicePixelRatioF())); });
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (picture_.isNull() && !noticeTitle_.isEmpty()) {
        drawNotice();
        return;
    }
    if (picture_.isNull())
        return;
    QPainter painter(this);
    const QImage& image = picture_.image;
    if (!stretch_) {
        painter.drawImage(QRect(QPoint(0, 0), image.size()), image);
        return;
    }
    const QRectF target = fittedRect(image.size());
    if (target.isEmpty())
        return;
    if ((target.size() * devicePixelRatioF()).toSize() != image.size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
}

void ImageControl::drawNotice()
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(4, 4, -4, -4);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(box, 6, 6);
    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(palette().color(QPalette::Text));
    const QRectF inner = box.adjusted(8, 8, -8, -8);
    const QRectF titleArea(inner.left(), inner.top(), inner.width(), inner.height() / 2);
    painter.drawText(titleArea, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, noticeTitle_);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRectF detailArea(inner.left(), inner.center().y() + 4, inner.width(), inner.height() / 2 - 4);
    painter.drawText(detailArea, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere, noticeDetail_);
}

void ImageControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (stretch_ && !picture_.isNull() && !picture_.file.isEmpty())
        redecodeTimer_->start(); // restarted by every step of a drag
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
