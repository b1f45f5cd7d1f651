#pragma once
// Rests the mouse on one line of a list, as a user does to read a tooltip, and reads the tooltip
// it raises (empty when none shows).
#include <QApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QTest>
#include <QToolTip>

namespace wk::testing {

inline QString toolTipOfLine(QListWidget* list, int row)
{
    // A tooltip left from an earlier question fades out first, so it is not read again.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("<a tooltip that does not go away>");
    const QRect line = list->visualItemRect(list->item(row));
    const QPoint at(line.left() + 4, line.center().y()); // the line's start is in sight
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace wk::testing
