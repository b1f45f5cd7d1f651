#pragma once
// Where the main window opens: at the size, place and maximised state it had when it last
// closed (kept in the user's settings), or, the first time, at about two thirds of the screen's
// height, centred, with the design's shape.
class QWidget;

namespace wk::shell {

void restoreWindowPlacement(QWidget* window);
void saveWindowPlacement(const QWidget* window);

} // namespace wk::shell
