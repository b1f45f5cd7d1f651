#pragma once
// The "Main Screen" and "Edit Screen" modes of the main window ("List by Date" lives with the
// timeline). Each switch is a sequence of steps; a failing step is skipped.
#include "contracts/MainScreen.h"

#include <QObject>

namespace wk::shell {

class Mtform1;

class ScreenModes : public QObject, public contracts::MainScreen {
    Q_OBJECT
public:
    explicit ScreenModes(Mtform1& form);

    void Option1_Click(); // "Main Screen"
    // The steps of "Main Screen" without the test of Option1: the panels, the first entry's
    // picture and log, and the entry list rebuilt (the calendar switch runs them as well).
    void showMainScreen() override;
    void Option3_Click(); // "Edit Screen"

private:
    Mtform1& form_;
};

} // namespace wk::shell
