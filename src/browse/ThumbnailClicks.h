#pragma once
// Clicks on the thumbnail strip and on the big picture. A thumbnail click shows the slot's
// picture in the big image (widening or narrowing it between the strip's two layout widths),
// makes the slot's entry current and shows its log; with the folder list shown it also hands
// the slot's file name to the picture box of the edit area. A click on the big picture opens
// the enlarged viewer, which this object keeps loaded between openings.
#include <QObject>
#include <QPointer>

namespace wk::shell {
class Mtform1;
}

namespace wk::browse {

class MTForm3;

class ThumbnailClicks : public QObject {
    Q_OBJECT
public:
    explicit ThumbnailClicks(shell::Mtform1& form);
    ~ThumbnailClicks() override;

    // Slot k of 1..7.
    void Image_Click(int k);
    void Image1_Click() { Image_Click(1); }
    void Image2_Click() { Image_Click(2); }
    void Image3_Click() { Image_Click(3); }
    void Image4_Click() { Image_Click(4); }
    void Image5_Click() { Image_Click(5); }
    void Image6_Click() { Image_Click(6); }
    void Image7_Click() { Image_Click(7); }

    void Image8_Click();
    void Image8_DblClick();
    void Image8_MouseMove() {}

    // The enlarged viewer while it is loaded; null before the first opening and after it closed.
    MTForm3* viewer() const;

private:
    shell::Mtform1& form_;
    QPointer<MTForm3> viewer_;
};

} // namespace wk::browse
