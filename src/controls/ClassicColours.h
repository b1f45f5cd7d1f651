#pragma once
// The 16 standard colours by number (0 black ... 7 light grey, 8 dark grey ... 15 white).
#include <QColor>

class QWidget;

namespace wk::controls {

QColor classicColour(int number); // numbers outside 0..15 give black

// The text colour of a list or box, focused or not; unchanged colours do not repaint.
void setTextColour(QWidget* control, const QColor& colour);

} // namespace wk::controls
