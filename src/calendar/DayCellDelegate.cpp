#include "calendar/DayCellDelegate.h"

#include <QFontInfo>
#include <QListWidget>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace wk::calendar {

namespace {
constexpr int kLinesInSight = 3;      // the day number and two titles
constexpr int kSmallestPixelSize = 9; // below it a title is no longer read at a glance

// How wide a line must be to show the first twelve characters of a title before its ellipsis.
int titleStartWidth(const QFontMetrics& metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("Grandma's 80") + QChar(0x2026));
}

// The style's margin on either side of an item's text.
int textMargin(const QWidget* cell)
{
    return cell->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell) + 1;
}

bool fitsRoom(const QFont& font, QSize room)
{
    const QFontMetrics metrics(font);
    return kLinesInSight * metrics.height() <= room.height() && titleStartWidth(metrics) <= room.width();
}
} // namespace

QFont dayLineFont(const QListWidget* cell)
{
    QFont font = cell->font();
    const int own = QFontInfo(font).pixelSize();
    const QSize room = cell->viewport()->size() - QSize(2 * textMargin(cell), 0);
    if (own <= kSmallestPixelSize || fitsRoom(font, room))
        return font;
    // Start from the size the room allows in proportion, then step down to one that fits.
    const QFontMetrics metrics(font);
    const double byHeight = double(room.height()) / (kLinesInSight * metrics.height());
    const double byWidth = double(room.width()) / titleStartWidth(metrics);
    int size = std::clamp(int(std::floor(own * std::min(byHeight, byWidth))), kSmallestPixelSize, own);
    font.setPixelSize(size);
    while (size > kSmallestPixelSize && !fitsRoom(font, room))
        font.setPixelSize(--size);
    return font;
}

void DayCellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (const auto* cell = qobject_cast<const QListWidget*>(option->widget)) {
        option->font = dayLineFont(cell);
        option->fontMetrics = QFontMetrics(option->font);
    }
    option->features &= ~QStyleOptionViewItem::WrapText;
    option->textElideMode = Qt::ElideRight;
}

QSize DayCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (const auto* cell = qobject_cast<const QListWidget*>(option.widget))
        size.setWidth(cell->viewport()->width());
    return size;
}

} // namespace wk::calendar
