#include "controls/FrameCanvas.h"

#include <QPainter>
#include <algorithm>

namespace wk::controls {

FrameCanvas::FrameCanvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("surface"));
}

void FrameCanvas::drawLine(QPoint from, QPoint to, QColor colour)
{
    primitives_.push_back({QRect(from, to), colour, Primitive::Kind::Line});
    update();
}

void FrameCanvas::drawBox(const QRect& box, QColor colour, bool filled)
{
    const QRect normal = box.normalized();
    if (filled) {
        // What lies entirely under a filled box can never be seen again: forget it.
        std::erase_if(primitives_, [&](const Primitive& p) { return normal.contains(p.box.normalized()); });
    }
    primitives_.push_back({normal, colour, filled ? Primitive::Kind::FilledBox : Primitive::Kind::Box});
    update();
}

void FrameCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (const Primitive& prim : primitives_) {
        p.setPen(QPen(prim.colour, 1));
        switch (prim.kind) {
        case Primitive::Kind::Line:
            p.drawLine(prim.box.topLeft(), prim.box.bottomRight());
            break;
        case Primitive::Kind::Box:
            p.setBrush(Qt::NoBrush);
            p.drawRect(prim.box);
            break;
        case Primitive::Kind::FilledBox:
            p.setBrush(prim.colour);
            p.drawRect(prim.box);
            break;
        }
    }
}

} // namespace wk::controls
