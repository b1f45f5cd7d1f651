#include "controls/PictureButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace wk::controls {

PictureButton::PictureButton(Face face, const QString& toolTip, QWidget* parent)
    : QAbstractButton(parent), face_(face)
{
    setCheckable(true);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
}

QSize PictureButton::sizeHint() const { return {25, 25}; }

namespace {

void drawFace(QPainter& p, PictureButton::Face face, const QRectF& r)
{
    const double w = r.width(), h = r.height();
    auto at = [&](double fx, double fy) { return QPointF(r.left() + fx * w, r.top() + fy * h); };
    p.setRenderHint(QPainter::Antialiasing);
    switch (face) {
    case PictureButton::Face::Clock: // a strip of film frames: the TimeLine
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(at(0.05, 0.3), at(0.95, 0.7)));
        p.setBrush(QColor(255, 220, 120));
        for (int k = 0; k < 3; ++k)
            p.drawRect(QRectF(at(0.1 + 0.29 * k, 0.36), at(0.33 + 0.29 * k, 0.64)));
        break;
    case PictureButton::Face::Calendar:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(at(0.15, 0.2), at(0.85, 0.85)));
        p.setBrush(QColor(200, 0, 0));
        p.drawRect(QRectF(at(0.15, 0.2), at(0.85, 0.38)));
        p.setPen(QPen(QColor(80, 80, 80), 1));
        for (int k = 1; k < 3; ++k)
            p.drawLine(at(0.15 + 0.233 * k, 0.38), at(0.15 + 0.233 * k, 0.85));
        p.drawLine(at(0.15, 0.6), at(0.85, 0.6));
        break;
    case PictureButton::Face::Printer:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(at(0.3, 0.15), at(0.7, 0.45)));
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(at(0.1, 0.45), at(0.9, 0.75)));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(at(0.3, 0.65), at(0.7, 0.9)));
        break;
    case PictureButton::Face::Kid:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 210, 150));
        p.drawEllipse(QRectF(at(0.3, 0.1), at(0.7, 0.45)));
        p.setBrush(QColor(0, 120, 220));
        p.drawRect(QRectF(at(0.3, 0.47), at(0.7, 0.75)));
        p.drawLine(at(0.38, 0.75), at(0.33, 0.92));
        p.drawLine(at(0.62, 0.75), at(0.67, 0.92));
        break;
    case PictureButton::Face::MainScreen: // a picture with a list beside it
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(90, 160, 230));
        p.drawRect(QRectF(at(0.1, 0.25), at(0.55, 0.75)));
        for (int k = 0; k < 4; ++k)
            p.drawLine(at(0.65, 0.3 + 0.13 * k), at(0.9, 0.3 + 0.13 * k));
        break;
    case PictureButton::Face::ListByDate: // lines under a dated header
        p.setPen(QPen(QColor(0, 0, 160), 2));
        p.drawLine(at(0.15, 0.25), at(0.85, 0.25));
        p.setPen(QPen(Qt::black, 1));
        for (int k = 0; k < 4; ++k)
            p.drawLine(at(0.25, 0.42 + 0.13 * k), at(0.85, 0.42 + 0.13 * k));
        break;
    case PictureButton::Face::EditScreen: { // a pencil
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(250, 200, 40));
        QPainterPath pencil;
        pencil.moveTo(at(0.2, 0.8));
        pencil.lineTo(at(0.3, 0.55));
        pencil.lineTo(at(0.7, 0.15));
        pencil.lineTo(at(0.85, 0.3));
        pencil.lineTo(at(0.45, 0.7));
        pencil.closeSubpath();
        p.drawPath(pencil);
        break;
    }
    case PictureButton::Face::Slideshow: { // a screen with a play mark
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(at(0.1, 0.2), at(0.9, 0.8)));
        p.setBrush(QColor(120, 220, 120));
        QPainterPath play;
        play.moveTo(at(0.4, 0.33));
        play.lineTo(at(0.68, 0.5));
        play.lineTo(at(0.4, 0.67));
        play.closeSubpath();
        p.drawPath(play);
        break;
    }
    }
}

} // namespace

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= (isChecked() || isDown()) ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);
    const QRectF inner = QRectF(rect()).adjusted(3, 3, -3, -3);
    drawFace(p, face_, (isChecked() || isDown()) ? inner.translated(1, 1) : inner);
}

} // namespace wk::controls
