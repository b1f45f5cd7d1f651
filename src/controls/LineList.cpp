#include "controls/LineList.h"

#include <QItemSelectionModel>
#include <QPainter>

namespace wk::controls {

void LineModel::setLines(int count, TextOf textOf)
{
    beginResetModel();
    count_ = count;
    textOf_ = std::move(textOf);
    endResetModel();
}

QVariant LineModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count_)
        return {};
    return textOf_(index.row());
}

LineList::LineList(QWidget* parent) : QListView(parent), model_(new LineModel(this))
{
    setModel(model_);
    setUniformItemSizes(true); // a million lines are laid out without asking each its size
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                Q_EMIT currentRowChanged(current.isValid() ? current.row() : -1);
            });
}

void LineList::setLines(int count, LineModel::TextOf textOf)
{
    const QSignalBlocker blocker(this);
    placeholder_.clear();
    model_->setLines(count, std::move(textOf));
}

void LineList::setLines(const QStringList& lines)
{
    setLines(int(lines.size()), [lines](int line) { return lines.at(line); });
}

int LineList::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void LineList::setCurrentRow(int line)
{
    if (line < 0 || line >= count()) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(model_->index(line), QItemSelectionModel::ClearAndSelect);
}

void LineList::setPlaceholderText(const QString& text)
{
    placeholder_ = text;
    viewport()->update();
}

void LineList::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (placeholder_.isEmpty() || count() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(4, 4, -4, -4),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, placeholder_);
}

} // namespace wk::controls
