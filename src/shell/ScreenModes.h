#pragma once
// The "Main Screen" and "Edit Screen" modes of the main window ("List by Date" lives with the
// timeline). Each switch is a sequence of steps; a failing step is skipped.
#include "contracts/MainScreen.h"

#include <QObject>

namespace wk::shell {

class MainWindow;

class ScreenModes : public QObject, public contracts::MainScreen {
    Q_OBJECT
public:
    explicit ScreenModes(MainWindow& form);

    void switchToMainScreen(); // "Main Screen"
    // The steps of "Main Screen" without the test of mainScreenButton: the panels, the first entry's
    // picture and log, and the entry list rebuilt (the calendar switch runs them as well).
    void showMainScreen() override;
    void switchToEditScreen(); // "Edit Screen"

private:
    MainWindow& form_;
};

} // namespace wk::shell
