#pragma once
// The thumbnail strip's arrows and stop markers, as the filters and the TimeLine switch put them
// away. Implemented by strip::StripStepping.
namespace wk::contracts {

class StripArrows {
public:
    // Hides the two arrows and both stop markers.
    virtual void hideArrows() = 0;

protected:
    ~StripArrows() = default;
};

} // namespace wk::contracts
