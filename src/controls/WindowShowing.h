#pragma once
// Showing a window of the program: a window already open behind others comes to the front.
class QWidget;

namespace wk::controls {

void showInFront(QWidget* window);

} // namespace wk::controls
