#include "controls/LineTips.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QHelpEvent>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>

namespace wk::controls {

namespace {

// Shows the whole text of a cut-off line when the view's viewport is asked for a tooltip.
class CutLineTips : public QObject {
public:
    explicit CutLineTips(QAbstractItemView* view) : QObject(view), view_(view), viewport_(view->viewport())
    {
        viewport_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The view is not asked anything before the event is known to be a tooltip's: the
        // viewport still has events while the view around it is being destroyed.
        if (event->type() != QEvent::ToolTip || watched != viewport_)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = view_->indexAt(help->pos());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!index.isValid() || text.isEmpty() || fits(index, text))
            return false; // whatever tooltip the view has, if any
        QToolTip::showText(help->globalPos(), wholeLinesTip({text}), view_->viewport(),
                           view_->visualRect(index));
        return true;
    }

private:
    // Whether the line's text, with the margins the style draws around it, lies in sight.
    bool fits(const QModelIndex& index, const QString& text) const
    {
        const QVariant itemFont = index.data(Qt::FontRole);
        const QFont font = itemFont.canConvert<QFont>() ? itemFont.value<QFont>() : view_->font();
        const int margin = view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
        const int needed = QFontMetrics(font).horizontalAdvance(text) + 2 * margin;
        const QRect line = view_->visualRect(index);
        const int room = std::min(line.right(), view_->viewport()->width() - 1) - line.left() + 1;
        return line.left() >= 0 && needed <= room;
    }

    QAbstractItemView* view_;
    QObject* viewport_;
};

} // namespace

QString wholeLinesTip(const QStringList& lines)
{
    const QString text = lines.join(QLatin1Char('\n'));
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

void showCutLinesWhole(QAbstractItemView* view) { new CutLineTips(view); }

} // namespace wk::controls
