#pragma once
// Tooltips that show lines of text whole, where a list or a cell has no room for them.
#include <QStringList>

class QAbstractItemView;

namespace wk::controls {

// The tooltip text that shows `lines` as they are, one per line. Plain text, unless Qt would
// take it for markup: then the same lines, escaped, with their blanks kept.
QString wholeLinesTip(const QStringList& lines);

// From now on a line of `view` whose text is cut off (wider than the list, or scrolled partly
// out of sight) shows its whole text as its tooltip. Fit is judged when the tooltip is asked
// for, so it holds through refills, resizes and font changes, whoever fills the list.
void showCutLinesWhole(QAbstractItemView* view);

} // namespace wk::controls
