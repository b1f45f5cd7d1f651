#include "controls/WindowShowing.h"

#include <QWidget>

namespace wk::controls {

void showInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace wk::controls
