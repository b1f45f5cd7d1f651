#pragma once
// A combo box that announces when its list is about to open, so the owner can fill the list
// just in time (mouse click on the arrow, F4 or Alt+Down alike).
#include <QComboBox>

namespace wk::controls {

class DropDownCombo : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownCombo(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    // Raised before the list opens; the items may be changed in the handler.
    void dropDown();
};

} // namespace wk::controls
