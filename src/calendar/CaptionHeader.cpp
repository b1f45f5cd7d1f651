#include "calendar/CaptionHeader.h"

#include <QPainter>

namespace wk::calendar {

CaptionHeader::CaptionHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

int CaptionHeader::barHeight() const { return caption_.isEmpty() ? 0 : fontMetrics().height() + 6; }

void CaptionHeader::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    updateGeometry();
    Q_EMIT geometriesChanged(); // the grid lays out its header and cells again
    viewport()->update();
}

QSize CaptionHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.rheight() += barHeight();
    return size;
}

void CaptionHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect.adjusted(0, barHeight(), 0, 0), logicalIndex);
}

void CaptionHeader::paintEvent(QPaintEvent* event)
{
    QHeaderView::paintEvent(event);
    const int bar = barHeight();
    if (bar == 0)
        return;
    QPainter painter(viewport());
    const QRect area(0, 0, viewport()->width(), bar);
    painter.fillRect(area, palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter, caption_);
}

} // namespace wk::calendar
