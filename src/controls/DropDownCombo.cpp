#include "controls/DropDownCombo.h"

namespace wk::controls {

DropDownCombo::DropDownCombo(QWidget* parent) : QComboBox(parent) {}

void DropDownCombo::showPopup()
{
    Q_EMIT dropDown();
    QComboBox::showPopup();
}

} // namespace wk::controls
