#pragma once
// The 16 standard colours by number (0 black ... 7 light grey, 8 dark grey ... 15 white).
#include <QColor>

namespace wk::controls {

QColor classicColour(int number); // numbers outside 0..15 give black

} // namespace wk::controls
