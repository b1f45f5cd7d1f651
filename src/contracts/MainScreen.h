#pragma once
// Switching the main window back to its Main Screen, as the calendar does when it closes.
// Implemented by shell::ScreenModes.
namespace wk::contracts {

class MainScreen {
public:
    virtual void showMainScreen() = 0;

protected:
    ~MainScreen() = default;
};

} // namespace wk::contracts
