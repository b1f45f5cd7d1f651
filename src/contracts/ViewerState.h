#pragma once
// Whether the enlarged viewer stands in for the main window, as the print dialog asks before it
// shows the main window again. Implemented by browse::ThumbnailClicks.
namespace wk::contracts {

class ViewerState {
public:
    virtual bool viewerShown() const = 0;

protected:
    ~ViewerState() = default;
};

} // namespace wk::contracts
