#pragma once
// Draws the lines of a day cell: each line a row as wide as the cell, so a title too long for
// it ends in an ellipsis instead of being cut mid-letter, in the cell's font made small enough
// that the day number and two titles fit the cell, each with its first twelve characters in
// sight. The font is never larger than the cell's own, nor smaller than a legible floor.
#include <QStyledItemDelegate>

class QListWidget;

namespace wk::calendar {

class DayCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// The font the lines of `cell` are drawn in, for its present size and font.
QFont dayLineFont(const QListWidget* cell);

} // namespace wk::calendar
