#include "controls/FrameCanvas.h"

#include "controls/ClassicColours.h"
#include "controls/Twips.h"
#include "controls/TwipsLayout.h"

#include <QEvent>

#include <QPainter>
#include <algorithm>

namespace wk::controls {

FrameCanvas::FrameCanvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("surface"));
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

bool FrameCanvas::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QTransform FrameCanvas::designToWindow() const
{
    const TwipsLayout* layout = TwipsLayout::of(this);
    if (!layout)
        return {};
    return QTransform::fromTranslate(layout->origin().x(), layout->origin().y())
        .scale(layout->scale(), layout->scale());
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
    p.setTransform(designToWindow());
    for (const Primitive& prim : primitives_) {
        p.setPen(QPen(prim.colour, 0)); // one device pixel wide at every scale
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

void FrameCanvas::DrawFrameON(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                              int frameMargin)
{
    drawFrame(firstControl, lastControl, frameStyle, frameMargin, false);
}

void FrameCanvas::DrawFrameOFF(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                               int frameMargin)
{
    drawFrame(firstControl, lastControl, frameStyle, frameMargin, true);
}

void FrameCanvas::drawFrame(QWidget* firstControl, QWidget* lastControl, const QString& frameStyle,
                            int frameMargin, bool erase)
{
    if (!firstControl || !lastControl)
        return;
    // Positions are taken on the window's surface (the canvas covers it from its corner), so the
    // frame surrounds the controls wherever their containers put them, and kept in the design's
    // own pixels, so it stays around them as the window scales.
    QWidget* window = parentWidget();
    const QTransform toDesign = designToWindow().inverted();
    const QRect first =
        toDesign.mapRect(QRect(firstControl->mapTo(window, QPoint(0, 0)), firstControl->size()));
    const QRect last = toDesign.mapRect(QRect(lastControl->mapTo(window, QPoint(0, 0)), lastControl->size()));
    const int L = pixelsToTwips(first.x());
    const int T = pixelsToTwips(first.y());
    const int H = pixelsToTwips(first.height());
    const int R = pixelsToTwips(last.x() + last.width());
    const int B = pixelsToTwips(last.y() + last.height());
    const int frameBottom = H > B ? H : B;
    const int m = frameMargin;
    const bool inward = frameStyle.left(1).toLower() == QLatin1String("i");
    auto px = [](int x, int y) { return QPoint(twipsToPixels(x), twipsToPixels(y)); };

    drawBox(QRect(px(L - m, T - m), px(R + m, B + m)), classicColour(7), true);
    const QColor topLeft = erase ? classicColour(7) : classicColour(inward ? 8 : 15);
    const QColor bottomRight = erase ? classicColour(7) : classicColour(inward ? 15 : 8);
    drawLine(px(L - m, T - m), px(R + m, T - m), topLeft);
    drawLine(px(L - m, T - m), px(L - m, frameBottom + m), topLeft);
    drawLine(px(R + m, T - m), px(R + m, B + m), bottomRight);
    drawLine(px(R + m, B + m), px(L - m, frameBottom + m), bottomRight);
    if (!inward)
        drawBox(QRect(px(L - m - 25, T - m - 25), px(R + m + 10, B + m + 10)),
                erase ? classicColour(7) : classicColour(0), false);
}

} // namespace wk::controls
